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
    explicit LuaException(std::string message, std::string context = "")
        : Exception(std::move(message)), context_(std::move(context)) {}

    // Where the scripts were: the file the engine ran (and its callback) and the
    // interpreter's traceback, for the author; empty when not known.
    const std::string& Context() const { return context_; }

private:
    std::string context_;
};

}  // namespace Velmora
