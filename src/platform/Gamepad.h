#pragma once
// Game controllers (SDL's game controller layer underneath): every attached pad is read
// once a frame as a set of held controls, pads plugged in or out on the way. The input
// module turns controls into keys, so a pad drives the game as the keyboard does.
#include <array>
#include <memory>
#include <string>

namespace Velmora::Platform {

// The controls a game can use: eight buttons, and four directions that the D-pad and
// the left stick (past a dead zone) both give.
enum class PadControl {
    A,
    B,
    X,
    Y,
    Start,
    Back,
    LeftShoulder,
    RightShoulder,
    Left,
    Up,
    Right,
    Down
};
constexpr int kPadControls = 12;
using PadState = std::array<bool, kPadControls>;

// The control's name, as games name it in Option.Gamepad ("A", "Start", "Left", ...).
const char* PadControlName(PadControl control);

class Gamepads {
public:
    // Null, with *error set, when the controller layer cannot start.
    static std::unique_ptr<Gamepads> Open(std::string* error);
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Takes up pads plugged in and lets go of those pulled out, then reads them: a
    // control is held when it is held on any pad.
    PadState Read();
    int Count() const;

private:
    Gamepads() = default;
    struct Pads;
    std::unique_ptr<Pads> pads_;
};

}  // namespace Velmora::Platform
