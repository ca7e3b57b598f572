#pragma once
// Owns the graphics device on the game window and draws each frame: clear to the
// fixed blue, open the scene, point sampling, the render callback, close, present.
#include <memory>
#include <string>

#include "platform/Renderer.h"

namespace Velmora {

namespace Platform {
class Window;
}

class CInitD3D {
public:
    CInitD3D() = default;
    virtual ~CInitD3D();

    // window null: the recording device (headless). False when no device could be made;
    // *error then says why.
    bool Init(Platform::Window* window, bool fullScreen, std::string* error);
    void Render();

    std::unique_ptr<Platform::Renderer> Device;
    int Width = 800;  // back buffer in full screen
    int Height = 600;
    bool Windowed = true;
    bool VSync = true;
    // The last presented frame must stay readable (a screenshot is wanted).
    bool KeepFrames = false;
    void (*RenderCallback)() = nullptr;
};

}  // namespace Velmora
