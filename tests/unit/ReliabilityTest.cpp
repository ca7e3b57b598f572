// Faults that scripts, files and input once provoked: each case is what made the
// engine abort, hang, lose data or keep things alive, and what it does instead.
#include <chrono>
#include <cstdint>

#include "WorldFixture.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "game/ObjectCache.h"
#include "object/Bullet.h"
#include "platform/ImageFile.h"
#include "platform/SoundSystem.h"
#include "resource/ResourceMgr.h"
#include "sound/SoundController.h"

namespace Velmora::Testing {
namespace {

const char* const kStrict =
    "setmetatable(_G, {__index = function(t, k) error('undeclared ' .. tostring(k), 0) end})\n";

class ScriptHostReliability : public EngineTest {
protected:
    LuaControl* lua() { return LuaControl::GetInstance(); }
    int Top() { return lua_gettop(L()); }
};

// A "strict" global table raises on every unknown name; looking callbacks or fields
// up used to raise that error outside any protected call, which ends the process.
TEST_F(ScriptHostReliability, StrictGlobalsMakeMissingNamesFailNotAbort) {
    game_.Write("strict.lua", std::string(kStrict) + "function OnHere() here = 1 end\n");
    lua()->DoFile("strict.lua");
    EXPECT_THROW_TEXT(lua()->SelectFunction("OnMissing"), LuaException,
                      "LuaControl::SelectFunction(): Function 'OnMissing' does not exist. "
                      "undeclared OnMissing");
    EXPECT_THROW_TEXT(lua()->PushGlobal("OnCreate"), LuaException,
                      "LuaControl::CallFunction(): undeclared OnCreate");
    EXPECT_EQ(0, Top());
    lua()->SelectFunction("OnHere");
    lua()->CallFunction(0);
    EXPECT_EQ("1", GlobalString("here"));
    // A table with a metatable that answers is read through it.
    RunLua("setmetatable(_G, nil)");
    game_.Write(
        "proxy.lua",
        "Info = setmetatable({}, {__index = function(t, k) return k == 'Type' and 7 end})\n");
    EXPECT_EQ(7.0f, lua()->GetNumber("Type", "Info", "proxy.lua"));
    EXPECT_EQ(0, Top());
}

// A damaged precompiled chunk made the interpreter allocate gigabytes and run for
// minutes; chunks for the original platform never loaded here anyway.
TEST_F(ScriptHostReliability, PrecompiledChunksAreRefusedWithTheFileNamed) {
    RunLua("dumped = string.dump(loadstring('Info = { Level = 3 }'))");
    const std::string bytecode = GlobalString("dumped");
    ASSERT_EQ('\033', bytecode[0]);
    game_.Write("compiled.lua", bytecode);
    game_.Write("shebang.lua", "#!/usr/bin/lua\n" + bytecode);
    const std::string refused = "precompiled chunks are not loaded, only Lua source'";
    EXPECT_THROW_TEXT(lua()->DoFile("compiled.lua"), LuaException,
                      "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                      "'compiled.lua: " +
                          refused);
    EXPECT_THROW_TEXT(lua()->GetNumber("Level", "Info", "shebang.lua"), LuaException,
                      "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
                      "'shebang.lua: " +
                          refused);
    // Source with a first line for the shell, or starting with a comment, still runs.
    game_.Write("source.lua", "#!/usr/bin/lua\nInfo = { Level = 4 }\n");
    EXPECT_EQ(4.0f, lua()->GetNumber("Level", "Info", "source.lua"));
    game_.Write("empty.lua", "");
    lua()->DoFile("empty.lua");
    EXPECT_EQ(0, Top());
}

class WorldReliability : public WorldTest {};

// An infinite or unset count (1/0 reads as the largest integer) made the engine try
// to create two billion bullets.
TEST_F(WorldReliability, AbsurdBulletCountsAreAScriptError) {
    Object("bullet/b", "{ Type = 4, Name = 'b', Speed = 10 }");
    Enter("s",
          "Stage_CreateBullet('bullet/b', 2, 5, 5)\n"
          "ok, err = pcall(Stage_CreateBullet, 'bullet/b', 1/0, 0, 0)\n"
          "ok2, err2 = pcall(Stage_CreateBullet, 'bullet/b', 100001, 0, 0)\n"
          "kept = Stage_GetBullet(1)");
    EXPECT_EQ(
        "Stage_CreateBullet(): 2147483647 bullets at once is more than the engine makes "
        "(at most 100000)",
        GlobalString("err"));
    EXPECT_EQ(
        "Stage_CreateBullet(): 100001 bullets at once is more than the engine makes "
        "(at most 100000)",
        GlobalString("err2"));
    // The refused calls changed nothing: the earlier batch is still the latest.
    ASSERT_NE(nullptr, stage());
    EXPECT_EQ(2u, stage()->Bullets.size());
    EXPECT_EQ(static_cast<BaseObject*>(stage()->Bullets[1]), Handle("kept"));
}

// Games that declare their pictures in every stage's OnStageCreate left one record
// (and, on a window, one texture) behind per picture and stage entry.
TEST_F(WorldReliability, RedeclaredPicturesGoOnceNothingShowsThem) {
    Sprite("a", 4, 4);
    Object("plain/p", "{ Sprite = 'a' }");
    Object("mob/m", "{ Type = 2, Name = 'm', Sprite = 'a' }");
    ResourceMgr* resources = ResourceMgr::GetInstance();
    Enter("one", "Stage_AddObject('p', 'plain/p')");
    SpriteRecord* first = resources->GetSprite("a");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, stage()->GetObject("p")->Sprite);
    resources->AddSprite("a", "a.png", 4, 4);
    EXPECT_EQ(1u, resources->DisplacedCount());
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

// Scripts run by the settings file can make the game controller and the managers
// before the game exists; when the settings then fail, nothing may stay behind.
TEST(StartupReliability, FailingSettingsLeaveNoEngineBehind) {
    TempGame game;
    game.Write("setup.lua",
               "Res_AddSprite('a', 'a.png', 1, 1)\n"
               "pcall(Sound_Add, 'x.wav')\n"
               "Stage_CreateBullet('b', 1, 0, 0)\n"
               "error('settings fail')\n");
    std::vector<std::string> shown;
    Platform::SetMessageObserver([&shown](const std::string& text) { shown.push_back(text); });
    Options options;
    options.Headless = true;
    options.Frames = 2;
    int status = 0;
    {
        Application application(options);
        status = application.Run();
    }
    Platform::SetMessageObserver(nullptr);
    EXPECT_EQ(1, status);
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(
        "LuaControl::DoFile(): luaL_dofile failed. ErrorMessage from Lua: "
        "'setup.lua:4: settings fail'",
        shown[0]);
    EXPECT_EQ(nullptr, CGame::Existing());
    EXPECT_EQ(nullptr, LuaControl::Existing());
    EXPECT_EQ(nullptr, ResourceMgr::Existing());
    EXPECT_EQ(nullptr, SoundController::Existing());
    EXPECT_EQ(nullptr, ObjectCache::Existing());
}

// Adding a sound name again kept the sound loaded before until shutdown: games adding
// their music on every stage entry piled up decoded music.
TEST(SoundReliability, SoundsLoadedAgainGoWhenTheirPlaysEnd) {
    TempGame game;
    auto le = [](std::uint64_t v, int n) {
        std::string out;
        for (int i = 0; i < n; ++i) {
            out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
        return out;
    };
    // Half a second of 8 kHz 8-bit mono.
    const std::string body = "WAVE" + std::string("fmt ") + le(16, 4) + le(1, 2) + le(1, 2) +
                             le(8000, 4) + le(8000, 4) + le(1, 2) + le(8, 2) + "data" +
                             le(4000, 4) + std::string(4000, '\x80');
    game.Write("res/sound/a.wav", "RIFF" + le(body.size(), 4) + body);
    SoundController* sound = SoundController::GetInstance();
    sound->System = Platform::CreateSilentSoundSystem();
    ASSERT_EQ(Platform::SOUND_OK, sound->System->Init(20));

    sound->Add("a.wav");
    Platform::Sound* first = sound->Sounds["a.wav"].Sound;
    sound->Play("a.wav", 1.0f, false);
    const Platform::ChannelHandle firstPlay = sound->Sounds["a.wav"].Channel;
    sound->Add("a.wav");
    Platform::Sound* second = sound->Sounds["a.wav"].Sound;
    sound->Play("a.wav", 1.0f, true);
    sound->Update(0.25f);
    // The first play goes on with the first sound.
    bool playing = false;
    EXPECT_EQ(Platform::SOUND_OK, sound->System->IsPlaying(firstPlay, &playing));
    EXPECT_EQ(Platform::SOUND_OK, sound->System->SetMode(first, Platform::SOUND_LOOP_OFF));
    sound->Update(0.5f);
    EXPECT_EQ(Platform::SOUND_ERR_INVALID_HANDLE,
              sound->System->SetMode(first, Platform::SOUND_LOOP_OFF));

    // A looping play never ends by itself, so its sound stays while it loops.
    sound->Add("a.wav");
    sound->Update(5.0f);
    EXPECT_EQ(Platform::SOUND_OK, sound->System->SetMode(second, Platform::SOUND_LOOP_NORMAL));
    sound->Play("a.wav", 1.0f, false);
    sound->Stop("a.wav");  // the newest play, of the third sound: the loop goes on
    sound->Update(1.0f);
    EXPECT_EQ(Platform::SOUND_OK, sound->System->SetMode(second, Platform::SOUND_LOOP_NORMAL));
    SoundController::DestroyInstance();
}

// A 78-byte BMP whose header claims 131072 x 131072 pixels kept the decoder busy for
// minutes and took gigabytes before anything could be said about it.
TEST(PictureReliability, HeadersClaimingGiantOrEmptyPicturesFailAtOnce) {
    TempGame game;
    auto le = [](std::string& out, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) {
            out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    auto bmp = [&](std::uint32_t side) {
        std::string out = "BM";
        // File size, reserved, pixel offset, header size, width, height, planes, one bit
        // a pixel, no compression, image size, resolution, two palette colours.
        for (auto [v, n] : {std::pair{94u, 4},
                            {0u, 4},
                            {62u, 4},
                            {40u, 4},
                            {side, 4},
                            {side, 4},
                            {1u, 2},
                            {1u, 2},
                            {0u, 4},
                            {0u, 4},
                            {2835u, 4},
                            {2835u, 4},
                            {2u, 4},
                            {0u, 4}}) {
            le(out, v, n);
        }
        out += std::string("\0\0\0\0\xff\xff\xff\0", 8);
        // Rows of four bytes: all of them for the small picture, a cut-off file for the
        // giant one.
        return out + std::string(side == 8 ? 32 : 8, '\x55');
    };
    game.Write("giant.bmp", bmp(131072));
    game.Write("small.bmp", bmp(8));
    const auto start = std::chrono::steady_clock::now();
    Platform::Image image;
    EXPECT_FALSE(Platform::LoadImageRgba("giant.bmp", image));
    // Generous: the refusal takes milliseconds, the decoding it prevents minutes.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    ASSERT_TRUE(Platform::LoadImageRgba("small.bmp", image));
    EXPECT_EQ(8, image.Width);
    EXPECT_EQ(8, image.Height);
    // A TGA header of no width and three rows decodes to a surface with no pixels, whose
    // rows the copy then read from nowhere.
    game.Write("flat.tga",
               std::string("\0\0\2\0\0\0\0\0\0\0\0\0\0\0\3\0\x20\x08", 18) + std::string(48, '@'));
    EXPECT_FALSE(Platform::LoadImageRgba("flat.tga", image));
}

}  // namespace
}  // namespace Velmora::Testing
