#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "FileFuzz.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "game/CGame.h"
#include "object/BaseObject.h"
#include "platform/ImageFile.h"
#include "platform/Keys.h"
#include "platform/MessageBox.h"
#include "platform/RecordingDevice.h"
#include "platform/Screen.h"
#include "platform/SoundFile.h"
#include "platform/SoundSystem.h"
#include "resource/SpriteRecord.h"
#include "script/LuaControl.h"
#include "sound/SoundController.h"

namespace Velmora::Fuzz {

namespace {

Platform::RecordingDevice& Device() {
    static Platform::RecordingDevice device(450, 600);
    return device;
}

int ClampToInt(long long value) {
    return static_cast<int>(std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, value)));
}

const std::vector<long long> kInterestingInts = {
    0, 1, 2, 3, 4, 7, 10, 64, 255, 256, -1, -2, -100, 2147483647, -2147483647 - 1, 1000000,
};

// --- frame lists --------------------------------------------------------------------
// Header: "count frameWidth frameHeight columns rows startFrame speed"; payload: the
// frame text as Res_AddAni passes it.

std::string FramesGenerate(Rng& rng) {
    std::ostringstream header;
    auto number = [&]() {
        return rng.Chance(0.6) ? static_cast<long long>(rng.Between(0, 12))
                               : rng.Pick(kInterestingInts);
    };
    std::string text;
    const int items = rng.Between(0, 12);
    for (int i = 0; i < items; ++i) {
        if (rng.Chance(0.85)) {
            text +=
                std::to_string(rng.Chance(0.8) ? rng.Between(0, 40) : rng.Pick(kInterestingInts));
        } else {
            const std::vector<std::string> odd = {
                "007", "+3", " 4", "-", "", "99999999999999999999", "0x1A", "1e3", "abc", "\xff"};
            text += rng.Pick(odd);
        }
        if (i + 1 < items || rng.Chance(0.3)) {
            const std::vector<std::string> seps = {",", " ", ";", ",,", ", ", "\t", "\n"};
            text += rng.Chance(0.8) ? std::string(",") : rng.Pick(seps);
        }
    }
    if (rng.Chance(0.2)) {
        text = Mutate(rng, text, {",", "-", "0", "9", " "});
    }
    const long long count = rng.Chance(0.6) ? items : number();
    header << count << ' ' << number() << ' ' << number() << ' ' << number() << ' ' << number()
           << ' ' << (rng.Chance(0.7) ? 0 : number()) << ' ' << rng.Real(-1.0, 2.0);
    return header.str() + "\n" + text;
}

// The list read back when the text is a well-formed one: shortest decimal numbers,
// each followed by one comma.
bool CanonicalCells(const std::string& text, std::vector<int>& cells) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t comma = text.find(',', at);
        const std::string number = text.substr(at, comma == std::string::npos ? comma : comma - at);
        if (number.empty() || number.size() > 10) {
            return false;
        }
        char* end = nullptr;
        const long long value = std::strtoll(number.c_str(), &end, 10);
        if (*end != '\0' || value < INT32_MIN || value > INT32_MAX ||
            std::to_string(value) != number) {
            return false;
        }
        cells.push_back(static_cast<int>(value));
        if (comma == std::string::npos) {
            break;
        }
        at = comma + 1;
    }
    return true;
}

