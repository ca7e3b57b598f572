// velmora_file_fuzz [--seconds S] [--seed N] [--corpus DIR]...: replays the inputs in every
// DIR/<target>/, then for a bounded time feeds the engine mutations of them. An input is
// "<header>\n<payload>", the header saying what the payload is for. Inputs that fail a check
// are kept in fuzz-failures/<target>/, so --corpus fuzz-failures replays them.
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "platform/ImageFile.h"
#include "platform/MessageBox.h"
#include "platform/RecordingRenderer.h"
#include "platform/SoundFile.h"
#include "resource/SpriteRecord.h"
#include "script/LuaControl.h"
#include "world/BaseObject.h"

namespace fs = std::filesystem;
using namespace Velmora;
using namespace std::string_literals;

namespace {

std::mt19937_64 g_random;
Platform::RecordingRenderer g_device(450, 600);
std::size_t Below(std::size_t n) {
    return n == 0 ? 0 : static_cast<std::size_t>(g_random() % n);
}
template <typename T>
const T& Pick(const std::vector<T>& list) {
    return list[Below(list.size())];
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);) {
        parts.push_back(part);
    }
    return parts;
}

// A few random edits: bit flips, insertions, removals, truncation, copies within the data,
// powers of two and one less (either byte order) over what may be sizes or counts, words.
std::string Mutate(std::string data, const std::vector<std::string>& words) {
    for (std::size_t round = 1 + Below(6); round > 0; --round) {
        const std::size_t op = Below(7), at = Below(data.size() + 1);
        if (op == 0 && !data.empty()) {
            data[at % data.size()] ^= static_cast<char>(1 << Below(8));
        } else if (op == 1) {
            data.insert(at, 1 + Below(4), static_cast<char>(Below(256)));
        } else if (op == 2) {
            data.erase(at, Below(4) ? 1 + Below(16) : std::string::npos);
        } else if (op == 3) {
            data.insert(at, data.substr(Below(data.size() + 1), 1 + Below(64)));
        } else if (op < 6) {
            const std::uint64_t value = (1ull << Below(64)) - Below(2);
            std::string bytes(reinterpret_cast<const char*>(&value), std::size_t{1} << Below(4));
            data.replace(at, bytes.size(),
                         Below(2) ? bytes : std::string(bytes.rbegin(), bytes.rend()));
        } else {
            data.insert(at, Pick(words));
        }
    }
    return data;
}

std::pair<std::string, std::string> HeaderAndPayload(const std::string& input) {
    const std::size_t end = std::min(input.find('\n'), input.size());
    return {input.substr(0, end), input.substr(std::min(end + 1, input.size()))};
}

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

