#include "platform/Gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

namespace Velmora::Platform {

namespace {

// Past a third of its travel the stick counts as pressed: drift of worn sticks stays
// below that, and a deliberate push is well beyond it.
constexpr int kStickDeadZone = 11000;

constexpr SDL_GameControllerButton kButtons[] = {
    SDL_CONTROLLER_BUTTON_A,
    SDL_CONTROLLER_BUTTON_B,
    SDL_CONTROLLER_BUTTON_X,
    SDL_CONTROLLER_BUTTON_Y,
    SDL_CONTROLLER_BUTTON_START,
    SDL_CONTROLLER_BUTTON_BACK,
    SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
    SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
    SDL_CONTROLLER_BUTTON_DPAD_LEFT,
    SDL_CONTROLLER_BUTTON_DPAD_UP,
    SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
    SDL_CONTROLLER_BUTTON_DPAD_DOWN,
};
static_assert(std::size(kButtons) == kPadControls);

}  // namespace

const char* PadControlName(PadControl control) {
    static const char* const kNames[kPadControls] = {
        "A",    "B",  "X",     "Y",   "Start", "Back", "LeftShoulder", "RightShoulder",
        "Left", "Up", "Right", "Down"};
    return kNames[static_cast<int>(control)];
}

struct Gamepads::Pads {
    std::vector<SDL_GameController*> Open;
};

std::unique_ptr<Gamepads> Gamepads::Open(std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        *error = SDL_GetError();
        return nullptr;
    }
    // Pads are read, not listened to: their events would only fill the queue of a run
    // that has no window to empty it.
    SDL_GameControllerEventState(SDL_IGNORE);
    SDL_JoystickEventState(SDL_IGNORE);
    std::unique_ptr<Gamepads> pads(new Gamepads());
    pads->pads_ = std::make_unique<Pads>();
    return pads;
}

Gamepads::~Gamepads() {
    for (SDL_GameController* pad : pads_->Open) {
        SDL_GameControllerClose(pad);
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

int Gamepads::Count() const {
    return static_cast<int>(pads_->Open.size());
}

PadState Gamepads::Read() {
    SDL_GameControllerUpdate();
    std::vector<SDL_GameController*>& open = pads_->Open;
    open.erase(std::remove_if(open.begin(), open.end(),
                              [](SDL_GameController* pad) {
                                  if (SDL_GameControllerGetAttached(pad)) {
                                      return false;
                                  }
                                  SDL_GameControllerClose(pad);
                                  return true;
                              }),
               open.end());
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        const bool known = std::any_of(open.begin(), open.end(), [&](SDL_GameController* pad) {
            return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad)) == id;
        });
        if (!known && SDL_IsGameController(i)) {
            if (SDL_GameController* pad = SDL_GameControllerOpen(i)) {
                open.push_back(pad);
            }
        }
    }
    PadState held{};
    for (SDL_GameController* pad : open) {
        for (int c = 0; c < kPadControls; ++c) {
            held[c] = held[c] || SDL_GameControllerGetButton(pad, kButtons[c]) != 0;
        }
        const int x = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
        const int y = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
        auto hold = [&](PadControl c, bool on) { held[static_cast<int>(c)] |= on; };
        hold(PadControl::Left, x < -kStickDeadZone);
        hold(PadControl::Right, x > kStickDeadZone);
        hold(PadControl::Up, y < -kStickDeadZone);
        hold(PadControl::Down, y > kStickDeadZone);
    }
    return held;
}

}  // namespace Velmora::Platform
