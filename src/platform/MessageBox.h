#pragma once
// Message boxes for the player. Headless runs write them to standard error as
// "velmora: message: <text>" and never block.
#include <functional>
#include <string>

namespace Velmora::Platform {

class Window;

class MessageBoxes {
public:
    explicit MessageBoxes(bool headless) : headless_(headless) {}

    // owner may be null (a box without an owner window).
    void Show(Window* owner, const std::string& text) const;
    // Tests and fuzzers receive the messages here instead; an empty function restores
    // the normal output.
    void Observe(std::function<void(const std::string&)> observer) {
        observer_ = std::move(observer);
    }

private:
    bool headless_;
    std::function<void(const std::string&)> observer_;
};

}  // namespace Velmora::Platform