int ToInt(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

// --- frame lists. Header: count frameWidth frameHeight columns rows startFrame speed;
// payload: the frame text as Res_AddAni passes it. A run returns what failed, or "".
std::string FramesRun(const std::string& header, const std::string& text) {
    long long count = 0, fw = 0, fh = 0, columns = 0, rows = 0, start = 0;
    double speed = 0.3;
    std::istringstream(header) >> count >> fw >> fh >> columns >> rows >> start >> speed;
    static const bool written =
        Platform::SavePngRgba("grid.png", {16, 8, std::vector<std::uint8_t>(512, 9)});
    SpriteRecord record(&g_device);
    record.LoadFrames("grid.png", ToInt(fw), ToInt(fh), ToInt(columns), ToInt(rows));
    record.AddAnimation("a", ToInt(count), text);
    const std::vector<AnimationFrame>& frames = record.Animations->at("a").Frames;
    const std::size_t allowed = static_cast<std::size_t>(std::max<long long>(count, 0));
    if (!written || frames.size() > allowed || frames.size() > text.size()) {
        return "more entries than the count or the text allow: " + std::to_string(frames.size());
    }
    // A well-formed list (shortest decimal numbers, each followed by one comma) reads
    // back exactly, up to the count.
    std::string expected, got;
    bool wellFormed = true;
    for (const std::string& cell : Split(text, ',')) {
        wellFormed =
            wellFormed && cell == std::to_string(ToInt(std::atoll(cell.substr(0, 12).c_str())));
        expected += std::count(expected.begin(), expected.end(), ',') < count ? cell + "," : "";
    }
    for (const AnimationFrame& entry : frames) {
        got += std::to_string(entry.Cell) + (entry.Speed == 0.3f ? "," : "?");
    }
    if (wellFormed && expected != got) {
        return "a well-formed list read back differently";
    }
    record.SetDefaultSpeed("a", static_cast<float>(speed));
    record.SetFrameSpeed("a", ToInt(start), 1.0f);
    Animation* animation = record.GetAnimation("a");
    animation->Loop = (count & 1) != 0;
    const bool inside = start >= 0 && static_cast<std::size_t>(start) < frames.size();
    int frame = ToInt(start);
    float time = 0.0f;
    for (int step = 0; step < 40; ++step) {
        record.DrawAnimated(SpriteDraw{10.0f, 20.0f}, animation, frame, time += 0.1f);
        if (inside && (frame < 0 || static_cast<std::size_t>(frame) >= frames.size())) {
            return "the animation stepped outside its entries: " + std::to_string(frame);
        }
    }
    record.DrawAnimated(SpriteDraw{}, record.GetAnimation("never declared"), frame, time);
    return "";
}

// --- script files. Header: the role of the payload. A small game is written around it
// and the real start-up, frames with a key press, and teardown run on it.
const std::map<std::string, std::string> kGame = {
    {"setup", "Option = { ScreenWidth = 450, ScreenHeight = 600, FullScreen = 0 }\n"},
    {"gamestate",
     R"(function OnGameCreate() Res_AddSprite('dot', 'dot.png', 8, 8) Game_ActiveStage('s') end
function OnKeyEvent(key) Game_ActiveStage('s') end
)"},
    {"stage", R"(Info = { Level = 1 }
function OnStageCreate()
    for _, k in ipairs({'hero', 'mob', 'board', 'plain'}) do pcall(Stage_AddObject, k, k .. '/o') end
    pcall(Stage_CreateItem, 'o', 100, 100) pcall(Stage_CreateEffect, 'o', 50, 50)
    pcall(Stage_CreateFriend, 'friend/o', 120, 100) pcall(Stage_CreateBullet, 'bullet/o', 2, 100, 90)
end
)"},
    {"object",
     R"(Info = { Type = 2, Name = 'o', HP = 3, Life = 3, Power = 1, Speed = 50, Positive = 1,
    AutoDirection = 1, DigitSpace = 4, X = 10, Y = 20, CollisionRadius = 8, ZOrder = 1, Sprite = 'dot' }
function OnDamage(me, n) Obj_SetHP(me, (Obj_GetHP(me) or 0) - 1) end
function OnHit(me, target) Obj_Delete(me) end
function OnEaten(me, hero) Obj_Delete(me) end
function OnCreate(me) Obj_SetAlpha(me, 0.5) Obj_SetAction(me, 'a') ScoreBoard_SetScore(me, 42) end
)"},
    {"action",
     R"(Info = { X = 0, Y = 0, DX = 1, DY = 0, Speed = 10, BeginTime = 1, ActTime = 20, Interval = 30 }
function OnBegin(me) Obj_SetStep(me, 2) end
function OnAction(me) Obj_SetDY(me, 1) end
function OnInterval(me) Obj_SetStep(me, (Obj_GetStep(me) or 0) + 1) end
)"}};
const std::vector<std::string> kInfoKeys = Split(
    "Type Name HP Life Power Speed Positive DigitSpace X Y DX DY CollisionRadius ZOrder "
    "Sprite Level BeginTime ActTime Interval ScreenWidth ScreenHeight FullScreen",
    ' ');
const std::vector<std::string> kLuaValues = Split(
    "0|-1|0.5|1e309|-1e309|0/0|2^31|-2^31-1|2^63|1e-320|'12'|' 12 '|'0x1F'|''|true|nil|{}|"
    "'dot'|function() end|string.rep('%s', 300)|newproxy(true)|coroutine.create(print)",
    '|');

std::string ScriptsVary(const std::string& seed, const std::string& other) {
    auto [role, payload] = HeaderAndPayload(seed);
    const std::size_t how = Below(3);
    if (how == 0) {  // a table of random values, after the file or instead of it
        payload = (Below(2) ? payload : "") + (role == "setup" ? "Option = { " : "Info = { ");
        for (std::size_t i = Below(11); i > 0; --i) {
            payload += Pick(kInfoKeys) + " = " + Pick(kLuaValues) + ", ";
        }
        payload += "}\n";
    } else if (const auto lines = Split(HeaderAndPayload(other).second, '\n'); how == 1) {
        for (std::size_t i = lines.empty() ? 0 : 1 + Below(3); i > 0; --i) {  // lines of another
            payload = Below(2) ? Pick(lines) + "\n" + payload : payload + Pick(lines) + "\n";
        }
    } else {
        payload = Mutate(payload, {"Info", "=", "{", "}", "(", "nil", "0/0", "'", "..", "end", "[[",
                                   "--[[", "\n", "\0"s, "\x1bLuaQ"});
    }
    return role + "\n" + payload;
}

std::string ScriptsRun(const std::string& role, const std::string& payload) {
    auto put = [&](const std::string& path, const std::string& file) {
        fs::create_directories(fs::path(path).parent_path());
        WriteFile(path, file == role ? payload : kGame.at(file));
    };
    put("./setup.lua", "setup");
    put("res/script/GameState.lua", "gamestate");
    put("res/stage/s/Info.lua", "stage");
    put("res/action/a/Info.lua", "action");
    for (const char* kind :
         {"hero", "mob", "board", "plain", "item", "effect", "friend", "bullet"}) {
        put("res/object/"s + kind + "/o/Info.lua", "object");
    }
    static const bool dot =
        Platform::SavePngRgba("dot.png", {8, 8, std::vector<std::uint8_t>(256, 255)});
    Options options;
    options.Headless = true;
    // Stops runaway scripts (loops; object files that add objects, run again for each
    // Info field); past it every instruction fails, so a pcall cannot carry on.
    options.ScriptTimeout = 0.5;
    options.Frames = 4;
    options.Dt = 0.05f;
    options.Input = {{2, InputEvent::Kind::Down, 65, 0, 0}, {3, InputEvent::Kind::Up, 65, 0, 0}};
    Application app(options);
    app.ObserveMessages([](const std::string&) {});
    const int status = app.Run();
    const bool expected = status == 0 || (status == 1 && role == "setup");
    return !dot       ? "the test picture could not be written"
           : expected ? ""
                      : "exit status " + std::to_string(status);
}

// --- pictures and sounds. Header: the file's extension; payload: the bytes.
std::string PicturesRun(const std::string& ext, const std::string& bytes) {
    const std::string path = "picture." + ext.substr(0, ext.find_first_of("/\0"s));
    WriteFile(path, bytes);
    SpriteRecord record(&g_device);
    record.LoadFrames(path, 4, 4, 2, 2);
    record.Draw(SpriteDraw{1.0f, 1.0f}, Cell{});
    Platform::Image image;
    if (Platform::LoadImageRgba(path, image) &&
        (image.Width <= 0 || image.Height <= 0 ||
         image.Rgba.size() != static_cast<std::size_t>(image.Width) * image.Height * 4)) {
        return "a picture decoded to an inconsistent size";
    }
    return "";
}

std::string SoundsRun(const std::string& ext, const std::string& bytes) {
    const std::string path = "s." + ext.substr(0, ext.find_first_of("/\0"s));
    WriteFile(path, bytes);
    double seconds = -1.0;
    const Platform::SoundResult read = Platform::ReadSoundLength(path, &seconds);
    if (read != Platform::kSoundOk && read != Platform::kSoundUnreadableFile &&
        read != Platform::kSoundUnknownFormat && read != Platform::kSoundFileMissing) {
        return "unexpected result " + std::to_string(read);
    } else if (read == Platform::kSoundOk && !(std::isfinite(seconds) && seconds >= 0.0)) {
        return "a sound of " + std::to_string(seconds) + " seconds";
    }
    return "";
}

// --- replayed input. Header: unused; payload: the text of an --input file.

std::string InputRun(const std::string&, const std::string& text) {
    std::vector<InputEvent> events, again;
    std::string error, written;
    if (!ParseInputText(text, "in.txt", events, &error)) {
        const bool named = error.rfind("in.txt:", 0) == 0 && error.find(": ", 7) != error.npos;
        return named ? "" : "an error names no file and line: " + error;
    }
    long last = 1;
    for (const InputEvent& event : events) {
        const bool key = event.Type != InputEvent::Kind::Point;
        if (event.Frame < last || (key && (event.Vk < 1 || event.Vk > 255)) ||
            (!key && !(std::isfinite(event.X) && std::isfinite(event.Y)))) {
            return "an accepted event is out of range";
        }
        last = event.Frame;
        written += FormatInputEvent(event) + "\n";
    }
    // What --record writes must replay as the same input.
    bool same =
        ParseInputText(written, "again.txt", again, &error) && again.size() == events.size();
    for (std::size_t i = 0; same && i < events.size(); ++i) {
        same = events[i].Frame == again[i].Frame && events[i].Type == again[i].Type &&
               events[i].Vk == again[i].Vk && events[i].X == again[i].X &&
               events[i].Y == again[i].Y;
    }
    return same ? "" : "recorded input does not replay the same: " + written;
}

struct Target {
    const char* Name;
    // What failed, or ""; a crash or a sanitizer report ends the process instead.
    std::string (*Run)(const std::string& header, const std::string& payload);
    // Words that mutations insert; without any, ScriptsVary makes the new input.
    std::vector<std::string> Words;
    bool MutateHeader = false;
};
const Target kTargets[] = {
    {"frames",
     FramesRun,
     {",", "0", "1", "12", "-1", " ", "2147483647", "-2147483648", "99999999999"},
     true},
    {"scripts", ScriptsRun, {}},
    {"pictures", PicturesRun, {"IHDR", "IDAT", "PLTE", "BM", "GIF89a", "P6", "255"}},
    {"sounds",
     SoundsRun,
     {"RIFF", "WAVE", "fmt ", "data", "fact", "OggS", "\x01vorbis", "fLaC", "ID3", "TAG", "Xing",
      "Info", "VBRI", "\xFF\xFB"}},
    {"input",
     InputRun,
     {" ", "\n", "\r", "down", "up", "point", "#", "0", "256", "-1", "1.5", "nan", "inf", "1e309",
      "0x1p3", "+5", "99999999999999999999"}}};

// A new input from two of the target's seeds.
std::string Vary(const Target& target, const std::string& seed, const std::string& other) {
    if (target.Words.empty()) {
        return ScriptsVary(seed, other);
    } else if (target.MutateHeader) {
        return Mutate(seed, target.Words);
    }
    const auto [header, payload] = HeaderAndPayload(seed);
    return header + "\n" + Mutate(payload, target.Words);
}

// An input that runs longer than this is a hang. The work folder is gone with the
// process, so the report carries the input itself, escaped, for the log.
constexpr unsigned kHangSeconds = 60;
std::string g_hangReport;

void ReportHang(int) {
    ssize_t ignored = write(STDOUT_FILENO, g_hangReport.data(), g_hangReport.size());
    (void)ignored;
    _exit(1);
}

std::string Escaped(const std::string& bytes) {
    std::string text;
    for (const unsigned char c : bytes) {
        char code[5];
        std::snprintf(code, sizeof code, "\\x%02X", c);
        text += c == '\\' ? "\\\\" : (c >= 32 && c < 127) || c == '\n' ? std::string(1, c) : code;
    }
    return text;
}

bool RunOne(const Target& target, const std::string& input, const fs::path& keep) {
    // Kept, in memory, until the next input: after a crash, the one to replay.
    fs::create_directories("current/"s + target.Name);
    WriteFile("current/"s + target.Name + "/input", input);
    g_hangReport = "file fuzz: a "s + target.Name + " input ran over " +
                   std::to_string(kHangSeconds) + " s; its bytes (\\xHH escaped):\n" +
                   Escaped(input) + "\n";
    std::signal(SIGALRM, ReportHang);
    alarm(kHangSeconds);
    const auto [header, payload] = HeaderAndPayload(input);
    const std::string why = target.Run(header, payload);
    alarm(0);
    if (!why.empty()) {
        fs::create_directories(keep.parent_path());
        WriteFile(keep, input);
        std::printf("file fuzz: %s input failed: %s\n  kept in %s\n", target.Name, why.c_str(),
                    keep.c_str());
    }
    return why.empty();
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = 10.0;
    std::uint64_t seed = 1;
    std::vector<fs::path> corpora;
    for (int i = 1; i < argc; i += 2) {
        const std::string arg = argv[i], value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--seconds" && !value.empty()) {
            seconds = std::atof(value.c_str());
        } else if (arg == "--seed" && !value.empty()) {
            seed = std::strtoull(value.c_str(), nullptr, 10);
        } else if (arg == "--corpus" && !value.empty()) {
            corpora.push_back(fs::absolute(value));
        } else {
            std::fputs("velmora_file_fuzz [--seconds S] [--seed N] [--corpus DIR]...\n", stderr);
            return 2;
        }
    }
    const fs::path failures = fs::absolute("fuzz-failures");
    // The targets write game files, thousands a second: into a throw-away folder in memory.
    std::string work =
        (fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string()) +
        "/velmora-file-fuzz-XXXXXX";
    if (mkdtemp(work.data()) == nullptr || chdir(work.c_str()) != 0) {
        std::perror("velmora_file_fuzz: temporary folder");
        return 2;
    }
    std::fprintf(stderr,
                 "file fuzz: should the process die, --corpus %s/current replays the input\n",
                 work.c_str());
    g_random.seed(seed);

    // Every corpus input is replayed, then serves as a seed; so do the game's own scripts.
    bool ok = true;
    std::vector<std::vector<std::string>> seeds(std::size(kTargets));
    for (const auto& [role, text] : kGame) {
        seeds[1].push_back(role + "\n" + text);
    }
    for (const fs::path& corpus : corpora) {
        for (std::size_t t = 0; t < std::size(kTargets); ++t) {
            const fs::path dir = corpus / kTargets[t].Name;
            for (const fs::path& path : fs::is_directory(dir)
                                            ? std::set<fs::path>(fs::directory_iterator(dir), {})
                                            : std::set<fs::path>()) {
                seeds[t].push_back(ReadFile(path));
                ok &= RunOne(kTargets[t], seeds[t].back(),
                             failures / kTargets[t].Name / path.filename());
            }
        }
    }
    // Each target gets an equal share of the time: the next input goes to the one that
    // has used the least so far (a target without seeds is left out).
    using Clock = std::chrono::steady_clock;
    auto since = [](Clock::time_point t) {
        return std::chrono::duration<double>(Clock::now() - t).count();
    };
    const Clock::time_point start = Clock::now();
    std::vector<double> spent(std::size(kTargets), 0.0);
    std::vector<long> done(std::size(kTargets), 0);
    while (ok && since(start) < seconds) {
        std::size_t t = 0;
        for (std::size_t i = 0; i < spent.size(); ++i) {
            spent[i] = seeds[i].empty() ? 1e300 : spent[i];
            t = spent[i] < spent[t] ? i : t;
        }
        const Clock::time_point began = Clock::now();
        const std::string name = std::to_string(seed) + "-" + std::to_string(done[t]++) + ".bin";
        ok = RunOne(kTargets[t], Vary(kTargets[t], Pick(seeds[t]), Pick(seeds[t])),
                    failures / kTargets[t].Name / name);
        spent[t] += since(began);
    }
    std::printf("file fuzz: seed %llu, %.1f s:", static_cast<unsigned long long>(seed),
                since(start));
    for (std::size_t t = 0; t < std::size(kTargets); ++t) {
        std::printf(" %s %zu seeds %ld inputs,", kTargets[t].Name, seeds[t].size(), done[t]);
    }
    std::printf(" %s\n", ok ? "no failure" : "FAILED");
    std::error_code ignored;
    fs::current_path("/", ignored);
    fs::remove_all(work, ignored);
    return ok ? 0 : 1;
}