bool FramesRun(const std::string& input, std::string* why) {
    std::string header;
    std::string text;
    SplitInput(input, header, text);
    std::istringstream fields(header);
    long long count = 0, fw = 0, fh = 0, columns = 0, rows = 0, start = 0;
    double speed = 0.3;
    fields >> count >> fw >> fh >> columns >> rows >> start >> speed;

    static const bool pictureWritten = [] {
        Platform::Image image;
        image.Width = 16;
        image.Height = 8;
        image.Rgba.assign(16 * 8 * 4, 200);
        return Platform::SavePngRgba("grid.png", image);
    }();
    if (!pictureWritten) {
        *why = "cannot write the test picture";
        return false;
    }
    SpriteRecord record(&Device());
    record.LoadFrames("grid.png", ClampToInt(fw), ClampToInt(fh), ClampToInt(columns),
                      ClampToInt(rows));
    record.AddAnimation("a", ClampToInt(count), text);
    const std::vector<AnimationFrame>& frames = record.Animations->at("a").Frames;
    if (frames.size() > static_cast<std::size_t>(std::max<long long>(count, 0)) ||
        frames.size() > text.size()) {
        *why = "more entries than the count or the text allow: " + std::to_string(frames.size());
        return false;
    }
    std::vector<int> expected;
    if (CanonicalCells(text, expected)) {
        expected.resize(std::min<std::size_t>(
            expected.size(), static_cast<std::size_t>(std::max<long long>(count, 0))));
        bool same = expected.size() == frames.size();
        for (std::size_t i = 0; same && i < frames.size(); ++i) {
            same = frames[i].Cell == expected[i] && frames[i].Speed == 0.3f;
        }
        if (!same) {
            *why = "a well-formed list read back differently";
            return false;
        }
    }
    record.SetDefaultSpeed("a", static_cast<float>(speed));
    record.SetFrameSpeed("a", ClampToInt(start), 1.0f);
    record.SetFrameSpeed("never declared", ClampToInt(start), 1.0f);
    record.SetDefaultSpeed("never declared either", 2.0f);
    Animation* animation = record.GetAnimation("a");
    animation->Loop = (count & 1) != 0;
    const bool startsInside = start >= 0 && static_cast<std::size_t>(start) < frames.size();
    int frame = ClampToInt(start);
    float time = 0.0f;
    for (int step = 0; step < 40; ++step) {
        time += 0.1f;
        record.DrawAnimated(10.0f, 20.0f, animation, frame, time);
        if (startsInside && (frame < 0 || static_cast<std::size_t>(frame) >= frames.size())) {
            *why = "the animation stepped outside its entries: " + std::to_string(frame);
            return false;
        }
    }
    record.DrawAnimated(0.0f, 0.0f, record.GetAnimation("empty"), frame, time);
    return true;
}

// --- script files -------------------------------------------------------------------
// Header: the role of the payload: setup, gamestate, stage, object or action. The rest
// of a small valid game is written around it and the real start-up, frames with a
// key press, and teardown run in this process.

const char* const kSetup = "Option = { ScreenWidth = 450, ScreenHeight = 600, FullScreen = 0 }\n";
const char* const kGameState =
    "function OnGameCreate()\n"
    "    Res_AddSprite(\"dot\", \"dot.png\", 8, 8)\n"
    "    Game_ActiveStage(\"s\")\n"
    "end\n"
    "function OnKeyEvent(key)\n"
    "    Game_ActiveStage(\"s\")\n"
    "end\n";
const char* const kStage =
    "Info = { Level = 1 }\n"
    "function OnStageCreate()\n"
    "    local made = {}\n"
    "    local function try(fn, ...)\n"
    "        local ok, h = pcall(fn, ...)\n"
    "        if ok and h then made[#made + 1] = h end\n"
    "    end\n"
    "    try(Stage_AddObject, \"hero\", \"hero/o\")\n"
    "    try(Stage_AddObject, \"mob\", \"mob/o\")\n"
    "    try(Stage_AddObject, \"board\", \"board/o\")\n"
    "    try(Stage_AddObject, \"plain\", \"plain/o\")\n"
    "    try(Stage_CreateItem, \"o\", 100, 100)\n"
    "    try(Stage_CreateEffect, \"o\", 50, 50)\n"
    "    try(Stage_CreateFriend, \"friend/o\", 120, 100)\n"
    "    pcall(Stage_CreateBullet, \"bullet/o\", 2, 100, 90)\n"
    "    try(Stage_GetBullet, 0)\n"
    "    for i = 1, #made do\n"
    "        pcall(Obj_SetAction, made[i], \"a\")\n"
    "        pcall(ScoreBoard_SetScore, made[i], 42)\n"
    "    end\n"
    "end\n";
const char* const kObject =
    "Info = { Type = 2, Name = \"o\", HP = 3, Life = 3, Power = 1, Speed = 50, Positive = 1,\n"
    "         AutoDirection = 1, DigitSpace = 4, X = 10, Y = 20, CollisionRadius = 8,\n"
    "         EllipseX = 0, EllipseY = 0, ZOrder = 1, Sprite = \"dot\" }\n"
    "function OnDamage(me, n) Obj_SetHP(me, (Obj_GetHP(me) or 0) - 1) end\n"
    "function OnHit(me, target) Obj_Delete(me) end\n"
    "function OnEaten(me, hero) Obj_Delete(me) end\n"
    "function OnCreate(me) Obj_SetAlpha(me, 0.5) end\n";
