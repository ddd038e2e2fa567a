#pragma once
// The store's file: the registry export text. Sections name keys relative to the store's root
// ("[Software\Quintvel\Lindora\1.0\frmMain]"); each line below is one value:
//   "Name"="text"          string, with \\ and \" escapes (and \n, \r, \0 for line breaks
//                          and zero bytes, which a line cannot hold)
//   "Name"=dword:000000ed  32-bit integer
//   "Name"=hex:04,00,...   binary, wrapped with ",\" continuation lines
//   "Name"=hex(N):...      any other type code, kept as it is
//   @=...                  the key's default (unnamed) value
// Lines starting with ";" are comments. Keys that only hold other keys get no section of
// their own: their subkeys' sections imply them.
#include <string>
#include <string_view>

#include "store/RegistryKey.h"

namespace lindora {

// Raised for text that is not a valid store file; the message names the line.
class RegistryFormatError : public Exception {
public:
    using Exception::Exception;
};

extern const char* const kRegistryFileHeader;

// Parses a whole store file into a fresh root key.
std::unique_ptr<RegistryKey> parseRegistryText(std::string_view text);
// Writes the tree under root as a store file, header line first.
std::string formatRegistryText(const RegistryKey& root);

}  // namespace lindora
