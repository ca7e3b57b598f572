#pragma once
// Everything the player does, as the engine sees it: which keys are held, which
// presses are new (auto-repeats are not), and the pointing device's point. The main
// loop feeds it from the window, the gamepads and a replayed input file; the frame
// reads it.
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Gamepad.h"

namespace Velmora {

namespace Platform {
class PointerSource;
class Window;
}  // namespace Platform

class Input {
public:
    Input();
    ~Input();
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    // Held keys, for steering: every press and release counts, menu keys included.
    bool IsDown(int vk) const;
    void SetDown(int vk, bool down);

    // A press the game's key handler should hear: false while the key is still down
    // from an earlier press (an automatic repeat). Release forgets the press.
    bool Press(int vk);
    void Release(int vk);

    // Gamepad controls act as keys: the directions as the arrows, the buttons as the
    // keys a game chooses (see MapPadControl), so a pad is heard, held and recorded
    // exactly as a keyboard is.
    void MapPadControl(Platform::PadControl control, int vk);
    int PadKey(Platform::PadControl control) const;
    // The key presses and releases (vk, down) that take the pads from the state of the
    // last call to held.
    std::vector<std::pair<int, bool>> PadChanges(const Platform::PadState& held);

    // The pointing device: UDP datagrams on port when above 0, else the mouse over
    // window (may be null). Until opened, the point stays where replay puts it.
    void OpenPointer(int port, const Platform::Window* window);
    bool HasPointer() const { return pointer_ != nullptr; }
    // Reads the device once for the frame about to run: every hero of that frame
    // steers by this one point, and a record holds it.
    void SamplePointer();
    void InjectPoint(double x, double y);
    double PointX() const { return pointX_; }
    double PointY() const { return pointY_; }

private:
    static constexpr int kKeys = 256;
    std::array<bool, kKeys> held_{};
    std::array<bool, kKeys> pressed_{};
    std::unique_ptr<Platform::PointerSource> pointer_;
    // Z, X, C, V, Enter, Escape, Shift, Ctrl, then the arrows.
    std::array<int, Platform::kPadControls> padKeys_{90, 88, 67, 86, 13, 27,
                                                     16, 17, 37, 38, 39, 40};
    Platform::PadState padHeld_{};
    double pointX_ = 0.0;
    double pointY_ = 0.0;
};

}  // namespace Velmora
