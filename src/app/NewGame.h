#pragma once
// velmora new DIR: a small game to start from, written into a new or empty folder.

namespace Velmora {

// argv[0] is "new". Returns 0 when the game was written, 1 when DIR is not empty or a
// file could not be written (nothing of ours is left behind then), 2 for a bad command
// line.
int RunNewGame(int argc, const char* const* argv);

}  // namespace Velmora
