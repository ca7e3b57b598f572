#pragma once
// One-file games: velmora pack GAME_DIR [OUT.zip], and running such a file.
#include <string>

namespace Velmora {

// argv[0] is "pack". Writes setup.lua and res/ into one zip once velmora check finds no
// error; returns the exit status (1 when not packed, 2 for a bad command line).
int RunPack(int argc, const char* const* argv);

// Unpacks a packed game into its save folder (named by the archive), where it runs and
// where its own files go; that folder, or "" after saying on standard error why not.
std::string UnpackGame(const std::string& archive);

}  // namespace Velmora
