#include "app/CInitD3D.h"

#include "platform/OpenGLDevice.h"
#include "platform/RecordingDevice.h"
#include "platform/Screen.h"

namespace Velmora {

CInitD3D::~CInitD3D() = default;

bool CInitD3D::Init(Platform::Window* window, bool fullScreen, std::string* error) {
    Windowed = !fullScreen;
    if (window == nullptr) {
        Device = std::make_unique<Platform::RecordingDevice>(g_screenWidth, g_screenHeight);
    } else {
        Device = Platform::CreateOpenGLDevice(*window, fullScreen, Width, Height, VSync, KeepFrames,
                                              error);
        if (Device == nullptr) {
            return false;
        }
    }
    Device->State().Cull = Platform::CullMode::Clockwise;
    Device->State().Lighting = false;
    Device->SetTransform(Platform::TransformKind::Projection,
                         Platform::MatrixPerspectiveFovLH(0.7853982f, 1.0f, 1.0f, 2000.0f));
    return true;
}

void CInitD3D::Render() {
    if (Device == nullptr) {
        return;
    }
    Device->Clear(0xFF0C61BEu);
    if (Device->BeginScene()) {
        Device->State().PointSampling = true;
        if (RenderCallback != nullptr) {
            RenderCallback();
        }
        Device->EndScene();
    }
    Device->Present();
}

}  // namespace Velmora
