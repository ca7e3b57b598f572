#include "platform/Keys.h"

#include <array>

namespace Velmora::Platform {

namespace {
std::array<bool, 256> g_keyDown{};
}

bool IsKeyDown(int vk) {
    return vk >= 0 && vk < static_cast<int>(g_keyDown.size()) && g_keyDown[vk];
}

void SetKeyDown(int vk, bool down) {
    if (vk >= 0 && vk < static_cast<int>(g_keyDown.size())) {
        g_keyDown[vk] = down;
    }
}

void ReleaseAllKeys() {
    g_keyDown.fill(false);
}

}  // namespace Velmora::Platform