const char* const kAction =
    "Info = { X = 0, Y = 0, DX = 1, DY = 0, Speed = 10, BeginTime = 1, ActTime = 20, Interval = 30 "
    "}\n"
    "function OnBegin(me) Obj_SetStep(me, 2) end\n"
    "function OnAction(me) Obj_SetDY(me, 1) end\n"
    "function OnInterval(me) Obj_SetStep(me, (Obj_GetStep(me) or 0) + 1) end\n";

const std::vector<std::string> kRoles = {"setup", "gamestate", "stage", "object", "action"};
const std::vector<std::string> kObjectKinds = {"hero", "mob",    "board",  "plain",
                                               "item", "effect", "friend", "bullet"};

std::string SeedFor(const std::string& role) {
    if (role == "setup")
        return kSetup;
    if (role == "gamestate")
        return kGameState;
    if (role == "stage")
        return kStage;
    if (role == "object")
        return kObject;
    return kAction;
}

const std::vector<std::string> kLuaValues = {
    "0",
    "1",
    "-1",
    "0.5",
    "1e309",
    "-1e309",
    "0/0",
    "-(0/0)",
    "2^31",
    "-2^31-1",
    "2^63",
    "1e-320",
    "\"12\"",
    "\" 12 \"",
    "\"0x1F\"",
    "\"abc\"",
    "\"\"",
    "true",
    "false",
    "nil",
    "{}",
    "function() end",
    "Info",
    "string.rep('9', 400)",
    "string.rep('%s', 300)",
    "setmetatable({}, {__index = function() error('boom') end})",
    "setmetatable({}, {__tostring = function() return 'x' end})",
    "newproxy(true)",
    "coroutine.create(print)",
    "\"dot\"",
    "\"a\"",
    "\"o\"",
};
const std::vector<std::string> kInfoKeys = {
    "Type",
    "Name",
    "HP",
    "Life",
    "Power",
    "Speed",
    "Positive",
    "AutoDirection",
    "DigitSpace",
    "X",
    "Y",
    "DX",
    "DY",
    "CollisionRadius",
    "EllipseX",
    "EllipseY",
    "ZOrder",
    "Sprite",
    "Level",
    "BeginTime",
    "ActTime",
    "Interval",
    "Score",
    "WeaponType",
    "BombCount",
    "ScreenWidth",
    "ScreenHeight",
    "FullScreen",
    "Controller",
    "Port",
    "AdjustX",
    "AdjustY",
};
// Whole lines a script might hold: other tables, global metatables (strict mode),
// callbacks that fail or change the world, errors of every kind.
const std::vector<std::string> kLuaLines = {
    "Info = 5",
    "Info = 'text'",
    "Info = nil",
    "Info = function() end",
    "Option = 7",
    "Option = nil",
    "Info = setmetatable({}, {__index = function(t, k) error('no ' .. k) end})",
    "Info = setmetatable({}, {__index = function(t, k) return k end})",
    "Option = setmetatable({}, {__index = function(t, k) error('no option ' .. k) end})",
    "setmetatable(_G, {__index = function(t, k) error('undeclared ' .. tostring(k), 2) end})",
    "setmetatable(_G, {__index = function(t, k) return 1 end})",
    "setmetatable(_G, {__newindex = function(t, k, v) rawset(t, k, v) end})",
    "OnGameCreate = 5",
    "OnStageCreate = nil",
    "OnBegin = {}",
    "function OnBegin(me) error('begin fails') end",
    "function OnInterval(me) Obj_SetAction(me, 'a') end",
    "function OnAction(me) Game_RemoveCurStage() end",
    "function OnBegin(me) Game_ActiveStage('s') end",
    "function OnCreate(me) Obj_Delete(me) Game_ActiveStage('s') end",
    "function OnHit(me, t) Game_ActiveStage('s') end",
    "function OnDamage(me, n) error({}) end",
    "function OnEaten(me, h) Game_RemoveCurStage() end",
    "function OnKeyEvent(k) error(setmetatable({}, {__tostring = function() return 'x' end})) end",
    "function OnStageCreate() Game_ActiveStage('s') end",
    "function OnGameCreate() Game_Exit() end",
    "error('the file fails')",
    "error()",
    "error(nil)",
    "error(42)",
    "return 1, 2, 3",
    "return",
    "dofile('setup.lua')",
    "dofile('res/script/GameState.lua')",
    "Stage_CreateBullet('bullet/o', 1e10, 0, 0)",
    "Game_ActiveStage('missing')",
    "Res_AddAni('dot', 'a', 1e9, '1,2,3')",
    "collectgarbage()",
    "Game_GetSystemHandle = nil",
};
const std::vector<std::string> kLuaTokens = {
    "Info",     "=",       "{",     "}",      "(",
    ")",        "nil",     "0/0",   "1e400",  "-",
    "\"",       "'",       "..",    ",",      "function",
    "end",      "return",  "local", "error(", "setmetatable(",
    "[[",       "]]",      "--[[",  "\n",     ";",
    "not",      "#",       "...",   "\\",     "\0",
    "\xff\xfe", "\x1bLua",
};

