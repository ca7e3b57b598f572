#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Window.h"

namespace Velmora::Platform {

void MessageBoxes::Show(Window* owner, const std::string& text) const {
    if (observer_) {
        observer_(text);
        return;
    }
    // Automated runs with a window (pixel tests under Xvfb) have nobody to click a box
    // away, so they ask for messages on standard error instead.
    const char* route = std::getenv("VELMORA_MESSAGES");
    const bool toStderr = headless_ || (route != nullptr && std::strcmp(route, "stderr") == 0);
    if (!toStderr) {
        SDL_Window* window =
            owner != nullptr ? static_cast<SDL_Window*>(owner->NativeHandle()) : nullptr;
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, "", text.c_str(), window) == 0) {
            return;
        }
    }
    std::fprintf(stderr, "velmora: message: %s\n", text.c_str());
    std::fflush(stderr);
}

}  // namespace Velmora::Platform
