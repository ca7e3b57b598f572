#include "app/CommandLine.h"

#include "core/Numbers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sstream>

namespace Velmora {

namespace {

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

ParseResult Error(const std::string& message) {
    return ParseResult{ParseResult::Kind::Error, message};
}

// The build defines where the bundled game is installed; a build without it has none.
std::string InstalledBundledGame() {
#if defined(VELMORA_BUNDLED_GAME_RELATIVE) && defined(VELMORA_BUNDLED_GAME_INSTALLED)
    char exe[4096];
    const ssize_t length = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
    const std::string executable =
        length > 0 ? std::string(exe, static_cast<std::size_t>(length)) : "";
    return FindBundledGame(executable, VELMORA_BUNDLED_GAME_RELATIVE,
                           VELMORA_BUNDLED_GAME_INSTALLED);
#else
    return "";
#endif
}

}  // namespace

bool IsGameFolder(const std::string& dir) {
    struct stat info {};
    return stat((dir + "/setup.lua").c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string FindBundledGame(const std::string& executable, const std::string& relative,
                            const std::string& installed) {
    if (!executable.empty() && !relative.empty()) {
        const std::filesystem::path beside =
            (std::filesystem::path(executable).parent_path() / relative).lexically_normal();
        if (IsGameFolder(beside.string())) {
            return beside.string();
        }
    }
    return !installed.empty() && IsGameFolder(installed) ? installed : "";
}

std::string UsageText() {
    return "usage: velmora [GAME_DIR|GAME.zip] [options]\n"
           "       velmora check [GAME_DIR] [--script-timeout S]\n"
           "       velmora new DIR\n"
           "       velmora pack GAME_DIR [OUT.zip]\n"
           "\n"
           "Runs the game in GAME_DIR (setup.lua and res/; default: the current directory, or\n"
           "the game installed with velmora when the current directory holds no setup.lua).\n"
           "'check' loads it without playing and lists its authoring mistakes as\n"
           "'path:line: error|warning: text' (exit 1 when one is an error).\n"
           "'new' writes a small working game into DIR, a new or empty folder.\n"
           "'pack' writes a game that checks clean into one .zip (default: <folder>.zip),\n"
           "which velmora runs as it runs the folder, from the game's save folder.\n"
           "\n"
           "options:\n"
           "  --headless         no window and no audio: recording graphics device, silent sound,\n"
           "                     message boxes written to standard error\n"
           "  --frames N         end the run after N frames through the normal teardown (exit 0)\n"
           "  --dt S             every frame lasts exactly S seconds (deterministic runs)\n"
           "  --seed N           seed the random generator with N instead of the clock\n"
           "  --input FILE       replay input: lines '<frame> down <vk>', '<frame> up <vk>',\n"
           "                     '<frame> point <x> <y>'; frames count from 1\n"
           "  --record FILE      write this run's input in the --input format\n"
           "  --screenshot FILE  after the last frame write the picture as PNG (OpenGL device)\n"
           "  --scale N          open the window at N times the picture's size (1 to 16;\n"
           "                     default: the largest that fits the screen)\n"
           "  --stats            at exit print frames, seconds, fps, update and draw times,\n"
           "                     draw calls per frame and the peak object count\n"
           "  --overlay          start with the debug overlay on (F3 toggles it in a window):\n"
           "                     frame times, objects, script errors, hit areas\n"
           "  --no-chunk-cache   compile script files on every run instead of reusing them\n"
           "  --no-vsync         present frames at once instead of waiting for the display's\n"
           "                     vertical retrace (benchmarks)\n"
           "  --lua-memory MB    the most memory the scripts may hold (default 1024); past it a\n"
           "                     script fails with 'not enough memory' and the game goes on\n"
           "  --script-timeout S stop a callback or script file that runs longer than S seconds\n"
           "                     with a script error (default 10; 0: never)\n"
           "  --help             show this text\n"
           "  --version          show the version\n";
}

ParseResult ParseCommandLine(int argc, const char* const* argv, Options& options) {
    bool haveGameDir = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) -> bool {
            if (i + 1 >= argc) {
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        if (arg == "--help" || arg == "-h") {
            return ParseResult{ParseResult::Kind::Help, ""};
        } else if (arg == "--version") {
            return ParseResult{ParseResult::Kind::Version, ""};
        } else if (arg == "--headless") {
            options.Headless = true;
        } else if (arg == "--stats") {
            options.Stats = true;
        } else if (arg == "--overlay") {
            options.Overlay = true;
        } else if (arg == "--no-chunk-cache") {
            options.ChunkCache = false;
        } else if (arg == "--no-vsync") {
            options.VSync = false;
        } else if (arg == "--frames") {
            long frames = 0;
            if (!value(text) || !ParseLong(text, frames) || frames < 0) {
                return Error("--frames needs a whole number of frames, 0 or more");
            }
            options.Frames = frames;
        } else if (arg == "--dt") {
            double dt = 0.0;
            if (!value(text) || !ParseDouble(text, dt) || dt < 0.0) {
                return Error("--dt needs a number of seconds, 0 or more");
            }
            // Frame times are floats. A positive time below the smallest normal float
            // would become 0 (or a denormal, which flushes to 0 where the arithmetic
            // does so) and stop the clock: it takes the smallest normal float instead.
            // Beyond the largest float a conversion is undefined; it takes the largest.
            constexpr double kMin = std::numeric_limits<float>::min();
            constexpr double kMax = std::numeric_limits<float>::max();
            options.Dt = static_cast<float>(dt > 0.0 && dt < kMin ? kMin : std::fmin(dt, kMax));
        } else if (arg == "--lua-memory") {
            long megabytes = 0;
            if (!value(text) || !ParseLong(text, megabytes) || megabytes < 1 ||
                megabytes > 1048576) {
                return Error("--lua-memory needs a whole number of megabytes from 1 to 1048576");
            }
            options.LuaMemoryBytes = static_cast<std::size_t>(megabytes) << 20;
        } else if (arg == "--script-timeout") {
            double seconds = 0.0;
            if (!value(text) || !ParseDouble(text, seconds) || seconds < 0.0) {
                return Error("--script-timeout needs a number of seconds, 0 (never) or more");
            }
            options.ScriptTimeout = seconds;
        } else if (arg == "--scale") {
            long scale = 0;
            if (!value(text) || !ParseLong(text, scale) || scale < 1 || scale > 16) {
                return Error("--scale needs a whole number from 1 to 16");
            }
            options.Scale = static_cast<int>(scale);
        } else if (arg == "--seed") {
            long seed = 0;
            if (!value(text) || !ParseLong(text, seed) || seed < 0 || seed > 4294967295L) {
                return Error("--seed needs a whole number from 0 to 4294967295");
            }
            options.Seed = static_cast<unsigned>(seed);
        } else if (arg == "--input" || arg == "--record" || arg == "--screenshot") {
            if (!value(text) || text.empty()) {
                return Error(arg + " needs a file name");
            }
            if (arg == "--input") {
                options.InputFile = text;
            } else if (arg == "--record") {
                options.RecordFile = text;
            } else {
                options.ScreenshotFile = text;
            }
        } else if (!arg.empty() && arg[0] == '-') {
            return Error("unknown option " + arg);
        } else if (!haveGameDir) {
            options.GameDir = arg;
            haveGameDir = true;
        } else {
            return Error("more than one game folder given: " + arg);
        }
    }
    if (!haveGameDir && !IsGameFolder(options.GameDir)) {
        const std::string bundled = InstalledBundledGame();
        if (!bundled.empty()) {
            options.GameDir = bundled;
        }
    }
    const std::string& game = options.GameDir;
    const bool archive = game.size() > 4 && game.compare(game.size() - 4, 4, ".zip") == 0;
    if (archive) {
        struct stat info {};
        if (stat(game.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            return Error("game archive not found: " + game);
        }
        options.GameArchive = game;
    } else if (!IsDirectory(game)) {
        return Error("game folder not found: " + game);
    }
    if (options.InputFile) {
        std::string content;
        std::string error;
        if (!ReadInputFile(*options.InputFile, content, &error) ||
            !ParseInputText(content, *options.InputFile, options.Input, &error)) {
            return Error(error);
        }
    }
    return ParseResult{};
}

}  // namespace Velmora
