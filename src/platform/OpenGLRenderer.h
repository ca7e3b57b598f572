#pragma once
// The OpenGL 3.3 core graphics device on the game window.
#include <memory>
#include <string>

#include "platform/Renderer.h"
#include "platform/Window.h"

namespace Velmora::Platform {

// Windowed: the back buffer has the window's client size. Full screen: the back
// buffer is fullWidth x fullHeight (800 x 600) scaled to the screen. Presentation
// waits for the vertical retrace unless vsync is false. keepFrames keeps each
// presented frame readable for SaveScreenshot; without it a windowed device draws
// straight into the window. Null, with *error saying why, when no OpenGL 3.3 context
// can be made.
std::unique_ptr<Renderer> CreateOpenGLRenderer(Window& window, bool fullScreen, int fullWidth,
                                               int fullHeight, bool vsync, bool keepFrames,
                                               std::string* error);

}  // namespace Velmora::Platform
