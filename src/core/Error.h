#pragma once
#include <string>

namespace Velmora {

// The engine's failure: a text for the player. Deliberately not a std::exception,
// so that only the handlers of start-up and the main loop catch it.
class Exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    virtual ~Exception() = default;
    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;

    std::string GetMessageText() const { return message_; }

private:
    std::string message_;
};

// Every failure reported by the Lua interpreter.
class LuaException : public Exception {
public:
    using Exception::Exception;
};

}  // namespace Velmora