std::string RandomTable(Rng& rng, const std::string& seed, const std::string& table) {
    std::string out = rng.Chance(0.5) ? seed + "\n" : std::string();
    out += table + " = { ";
    const int fields = rng.Between(0, 10);
    for (int i = 0; i < fields; ++i) {
        out += rng.Pick(kInfoKeys) + " = " + rng.Pick(kLuaValues) + ", ";
    }
    out += "}\n";
    return out;
}

std::string BytecodeOf(const std::string& source) {
    lua_State* L = luaL_newstate();
    std::string out;
    if (luaL_loadstring(L, source.c_str()) == 0) {
        lua_dump(
            L,
            [](lua_State*, const void* p, size_t n, void* ud) {
                static_cast<std::string*>(ud)->append(static_cast<const char*>(p), n);
                return 0;
            },
            &out);
    }
    lua_close(L);
    return out;
}

std::string ScriptsGenerate(Rng& rng) {
    const std::string role = rng.Pick(kRoles);
    const std::string seed = SeedFor(role);
    std::string payload;
    switch (rng.Below(8)) {
        case 0:
        case 1:
            payload = RandomTable(rng, seed, role == "setup" ? "Option" : "Info");
            break;
        case 2:
        case 3: {
            payload = seed;
            const int lines = rng.Between(1, 3);
            for (int i = 0; i < lines; ++i) {
                const std::string line = rng.Pick(kLuaLines) + "\n";
                payload = rng.Chance(0.5) ? line + payload : payload + line;
            }
            break;
        }
        case 4:
        case 5:
            payload = Mutate(rng, seed, kLuaTokens);
            break;
        case 6:
            payload = seed.substr(0, rng.Below(seed.size() + 1));
            break;
        default:
            payload = rng.Chance(0.5)
                          ? Mutate(rng, BytecodeOf(seed), {"\0", "\xff"})
                          : std::string(rng.Below(64), static_cast<char>(rng.Below(256)));
            break;
    }
    return role + "\n" + payload;
}

// Stops scripts that a mutation turned into long loops: an error from the hook ends
// the running chunk or callback like any script error.
int g_instructionBudget = 0;
void BudgetHook(lua_State* L, lua_Debug*) {
    if (--g_instructionBudget < 0) {
        g_instructionBudget = 1000;
        luaL_error(L, "fuzz: instruction budget spent");
    }
}

