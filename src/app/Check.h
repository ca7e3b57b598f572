#pragma once
// velmora check [GAME_DIR]: an author's mistakes found without playing the game.

namespace Velmora {

// argv[0] is "check". Prints the findings as "path:line: error|warning: text" and
// returns 1 when one is an error, 0 otherwise, 2 for a bad command line.
int RunCheck(int argc, const char* const* argv);

}  // namespace Velmora
