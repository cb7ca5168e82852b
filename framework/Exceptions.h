#pragma once
// Exception classes of the framework. Every failure is an exception whose message is shown
// to the user by the application's central handler.
#include <stdexcept>
#include <string>

namespace vl {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// A text that does not convert to the wanted type.
class EConvertError : public Exception { using Exception::Exception; };
// A malformed form description, unknown class or property.
class EReadError : public Exception { using Exception::Exception; };
// Misuse of components: duplicate names, ownership errors.
class EComponentError : public Exception { using Exception::Exception; };
// Registry access failures of the registry-ini object.
class ERegistryException : public Exception { using Exception::Exception; };
// An operation that is not valid in the object's current state.
class EInvalidOperation : public Exception { using Exception::Exception; };
// A failed stream read or write, or a stream whose content is not what it claims to be.
class EStreamError : public Exception { using Exception::Exception; };
// An index outside a list's bounds.
class EListError : public Exception { using Exception::Exception; };
// Invalid bitmap or picture data.
class EInvalidGraphic : public Exception { using Exception::Exception; };
// A Win32 call that failed where the program cannot go on; carries GetLastError's text.
class EOSError : public Exception {
public:
    EOSError(const std::string& message, unsigned long code) : Exception(message), code_(code) {}
    unsigned long ErrorCode() const { return code_; }
private:
    unsigned long code_;
};

// Throws EOSError for the calling thread's last error, prefixed with what was attempted.
[[noreturn]] void RaiseLastOSError(const std::string& what);

}  // namespace vl