bool ScriptsRun(const std::string& input, std::string* why) {
    std::string role;
    std::string payload;
    SplitInput(input, role, payload);
    namespace fs = std::filesystem;
    static const bool prepared = [] {
        for (const std::string& kind : kObjectKinds) {
            fs::create_directories("res/object/" + kind + "/o");
        }
        fs::create_directories("res/script");
        fs::create_directories("res/stage/s");
        fs::create_directories("res/action/a");
        Platform::Image image;
        image.Width = 8;
        image.Height = 8;
        image.Rgba.assign(8 * 8 * 4, 255);
        return Platform::SavePngRgba("dot.png", image);
    }();
    (void)prepared;
    WriteFile("setup.lua", role == "setup" ? payload : kSetup);
    WriteFile("res/script/GameState.lua", role == "gamestate" ? payload : kGameState);
    WriteFile("res/stage/s/Info.lua", role == "stage" ? payload : kStage);
    WriteFile("res/action/a/Info.lua", role == "action" ? payload : kAction);
    for (const std::string& kind : kObjectKinds) {
        WriteFile("res/object/" + kind + "/o/Info.lua", role == "object" ? payload : kObject);
    }

    const std::size_t objectsBefore = BaseObject::LiveCount();
    int messages = 0;
    Platform::SetMessageObserver([&messages](const std::string&) { ++messages; });
    lua_State* L = LuaControl::GetInstance()->GetState();
    g_instructionBudget = 20000;
    lua_sethook(L, BudgetHook, LUA_MASKCOUNT, 1000);

    Options options;
    options.Headless = true;
    options.Frames = 4;
    options.Dt = 0.05f;
    options.Input = {InputEvent{2, InputEvent::Kind::Down, 65, 0, 0},
                     InputEvent{3, InputEvent::Kind::Up, 65, 0, 0}};
    int status = -1;
    {
        Application application(options);
        status = application.Run();
    }
    Platform::SetMessageObserver(nullptr);
    CGame::keyStates.clear();
    Platform::ReleaseAllKeys();
    if (LuaControl::Existing() != nullptr || CGame::Existing() != nullptr) {
        *why = "the teardown left the script host or the game controller behind";
        return false;
    }
    if (status != 0 && !(status == 1 && role == "setup")) {
        *why = "exit status " + std::to_string(status);
        return false;
    }
    if (BaseObject::LiveCount() != objectsBefore) {
        *why =
            std::to_string(BaseObject::LiveCount() - objectsBefore) + " objects outlived the game";
        return false;
    }
    return true;
}

// --- pictures -----------------------------------------------------------------------
// Header: the file's extension (SDL_image tells some formats by it); payload: bytes.

