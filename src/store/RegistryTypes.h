#pragma once
// Vocabulary of the registry store: roots, value type codes, the data types callers see and
// the exception raised for refused reads and writes.
#include <cstdint>
#include <functional>
#include <string>

#include "base/Exception.h"

namespace lindora {

// The two roots: the user's own store and the read-only machine-wide one.
enum class RegistryRoot { CurrentUser, LocalMachine };

// Value type codes as the classic registry numbers them. They are stored in the file, so
// codes we do not interpret (hex(N):) survive a load and save unchanged.
enum class RegType : uint32_t { None = 0, String = 1, ExpandString = 2, Binary = 3, DWord = 4 };

// What the key API reports for a value.
enum class RegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

RegDataType dataTypeOf(RegType type);

// A read of the wrong type, a write the store refuses, or a store that cannot be saved.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// Receives reports that must not stop the program, such as a damaged store file set aside.
// It is called while the store is busy and must not use the store.
using RegistryDiagnosticHandler = std::function<void(const std::string& message)>;

}  // namespace lindora
