#pragma once
// The OpenGL 3.3 core graphics device on the game window.
#include <memory>
#include <string>

#include "platform/Renderer.h"
#include "platform/Window.h"

namespace Velmora::Platform {

// The game's picture is drawn at its own size (pictureWidth x pictureHeight) and shown
// letterboxed at a whole scale in whatever size the window has (platform/Letterbox.h).
// Presentation waits for the vertical retrace unless vsync is false. keepFrames keeps
// each presented frame readable for SaveScreenshot; without it, while the window is
// exactly the picture's size, frames go straight into the window. Null, with *error
// saying why, when no OpenGL 3.3 context can be made.
std::unique_ptr<Renderer> CreateOpenGLRenderer(Window& window, int pictureWidth, int pictureHeight,
                                               bool vsync, bool keepFrames, std::string* error);

}  // namespace Velmora::Platform
