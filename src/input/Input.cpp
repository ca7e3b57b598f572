#include "input/Input.h"

#include "platform/Pointer.h"

namespace Velmora {

namespace {
bool InRange(int vk) {
    return vk >= 0 && vk < 256;
}
}  // namespace

Input::Input() = default;
Input::~Input() = default;

bool Input::IsDown(int vk) const {
    return InRange(vk) && held_[static_cast<std::size_t>(vk)];
}

void Input::SetDown(int vk, bool down) {
    if (InRange(vk)) {
        held_[static_cast<std::size_t>(vk)] = down;
    }
}

bool Input::Press(int vk) {
    // Key numbers are 1 to 255 wherever they come from; anything else has no state.
    if (!InRange(vk)) {
        return true;
    }
    bool& pressed = pressed_[static_cast<std::size_t>(vk)];
    if (pressed) {
        return false;
    }
    pressed = true;
    return true;
}

void Input::Release(int vk) {
    if (InRange(vk)) {
        pressed_[static_cast<std::size_t>(vk)] = false;
    }
}

void Input::MapPadControl(Platform::PadControl control, int vk) {
    if (InRange(vk) && vk != 0) {
        padKeys_[static_cast<std::size_t>(control)] = vk;
    }
}

int Input::PadKey(Platform::PadControl control) const {
    return padKeys_[static_cast<std::size_t>(control)];
}

std::vector<std::pair<int, bool>> Input::PadChanges(const Platform::PadState& held) {
    std::vector<std::pair<int, bool>> changes;
    for (std::size_t c = 0; c < held.size(); ++c) {
        if (held[c] != padHeld_[c]) {
            changes.emplace_back(padKeys_[c], held[c]);
        }
    }
    padHeld_ = held;
    return changes;
}

void Input::OpenPointer(int port, const Platform::Window* window) {
    if (pointer_ == nullptr) {
        pointer_ = std::make_unique<Platform::PointerSource>(port, window);
        pointer_->Inject(pointX_, pointY_);
    }
}

void Input::SamplePointer() {
    if (pointer_ != nullptr) {
        pointer_->Read(pointX_, pointY_);
    }
}

void Input::InjectPoint(double x, double y) {
    pointX_ = x;
    pointY_ = y;
    if (pointer_ != nullptr) {
        pointer_->Inject(x, y);
    }
}

}  // namespace Velmora
