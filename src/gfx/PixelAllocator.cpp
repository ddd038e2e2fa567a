#include "gfx/PixelAllocator.h"

#include <sys/mman.h>

#include <cstdint>

namespace lindora::pixel_memory {

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

std::size_t roundUp(std::size_t bytes, std::size_t to) { return (bytes + to - 1) / to * to; }

}  // namespace

void* allocateLarge(std::size_t bytes) {
    const std::size_t size = roundUp(bytes, HugePage);
    // One extra huge page of address space lets the buffer start on a huge-page boundary;
    // the slack on either side is given back at once.
    const std::size_t span = size + HugePage;
    void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = roundUp(start, HugePage);
    if (aligned > start) munmap(raw, aligned - start);
    if (const std::uintptr_t end = aligned + size; end < start + span)
        munmap(reinterpret_cast<void*>(end), start + span - end);
#ifdef MADV_HUGEPAGE
    // Only advice: without huge pages (turned off, or none free) the mapping works as it is.
    madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
#endif
    return reinterpret_cast<void*>(aligned);
}

void releaseLarge(void* p, std::size_t bytes) noexcept { munmap(p, roundUp(bytes, HugePage)); }

}  // namespace lindora::pixel_memory