std::uint32_t Crc32(const std::string& data, std::size_t from, std::size_t to) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = from; i < to; ++i) {
        crc ^= static_cast<std::uint8_t>(data[i]);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

// Mutated PNGs would mostly stop at their first checksum; fixing the checksums lets
// the damage reach the decoder.
void FixPngChecksums(std::string& data) {
    std::size_t at = 8;
    while (at + 12 <= data.size()) {
        const std::uint32_t length = static_cast<std::uint8_t>(data[at]) << 24 |
                                     static_cast<std::uint8_t>(data[at + 1]) << 16 |
                                     static_cast<std::uint8_t>(data[at + 2]) << 8 |
                                     static_cast<std::uint8_t>(data[at + 3]);
        if (length > data.size() - at - 12) {
            return;
        }
        const std::uint32_t crc = Crc32(data, at + 4, at + 8 + length);
        for (int i = 0; i < 4; ++i) {
            data[at + 8 + length + static_cast<std::size_t>(i)] =
                static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
        }
        at += 12 + length;
    }
}

std::string PicturesGenerate(Rng& rng) {
    std::string ext;
    std::string bytes;
    if (rng.Chance(0.4)) {
        Platform::Image image;
        image.Width = rng.Between(1, 24);
        image.Height = rng.Chance(0.1) ? rng.Between(100, 600) : rng.Between(1, 24);
        image.Rgba.resize(static_cast<std::size_t>(image.Width) * image.Height * 4);
        for (auto& b : image.Rgba) {
            b = static_cast<std::uint8_t>(rng.Below(256));
        }
        Platform::SavePngRgba("seed.png", image);
        std::ifstream file("seed.png", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        ext = "png";
        bytes = Mutate(rng, bytes, {"IHDR", "IDAT", "IEND", "PLTE", "tRNS"});
        if (rng.Chance(0.8)) {
            FixPngChecksums(bytes);
        }
    } else if (rng.Chance(0.95)) {
        const auto seeds = PictureSeeds();
        const auto& seed = rng.Pick(seeds);
        ext = seed.first;
        bytes = rng.Chance(0.1) ? seed.second : Mutate(rng, seed.second, {"BM", "GIF89a", "P6"});
    } else {
        ext = rng.Pick(std::vector<std::string>{"png", "bmp", "jpg", "tga", "gif", "xcf", ""});
        bytes = std::string(rng.Below(32), static_cast<char>(rng.Below(256)));
    }
    return ext + "\n" + bytes;
}

bool PicturesRun(const std::string& input, std::string* why) {
    std::string ext;
    std::string bytes;
    SplitInput(input, ext, bytes);
    for (char& c : ext) {
        if (c == '/' || c == '\0') {
            c = '_';
        }
    }
    const std::string path = "picture." + ext;
    WriteFile(path, bytes);
    Platform::Image image;
    if (Platform::LoadImageRgba(path, image) &&
        (image.Width <= 0 || image.Height <= 0 ||
         image.Rgba.size() != static_cast<std::size_t>(image.Width) * image.Height * 4)) {
        *why = "a picture decoded to an inconsistent size";
        return false;
    }
    SpriteRecord record(&Device());
    record.LoadFrames(path, 4, 4, 2, 2);
    record.AddAnimation("a", 3, "0,1,3");
    int frame = 0;
    float time = 1.0f;
    record.DrawAnimated(5.0f, 5.0f, record.GetAnimation("a"), frame, time);
    record.Draw(1.0f, 1.0f);
    return true;
}

// --- sounds -------------------------------------------------------------------------
// Header: the file's extension; payload: bytes.

std::string SoundsGenerate(Rng& rng) {
    const std::vector<std::string> exts = {"wav", "ogg", "flac", "mp3"};
    if (rng.Chance(0.03)) {
        return rng.Pick(exts) + "\n";
    }
    const auto seeds = SoundSeeds();
    return rng.Pick(exts) + "\n" +
           Mutate(rng, rng.Pick(seeds),
                  {"RIFF", "WAVE", "fmt ", "data", "fact", "OggS", "\x01vorbis", "fLaC", "ID3",
                   "TAG", "Xing", "Info", "VBRI", "\xFF\xFB", "\xFF\xF3"});
}

bool SoundsRun(const std::string& input, std::string* why) {
    std::string ext;
    std::string bytes;
    SplitInput(input, ext, bytes);
    std::filesystem::create_directories("res/sound");
    for (char& c : ext) {
        if (c == '/' || c == '\0') {
            c = '_';
        }
    }
    const std::string name = "s." + ext;
    const std::string path = "res/sound/" + name;
    WriteFile(path, bytes);
    double seconds = -1.0;
    const Platform::SoundResult read = Platform::ReadSoundLength(path, &seconds);
    if (read != Platform::SOUND_OK && read != Platform::SOUND_ERR_FILE_BAD &&
        read != Platform::SOUND_ERR_FORMAT && read != Platform::SOUND_ERR_FILE_NOTFOUND) {
        *why = "unexpected result " + std::to_string(read);
        return false;
    }
    if (read == Platform::SOUND_OK && !(std::isfinite(seconds) && seconds >= 0.0)) {
        *why = "a sound of " + std::to_string(seconds) + " seconds";
        return false;
    }

    std::unique_ptr<Platform::SoundSystem> system = Platform::CreateSilentSoundSystem();
    system->Init(20);
    Platform::Sound* sound = nullptr;
    const Platform::SoundResult made =
        system->CreateSound(path, Platform::SOUND_MODE_HARDWARE, &sound);
    if (made != read || (made == Platform::SOUND_OK) != (sound != nullptr)) {
        *why = "the silent system answered " + std::to_string(made) + ", the reader " +
               std::to_string(read);
        return false;
    }
    if (sound != nullptr) {
        Platform::ChannelHandle channel;
        system->SetMode(sound, Platform::SOUND_LOOP_OFF);
        system->PlaySound(sound, false, &channel);
        system->SetVolume(channel, std::nanf(""));
        for (int i = 0; i < 5; ++i) {
            system->Advance(0.25f);
            bool playing = false;
            system->IsPlaying(channel, &playing);
        }
        system->ReleaseSound(sound);
    }
    system->Close();

    // Through the controller, whose failure text the player sees.
    SoundController* controller = SoundController::GetInstance();
    Platform::SoundSystemCreate(&controller->System);
    controller->System->Init(20);
    try {
        controller->Add(name);
        controller->Play(name, 0.5f, true);
        controller->FadeOut(name);
        controller->Update(0.5f);
        controller->Update(1.0f);
    } catch (const Exception& e) {
        const std::string text = e.GetMessageText();
        if (text.rfind("FMOD error! (", 0) != 0 || text.back() != '\n') {
            *why = "a sound failure reads: " + text;
            SoundController::DestroyInstance();
            return false;
        }
    }
    SoundController::DestroyInstance();
    return true;
}

// --- replayed input -----------------------------------------------------------------
// Header: unused; payload: the text of an --input file.

std::string InputGenerate(Rng& rng) {
    const std::vector<std::string> frames = {"1",  "2",   "10",  "0",    "-1",
                                             "+5", "5.5", "1e3", "0x10", "99999999999999999999",
                                             "",   "#",   "007"};
    const std::vector<std::string> kinds = {"down",   "up",    "point", "DOWN",     "Up",
                                            "pointx", "#down", "",      "down down"};
    const std::vector<std::string> values = {
        "1",     "37",  "255", "256",   "0",  "-1",    "27",     "abc",
        "1.5",   "nan", "inf", "1e309", "-0", "0x1p3", "1e-320", "123.456789012345",
        "-7.25", "65"};
    const std::vector<std::string> blanks = {" ", "\t", "  ", " \t ", "\v", "\f"};
    const std::vector<std::string> ends = {"\n", "\r\n", "\r", "\n\n"};
    std::string text;
    const int lines = rng.Between(0, 12);
    long frame = 1;
    for (int i = 0; i < lines; ++i) {
        if (rng.Chance(0.7)) {
            frame += rng.Between(0, 3);
            const int kind = rng.Between(0, 2);
            text += std::to_string(frame) + " ";
            if (kind == 2) {
                text += "point " + rng.Pick(values) + " " + rng.Pick(values);
            } else {
                text += (kind == 0 ? "down " : "up ") + std::to_string(rng.Between(1, 255));
            }
        } else {
            const int words = rng.Between(0, 5);
            text += rng.Pick(frames);
            for (int w = 0; w < words; ++w) {
                text += rng.Pick(blanks) + (w == 0 ? rng.Pick(kinds) : rng.Pick(values));
            }
        }
        text += rng.Pick(ends);
    }
    if (rng.Chance(0.15)) {
        text = Mutate(rng, text, {" ", "\n", "down", "up", "point", "#", "\r"});
    }
    return "input\n" + text;
}

bool SameEvents(const std::vector<InputEvent>& a, const std::vector<InputEvent>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Frame != b[i].Frame || a[i].Type != b[i].Type || a[i].Vk != b[i].Vk ||
            a[i].X != b[i].X || a[i].Y != b[i].Y) {
            return false;
        }
    }
    return true;
}

