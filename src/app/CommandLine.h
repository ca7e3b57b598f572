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

ParseResult ParseCommandLine(int argc, const char* const* argv, Options& options);
std::string UsageText();

}  // namespace Velmora
