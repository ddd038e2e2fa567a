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

// A value that cannot be converted or assigned ("Cannot assign Font to Button", "'x' is not a
// valid integer value").
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Component naming and ownership errors.
class EComponentError : public Exception {
public:
    using Exception::Exception;
};

// A published property was used with the wrong kind, is read-only or got a value out of range.
class EPropertyError : public Exception {
public:
    using Exception::Exception;
};

// A class name that the class registry does not know.
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};

// A form description or component stream that cannot be read. Line and column are 1-based for
// text; for binary streams line is 0 and column is the byte offset.
class EReadError : public Exception {
public:
    EReadError(int line, int column, const std::string& what);
    explicit EReadError(const std::string& what) : Exception(what) {}
    int line() const { return line_; }
    int column() const { return column_; }
    // The message without its position prefix.
    const std::string& reason() const { return reason_; }

private:
    int line_ = 0;
    int column_ = 0;
    std::string reason_;
};

// A component graph that cannot be written (for example a reference the reader could not resolve).
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace lindora
