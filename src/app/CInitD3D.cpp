#include "app/CInitD3D.h"

#include "platform/OpenGLRenderer.h"
#include "platform/RecordingRenderer.h"
#include "platform/Screen.h"

namespace Velmora {

CInitD3D::~CInitD3D() = default;

bool CInitD3D::Init(Platform::Window* window, bool fullScreen, std::string* error) {
    Windowed = !fullScreen;
    if (window == nullptr) {
        Device = std::make_unique<Platform::RecordingRenderer>(g_screenWidth, g_screenHeight);
    } else {
        Device = Platform::CreateOpenGLRenderer(*window, fullScreen, Width, Height, VSync,
                                                KeepFrames, error);
        if (Device == nullptr) {
            return false;
        }
    }
    Device->State().Cull = Platform::CullMode::Clockwise;
    return true;
}

void CInitD3D::Render() {
    if (Device == nullptr) {
        return;
    }
    Device->Clear(0xFF0C61BEu);
    if (Device->BeginFrame()) {
        Device->State().PointSampling = true;
        if (RenderCallback != nullptr) {
            RenderCallback();
        }
        Device->EndFrame();
    }
    Device->Present();
}

}  // namespace Velmora
