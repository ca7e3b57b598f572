#pragma once
// The command line: velmora [GAME_DIR] [options].
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "input/InputFile.h"

namespace Velmora {

struct Options {
    std::string GameDir = ".";
    // A game packed into one .zip (velmora pack); it runs from its save folder, where
    // it is unpacked.
    std::optional<std::string> GameArchive;
    bool Headless = false;
    // Read gamepads: off in headless runs, whose input is replayed, unless a caller
    // (a test driving a virtual pad) turns them on.
    std::optional<bool> Gamepads;
    std::optional<long> Frames;
    std::optional<float> Dt;
    std::optional<unsigned> Seed;
    std::optional<std::string> InputFile;
    std::optional<std::string> RecordFile;
    std::optional<std::string> ScreenshotFile;
    // The window's starting size as a whole multiple of the picture; before setup.lua's
    // Option.Scale.
    std::optional<int> Scale;
    bool Stats = false;
    bool Overlay = false;
    bool ChunkCache = true;
    bool VSync = true;
    std::size_t LuaMemoryBytes = std::size_t{1024} << 20;
    double ScriptTimeout = 10.0;
    std::vector<InputEvent> Input;  // read from InputFile, in file order
};

struct ParseResult {
    enum class Kind { Run, Help, Version, Error };
    Kind Outcome = Kind::Run;
    std::string Message;  // the one line shown for an error
};

// With no folder given and no game in the current one, the game runs the game installed
// with the engine (see FindBundledGame).
ParseResult ParseCommandLine(int argc, const char* const* argv, Options& options);
std::string UsageText();

// A folder holding setup.lua.
bool IsGameFolder(const std::string& dir);
// The game installed with the engine: `relative` to the executable's folder, so that a
// tree installed or unpacked anywhere finds its own copy; else `installed`, where the
// build meant it to go. "" when neither holds a game.
std::string FindBundledGame(const std::string& executable, const std::string& relative,
                            const std::string& installed);

}  // namespace Velmora
