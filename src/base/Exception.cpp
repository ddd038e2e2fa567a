#include "base/Exception.h"

namespace lindora {

static std::string positioned(int line, int column, const std::string& what) {
    if (line > 0) return "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
    return "offset " + std::to_string(column) + ": " + what;
}

EReadError::EReadError(int line, int column, const std::string& what)
    : Exception(positioned(line, column, what)), line_(line), column_(column), reason_(what) {}

}  // namespace lindora
