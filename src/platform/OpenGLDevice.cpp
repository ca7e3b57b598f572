#include "platform/OpenGLDevice.h"

namespace Velmora::Platform {

std::unique_ptr<GraphicsDevice> CreateOpenGLDevice(Window&, bool, int, int, bool,
                                                   std::string* error) {
    if (error != nullptr) {
        *error = "the OpenGL device is not available in this build";
    }
    return nullptr;
}

}  // namespace Velmora::Platform
