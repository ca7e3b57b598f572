#include "platform/UserFolders.h"

#include <cstdlib>

namespace Velmora::Platform {

std::string UserDataFolder() {
    // Relative paths in these variables are to be ignored, by the convention itself.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::string(data) + "/velmora";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/share/velmora";
    }
    return "";
}

}  // namespace Velmora::Platform
