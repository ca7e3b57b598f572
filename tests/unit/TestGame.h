#pragma once
// Unit test fixtures: a throw-away game folder entered for the test, an engine on it, and a
// world drawing into the recording renderer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "app/Application.h"
#include "game/Engine.h"
#include "platform/ImageFile.h"
#include "platform/RecordingRenderer.h"
#include "resource/ResourceMgr.h"
#include "script/LuaControl.h"
#include "world/BaseObject.h"
#include "world/Stage.h"

namespace Velmora::Testing {

constexpr float kPiF = 3.14159265358979323846f;

class TempGame {
public:
    TempGame() : previous_(std::filesystem::current_path()) {
        char pattern[] = "/tmp/velmora-test-XXXXXX";
        root_ = mkdtemp(pattern) != nullptr ? pattern : "/tmp";
        std::filesystem::current_path(root_);
    }
    ~TempGame() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempGame(const TempGame&) = delete;
    TempGame& operator=(const TempGame&) = delete;
    // Writes a file relative to the game folder, creating its folders.
    void Write(const std::string& path, const std::string& content) const {
        std::filesystem::create_directories((root_ / path).parent_path());
        std::ofstream(root_ / path, std::ios::binary) << content;
    }
    std::filesystem::path Root() const { return root_; }

private:
    std::filesystem::path root_;
    std::filesystem::path previous_;
};

// Writes a w x h PNG from texels given row by row as 0xAARRGGBB; one texel fills it.
inline bool WritePng(const std::string& path, int w, int h,
                     const std::vector<std::uint32_t>& argb = {0xFFFFFFFFu}) {
    Platform::Image image{w, h, {}};
    for (std::size_t i = 0; i < static_cast<std::size_t>(w) * h; ++i) {
        for (int shift : {16, 8, 0, 24}) {
            image.Rgba.push_back(
                static_cast<std::uint8_t>(argb[argb.size() == 1 ? 0 : i] >> shift));
        }
    }
    return Platform::SavePngRgba(path, image);
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Polls until done() holds, for up to 3 s.
inline bool Eventually(const std::function<bool()>& done) {
    for (int i = 0; i < 300; ++i) {
        if (done()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The real main loop on another thread, headless at 0.125 s a frame; a message box fails
// the test. setup.lua names in `seen` the file the game notes what it sees in.
inline std::future<int> Play(const TempGame& game, const std::string& seen,
                             const std::string& settings, Options options) {
    game.Write("setup.lua", "seen = '" + seen + "'\n" + settings);
    options.Headless = true;
    options.Dt = 0.125f;
    return std::async(std::launch::async, [options] {
        Application app(options);
        app.ObserveMessages([](const std::string& text) { ADD_FAILURE() << text; });
        return app.Run();
    });
}

// Plays a game noting each key, release and new hero position ("x y") with its frame, live
// and recorded, poking it until each step shows; the replay must note the same. x 1099 ends it.
inline void ExpectReplayLikeLive(
    const TempGame& game, const std::string& settings, Options live,
    const std::vector<std::pair<std::function<void()>, std::string>>& steps) {
    game.Write("res/script/GameState.lua",
               "function OnGameCreate() Game_ActiveStage('main') end\n"
               "function note(s) local f = io.open(seen, 'a') f:write(frame or 0, ': ', s, "
               "'\\n') f:close() end\n"
               "function OnKeyEvent(k) note('key ' .. k) end\n"
               "function OnKeyUp(k) note('up ' .. k) end");
    game.Write("res/object/hero/ace/Info.lua", "Info = { Type = 1, Name = 'ace' }");
    game.Write("res/action/steer/Info.lua",
               "Info = { Speed = 400, BeginTime = 1 }\nfunction OnBegin(o) end");
    game.Write("res/stage/main/Info.lua",
               "Info = {}\nfunction OnStageCreate()\n"
               "  hero = Stage_AddObject('hero', 'hero/ace') Obj_SetAction(hero, 'steer')\n"
               "  Obj_SetAction(Game_GetSystemHandle(), 'watch')\nend");
    game.Write(
        "res/action/watch/Info.lua",
        "Info = { BeginTime = 1, Interval = 1 }\n"
        "function OnBegin(o) frame = 0 quit = os.time() + 20 end\n"
        "function OnInterval(o)\n"
        "  frame = frame + 1 local x = Obj_GetX(hero) local at = x .. ' ' .. Obj_GetY(hero)\n"
        "  if at ~= last then note(at) end last = at\n"
        "  if x == 1099 or os.time() > quit then Game_Exit() end\nend");
    live.Frames = 1000000000;
    live.RecordFile = (game.Root() / "session.input").string();
    auto liveRun = Play(game, "live.txt", settings, live);
    for (const auto& [poke, shown] : steps) {
        ASSERT_TRUE(Eventually([&, &poke = poke, &shown = shown] {
            poke();
            return ReadFile(game.Root() / "live.txt").find(shown) != std::string::npos;
        })) << shown;
    }
    ASSERT_EQ(0, liveRun.get());
    Options replay;
    std::string error;
    ASSERT_TRUE(ParseInputText(ReadFile(*live.RecordFile), "record", replay.Input, &error))
        << error;
    replay.Frames = (replay.Input.empty() ? 0 : replay.Input.back().Frame) + 5;
    ASSERT_EQ(0, Play(game, "replay.txt", settings, replay).get());
    EXPECT_EQ(ReadFile(game.Root() / "live.txt"), ReadFile(game.Root() / "replay.txt"));
}

// A fresh game folder and a fresh engine, with the script functions registered.
class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        auto host = std::make_unique<LuaControl>();
        host_ = host.get();
        engine_ = std::make_unique<Engine>(std::move(host));
        host_->RegisterFunctions(*engine_);
    }
    void TearDown() override { engine_.reset(); }
    Engine& engine() { return *engine_; }
    World& world() { return engine_->GetWorld(); }
    LuaControl* lua() { return host_; }
    lua_State* L() { return host_->GetState(); }
    void RunLua(const std::string& code) {
        ASSERT_EQ(luaL_dostring(L(), code.c_str()), 0) << lua_tostring(L(), -1);
    }
    double GlobalNumber(const std::string& name) { return std::stod(GlobalString(name)); }
    std::string GlobalString(const std::string& name) {
        lua_getglobal(L(), name.c_str());
        const std::string value = lua_isstring(L(), -1) ? lua_tostring(L(), -1) : "<nil>";
        lua_pop(L(), 1);
        return value;
    }
    // The game folder is entered before the engine exists and left after it is gone.
    TempGame game_;
    LuaControl* host_ = nullptr;
    std::unique_ptr<Engine> engine_;
};

// Adds the recording renderer and writers for object, action and stage scripts.
class WorldTest : public EngineTest {
protected:
    WorldTest() { engine().UseRenderer(std::make_unique<Platform::RecordingRenderer>(640, 480)); }
    Platform::RecordingRenderer& device() {
        return static_cast<Platform::RecordingRenderer&>(*engine().GetRenderer());
    }
    StageObjects* stage() { return world().CurrentObjects(); }
    // Enters a stage whose OnStageCreate runs the given Lua code.
    void Enter(const std::string& name, const std::string& onCreate = "") {
        game_.Write("res/stage/" + name + "/Info.lua",
                    "Info = { Level = 1 }\nfunction OnStageCreate()\n" + onCreate + "\nend\n");
        world().ActiveStage(name);
    }
    void Object(const std::string& path, const std::string& info, const std::string& extra = "") {
        game_.Write("res/object/" + path + "/Info.lua", "Info = " + info + "\n" + extra);
    }
    void ActionFile(const std::string& name, const std::string& info,
                    const std::string& extra = "") {
        game_.Write("res/action/" + name + "/Info.lua", "Info = " + info + "\n" + extra);
    }
    // A white picture declared as a sprite of the given size.
    void Sprite(const std::string& name, int w, int h) {
        ASSERT_TRUE(WritePng(name + ".png", w, h));
        engine().Resources().AddSprite(name, name + ".png", w, h);
    }
    void Frame(float dt = 0.125f) { engine().Update(dt); }
    // The object a script global's handle names, or null.
    BaseObject* Handle(const std::string& global) {
        lua_getglobal(L(), global.c_str());
        const auto serial = reinterpret_cast<std::uintptr_t>(lua_touserdata(L(), -1));
        lua_pop(L(), 1);
        return serial != 0 ? world().FindLive(serial) : nullptr;
    }
};

// Expects a statement to throw an exception of exactly class E with the given text.
#define EXPECT_THROW_TEXT(statement, E, text)                    \
    do {                                                         \
        try {                                                    \
            statement;                                           \
            ADD_FAILURE() << "expected " #E " from " #statement; \
        } catch (const E& e_) {                                  \
            EXPECT_EQ(std::string(text), e_.GetMessageText());   \
        }                                                        \
    } while (0)

}  // namespace Velmora::Testing
