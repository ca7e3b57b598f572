#pragma once
// Where a player's own files go, by the desktop's conventions (XDG base directories).
#include <string>

namespace Velmora::Platform {

// $XDG_DATA_HOME/velmora, or ~/.local/share/velmora; "" when neither can be known
// (no usable XDG_DATA_HOME and no HOME).
std::string UserDataFolder();

}  // namespace Velmora::Platform