bool InputRun(const std::string& input, std::string* why) {
    std::string header;
    std::string text;
    SplitInput(input, header, text);
    std::vector<InputEvent> events;
    std::string error;
    if (!ParseInputText(text, "in.txt", events, &error)) {
        if (error.rfind("in.txt:", 0) != 0 || error.find(": ", 7) == std::string::npos) {
            *why = "an error names no file and line: " + error;
            return false;
        }
        return true;
    }
    long last = 1;
    for (const InputEvent& event : events) {
        const bool key = event.Type != InputEvent::Kind::Point;
        if (event.Frame < last || (key && (event.Vk < 1 || event.Vk > 255)) ||
            (!key && !(std::isfinite(event.X) && std::isfinite(event.Y)))) {
            *why = "an accepted event is out of range";
            return false;
        }
        last = event.Frame;
    }
    // What --record writes must replay as the same input.
    std::string written;
    for (const InputEvent& event : events) {
        written += FormatInputEvent(event) + "\n";
    }
    std::vector<InputEvent> again;
    if (!ParseInputText(written, "again.txt", again, &error) || !SameEvents(events, again)) {
        *why = "recorded input does not replay the same: " + written;
        return false;
    }
    return true;
}

}  // namespace

const std::vector<Target>& Targets() {
    static const std::vector<Target> targets = {
        {"frames", FramesGenerate, FramesRun},       {"scripts", ScriptsGenerate, ScriptsRun},
        {"pictures", PicturesGenerate, PicturesRun}, {"sounds", SoundsGenerate, SoundsRun},
        {"input", InputGenerate, InputRun},
    };
    return targets;
}

}  // namespace Velmora::Fuzz
