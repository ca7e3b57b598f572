// Pads are driven through SDL's virtual joysticks, so the whole path from the
// controller layer to key presses runs headless.
#include <SDL.h>

#include <chrono>
#include <thread>

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
    game_.Write("res/script/GameState.lua",
                "function OnGameCreate() Game_ActiveStage('main') end\n"
                "function OnKeyEvent(k) note('key ' .. k) end\n"
                "function OnKeyUp(k) note('up ' .. k) end");
    game_.Write("res/object/hero/ace/Info.lua", "Info = { Type = 1, Name = 'ace' }");
    game_.Write("res/action/steer/Info.lua",
                "Info = { Speed = 400, BeginTime = 1 }\n"
                "function OnBegin(o) end");
    game_.Write("res/stage/main/Info.lua",
                "Info = {}\nfunction OnStageCreate()\n"
                "  hero = Stage_AddObject('hero', 'hero/ace') Obj_SetAction(hero, 'steer')\n"
                "  Obj_SetAction(Game_GetSystemHandle(), 'watch')\nend");
    game_.Write("res/action/watch/Info.lua",
                "Info = { BeginTime = 1, Interval = 1 }\n"
                "function OnBegin(o) frame = 0 quit = os.time() + 20 end\n"
                "function OnInterval(o)\n"
                "  frame = frame + 1 local x = Obj_GetX(hero)\n"
                "  if x ~= last then note('x ' .. x) end last = x\n"
                "  if os.time() > quit then Game_Exit() end\n"
                "end");
    const auto play = [this](const std::string& seen, const Options& options) {
        game_.Write("setup.lua", "seen = '" + seen +
                                     "'\nfunction note(s) local f = io.open(seen, 'a') "
                                     "f:write(frame or 0, ': ', s, '\\n') f:close() end\n"
                                     "Option = { ScreenWidth = 450, ScreenHeight = 600 }");
        return PlayInBackground(options);
    };
    Plug();
    Options live;
    live.Gamepads = true;
    live.Frames = 1000000000;
    live.RecordFile = (game_.Root() / "session.input").string();
    auto liveRun = play("live.txt", live);
    // Each step holds until the game has shown it.
    for (const auto& [button, down, shown] :
         {std::tuple{SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1, ": key 39\n"},
          {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0, ": up 39\n"},
          {SDL_CONTROLLER_BUTTON_A, 1, ": key 90\n"},
          {SDL_CONTROLLER_BUTTON_A, 0, ": up 90\n"},
          {SDL_CONTROLLER_BUTTON_BACK, 1, ": key 27\n"}}) {
        SDL_JoystickSetVirtualButton(pad_, button, static_cast<Uint8>(down));
        std::string seen;
        for (int i = 0; i < 300 && seen.find(shown) == std::string::npos; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            seen = ReadFile(game_.Root() / "live.txt");
        }
        ASSERT_NE(std::string::npos, seen.find(shown)) << seen;
    }
    ASSERT_EQ(0, liveRun.get());
    EXPECT_NE(std::string::npos, ReadFile(game_.Root() / "live.txt").find(": x 100\n"))
        << "the pad steered the hero right:\n"
        << ReadFile(game_.Root() / "live.txt");

    ASSERT_EQ(0, play("replay.txt", ReplayOf(*live.RecordFile)).get());
    EXPECT_EQ(ReadFile(game_.Root() / "live.txt"), ReadFile(game_.Root() / "replay.txt"));
}

}  // namespace
}  // namespace Velmora::Testing
