#pragma once
// Message boxes for the player. Headless runs write them to standard error as
// "velmora: message: <text>" and never block.
#include <functional>
#include <string>

namespace Velmora::Platform {

class Window;

void SetHeadlessMessages(bool headless);
// owner may be null (a box without an owner window).
void ShowMessageBox(Window* owner, const std::string& text);

// Tests observe messages here; an empty function restores the normal output.
void SetMessageObserver(std::function<void(const std::string&)> observer);

}  // namespace Velmora::Platform
