// Feeds arbitrary text to the store file reader. Any input must either read or fail with
// RegistryFormatError, without leaks or memory errors; what reads must write back to a text
// that reads as the same tree and writes identically.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "store/RegistryFileFormat.h"

using namespace lindora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<RegistryKey> root;
    try {
        root = parseRegistryText(text);
    } catch (const RegistryFormatError&) {
        return 0;
    }
    const std::string written = formatRegistryText(*root);
    std::unique_ptr<RegistryKey> again;
    try {
        again = parseRegistryText(written);
    } catch (const RegistryFormatError& e) {
        std::fprintf(stderr, "written text does not read back: %s\n%s\n", e.what(), written.c_str());
        std::abort();
    }
    if (!(*again == *root)) {
        std::fprintf(stderr, "written text reads as another tree:\n%s\n", written.c_str());
        std::abort();
    }
    if (formatRegistryText(*again) != written) {
        std::fprintf(stderr, "second write differs:\n%s\n---\n%s\n", written.c_str(),
                     formatRegistryText(*again).c_str());
        std::abort();
    }
    return 0;
}
