#pragma once
// Exceptions of the component runtime. Every failure the program reports carries a message;
// SilentAbort ends the current command without one.
#include <stdexcept>
#include <string>

namespace lindora {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    const std::string message() const { return what(); }
};

// Ends the current command; the message loop swallows it without showing anything.
class SilentAbort : public Exception {
public:
    SilentAbort() : Exception("Operation aborted") {}
};

}  // namespace lindora
