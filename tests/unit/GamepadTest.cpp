// Pads are driven through SDL's virtual joysticks, so the whole path from the
// controller layer to key presses runs headless.
#include <SDL.h>

#include "TestGame.h"

namespace Velmora::Testing {
namespace {

using Changes = std::vector<std::pair<int, bool>>;

class GamepadTest : public EngineTest {
protected:
    void SetUp() override {
        game_.Write("setup.lua",
                    "setupRuns = (setupRuns or 0) + 1\n"
                    "Option = { ScreenWidth = 450, ScreenHeight = 600,\n"
                    "           Gamepad = { A = 32, Start = 80, Back = 'x', Y = 300 } }\n");
        std::string error;
        ASSERT_TRUE(engine().OpenGamepads(&error)) << error;
    }
    void TearDown() override {
        if (pad_ != nullptr) {
            SDL_JoystickClose(pad_);
            SDL_JoystickDetachVirtual(index_);
        }
        EngineTest::TearDown();
    }
    void Plug() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        index_ = SDL_JoystickAttachVirtualEx(&desc);
        ASSERT_GE(index_, 0) << SDL_GetError();
        pad_ = SDL_JoystickOpen(index_);
        ASSERT_NE(nullptr, pad_) << SDL_GetError();
    }
    void Unplug() {
        SDL_JoystickClose(pad_);
        SDL_JoystickDetachVirtual(index_);
        pad_ = nullptr;
    }
    SDL_Joystick* pad_ = nullptr;
    int index_ = -1;
};

TEST_F(GamepadTest, PadsPressAndReleaseKeysAsTheGameMapsThem) {
    // No pad: nothing comes, and setup.lua is not run for a mapping nobody needs.
    EXPECT_EQ(Changes{}, engine().ReadGamepads());
    EXPECT_EQ("<nil>", GlobalString("setupRuns"));
    Plug();
    SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_B, 1);
    // Renamed buttons take the game's key; B keeps its default, and names that are no
    // key (a text, a number beyond 255) keep theirs too.
    EXPECT_EQ((Changes{{32, true}, {88, true}}), engine().ReadGamepads());
    const double runs = GlobalNumber("setupRuns");
    SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_B, 0);
    SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_BACK, 1);
    SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_Y, 1);
    EXPECT_EQ((Changes{{88, false}, {86, true}, {27, true}}), engine().ReadGamepads());
    EXPECT_EQ(runs, GlobalNumber("setupRuns")) << "the mapping is read once";
    // The stick counts past its dead zone; the D-pad gives the same arrows.
    SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX, -5000);
    SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_LEFTY, 20000);
    EXPECT_EQ((Changes{{40, true}}), engine().ReadGamepads());
    SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_LEFTY, 0);
    SDL_JoystickSetVirtualButton(pad_, SDL_CONTROLLER_BUTTON_DPAD_DOWN, 1);
    EXPECT_EQ((Changes{{37, true}}), engine().ReadGamepads());
    // Pulled out, the pad lets go of everything it held.
    Unplug();
    EXPECT_EQ((Changes{{32, false}, {86, false}, {27, false}, {37, false}, {40, false}}),
              engine().ReadGamepads());
}

// A live run read a virtual pad and recorded it; the replay of that record must move
// the hero and hear the keys exactly as the live run did.
TEST_F(GamepadTest, ARecordedPadSessionReplaysExactly) {
    Plug();
    // Each step holds until the game has shown it.
    const auto press = [this](SDL_GameControllerButton button, Uint8 down) {
        return [this, button, down] { SDL_JoystickSetVirtualButton(pad_, button, down); };
    };
    Options live;
    live.Gamepads = true;
    ExpectReplayLikeLive(game_, "Option = { ScreenWidth = 450, ScreenHeight = 600 }", live,
                         {{press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1), ": key 39\n"},
                          {press(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0), ": up 39\n"},
                          {press(SDL_CONTROLLER_BUTTON_A, 1), ": key 90\n"},
                          {press(SDL_CONTROLLER_BUTTON_A, 0), ": up 90\n"},
                          {press(SDL_CONTROLLER_BUTTON_BACK, 1), ": key 27\n"}});
    EXPECT_NE(std::string::npos, ReadFile(game_.Root() / "live.txt").find(": 100 "))
        << "the pad steered the hero right:\n"
        << ReadFile(game_.Root() / "live.txt");
}

}  // namespace
}  // namespace Velmora::Testing
