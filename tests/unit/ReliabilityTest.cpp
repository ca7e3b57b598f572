// Faults that scripts and files once provoked (the file fuzzer's corpus replays the inputs
// that made the engine abort, hang or leak); these cases pin down what a script sees.
#include <fcntl.h>
#include <sys/stat.h>

#include <future>

#include "TestGame.h"
#include "platform/SoundFile.h"
#include "resource/ResourceMgr.h"

namespace Velmora::Testing {
namespace {

class ScriptHostReliability : public EngineTest {};

// A damaged precompiled chunk made the interpreter allocate gigabytes and run for minutes.
TEST_F(ScriptHostReliability, PrecompiledChunksAreRefusedWithTheFileNamed) {
    RunLua("dumped = string.dump(loadstring('Info = { Level = 3 }'))");
    game_.Write("compiled.lua", "#!/usr/bin/lua\n" + GlobalString("dumped"));
    EXPECT_THROW_TEXT(lua()->GetNumber("Level", "Info", "compiled.lua"), LuaException,
                      "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                      "'compiled.lua: precompiled chunks are not loaded, only Lua source'");
    // Source behind a first line for the shell still runs.
    game_.Write("source.lua", "#!/usr/bin/lua\nInfo = { Level = 4 }\n");
    EXPECT_EQ(4.0f, lua()->GetNumber("Level", "Info", "source.lua"));
    EXPECT_EQ(0, lua_gettop(L()));
}

// A FIFO in place of a game file blocked start-up in open, waiting for a writer forever.
TEST_F(ScriptHostReliability, FifosFailLikeUnreadableFiles) {
    const std::vector<std::string> fifos = {"fifo.lua", "fifo.png", "fifo.wav"};
    for (const std::string& path : fifos) {
        ASSERT_EQ(0, mkfifo(path.c_str(), 0600)) << path;
    }
    auto loads = std::async(std::launch::async, [this] {
        EXPECT_THROW_TEXT(lua()->GetNumber("Level", "Info", "fifo.lua"), LuaException,
                          "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                          "'cannot open fifo.lua: not a regular file'");
        Platform::Image image;
        EXPECT_FALSE(Platform::LoadImageRgba("fifo.png", image));
        int width = 0, height = 0;
        EXPECT_FALSE(Platform::ReadImageSize("fifo.png", &width, &height));
        double seconds = 0.0;
        EXPECT_EQ(Platform::kSoundFileMissing, Platform::ReadSoundLength("fifo.wav", &seconds));
    });
    // Should a load wait after all, a passing writer lets it fail instead of hang.
    while (loads.wait_for(std::chrono::seconds(2)) != std::future_status::ready) {
        ADD_FAILURE() << "a load waits on a FIFO";
        for (const std::string& path : fifos) {
            close(open(path.c_str(), O_WRONLY | O_NONBLOCK));
        }
    }
}

class WorldReliability : public WorldTest {};

// Finalizer and memory errors, raised at any allocation inside the host's own calls, once
// jumped over the engine's frames (leaving half-made objects) or ended the process.
TEST_F(WorldReliability, FinalizerAndMemoryErrorsFailOnlyTheCallTheyInterrupt) {
    Enter("one");
    // Leaves a raising finalizer pending for the next allocation: a full collection stops
    // at the first of two.
    auto arm = [this] {
        RunLua(
            "for i = 1, 2 do getmetatable(newproxy(true)).__gc = function() error('finalizer') end "
            "end");
        lua_cpcall(
            L(), [](lua_State* S) { return lua_gc(S, LUA_GCCOLLECT, 0); }, nullptr);
        lua_pop(L(), 1);
        lua_gc(L(), LUA_GCRESTART, 0);
    };
    Object("mob/a", "{ Type = 2, Name = 'a', HP = 1 }");
    Object("mob/b", "{ Type = 2, Name = 'b', HP = 1 }");
    arm();
    EXPECT_THROW(lua()->SelectFunction("OnStageCreate"), LuaException);
    arm();
    EXPECT_THROW(stage()->AddObject("a", "mob/a"), LuaException);
    EXPECT_EQ(nullptr, stage()->GetObject("a"));
    // Inside an exported function, where the error once skipped the engine's frames.
    ASSERT_EQ(0, luaL_loadstring(L(), "ok, err = pcall(Stage_AddObject, 'b', 'mob/b')"));
    arm();
    ASSERT_EQ(0, lua_pcall(L(), 0, 0, 0));
    EXPECT_NE(std::string::npos, GlobalString("err").find("finalizer"));
    EXPECT_EQ(nullptr, stage()->GetObject("b"));
    lua()->SetMemoryLimit(lua()->MemoryInUse() + 1024);
    Object("mob/late", "{ Type = 2, Name = 'late', HP = 1, Padding = string.rep('x', 4096) }");
    EXPECT_THROW_TEXT(stage()->AddObject("late", "mob/late"), LuaException,
                      "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                      "'not enough memory'");
    lua()->SetMemoryLimit(0);
    EXPECT_EQ(nullptr, stage()->GetObject("late"));
    EXPECT_EQ(0, lua_gettop(L()));
}

// Games declaring their pictures and fonts in every OnStageCreate left one record (and, on a
// window, one texture) behind per declaration and stage entry.
TEST_F(WorldReliability, RedeclaredPicturesAndFontsGoOnceNothingShowsThem) {
    Sprite("a", 4, 4);
    Object("plain/p", "{ Sprite = 'a' }");
    Object("plain/t", "{}");
    Object("mob/m", "{ Type = 2, Name = 'm', Sprite = 'a' }");
    ResourceMgr* resources = &engine().Resources();
    RunLua("Res_AddBitmapFont('f', 'a.png', 2, 2, 48)");
    Enter("one",
          "Stage_AddObject('p', 'plain/p') t = Stage_AddObject('t', 'plain/t') "
          "Obj_SetText(t, 'f', '0123')");
    SpriteRecord* first = resources->GetSprite("a");
    const Font* font = resources->GetFont("f");
    resources->AddSprite("a", "a.png", 4, 4);
    RunLua("Res_AddBitmapFont('f', 'a.png', 2, 2, 48)");
    Frame();
    stage()->Draw();
    // The objects still show the first declarations.
    EXPECT_EQ(2u, resources->DisplacedCount());
    EXPECT_EQ(first, stage()->GetObject("p")->Sprite);
    EXPECT_EQ(font, Handle("t")->TextFont);
    Enter("two");
    Frame();
    EXPECT_EQ(0u, resources->DisplacedCount());
    // A cached kind's template keeps the record it was loaded with, and so does every
    // object copied from it later.
    Enter("three", "Stage_AddObject('m', 'mob/m')");
    SpriteRecord* shown = stage()->GetObject("m")->Sprite;
    resources->AddSprite("a", "a.png", 4, 4);
    Enter("four", "Stage_AddObject('m', 'mob/m')");
    Frame();
    stage()->Draw();
    EXPECT_EQ(1u, resources->DisplacedCount());
    EXPECT_EQ(shown, stage()->GetObject("m")->Sprite);
}

}  // namespace
}  // namespace Velmora::Testing
