// Faults that scripts and files once provoked, checked for what the engine does
// instead. The inputs that made it abort, hang or leak are also replayed by the file
// fuzzer's corpus; these cases pin down what a script sees.
#include "WorldFixture.h"
#include "resource/ResourceMgr.h"

namespace Velmora::Testing {
namespace {

class ScriptHostReliability : public EngineTest {
protected:
    LuaControl* lua() { return LuaControl::GetInstance(); }
    int Top() { return lua_gettop(L()); }
};

// A damaged precompiled chunk made the interpreter allocate gigabytes and run for
// minutes; chunks for the original platform never loaded here anyway.
TEST_F(ScriptHostReliability, PrecompiledChunksAreRefusedWithTheFileNamed) {
    RunLua("dumped = string.dump(loadstring('Info = { Level = 3 }'))");
    const std::string bytecode = GlobalString("dumped");
    game_.Write("compiled.lua", "#!/usr/bin/lua\n" + bytecode);  // behind a line for the shell
    EXPECT_THROW_TEXT(lua()->GetNumber("Level", "Info", "compiled.lua"), LuaException,
                      "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                      "'compiled.lua: precompiled chunks are not loaded, only Lua source'");
    // Source with a first line for the shell still runs.
    game_.Write("source.lua", "#!/usr/bin/lua\nInfo = { Level = 4 }\n");
    EXPECT_EQ(4.0f, lua()->GetNumber("Level", "Info", "source.lua"));
    EXPECT_EQ(0, Top());
}

class WorldReliability : public WorldTest {};

// Games that declare their pictures in every stage's OnStageCreate left one record
// (and, on a window, one texture) behind per picture and stage entry.
TEST_F(WorldReliability, RedeclaredPicturesGoOnceNothingShowsThem) {
    Sprite("a", 4, 4);
    Object("plain/p", "{ Sprite = 'a' }");
    Object("mob/m", "{ Type = 2, Name = 'm', Sprite = 'a' }");
    ResourceMgr* resources = ResourceMgr::GetInstance();
    Enter("one", "Stage_AddObject('p', 'plain/p')");
    SpriteRecord* first = resources->GetSprite("a");
    resources->AddSprite("a", "a.png", 4, 4);
    Frame();
    stage()->Draw();
    // The object still shows the first record.
    EXPECT_EQ(1u, resources->DisplacedCount());
    EXPECT_EQ(first, stage()->GetObject("p")->Sprite);
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
