#include "platform/Renderer.h"

namespace Velmora::Platform {

void Renderer::TransformQuad(const VertexBuffer& buffer, float xs[QuadVertexCount],
                             float ys[QuadVertexCount]) const {
    const Matrix wvp = MatrixMultiply(
        MatrixMultiply(GetTransform(TransformKind::World), GetTransform(TransformKind::View)),
        GetTransform(TransformKind::Projection));
    const float width = static_cast<float>(BackBufferWidth());
    const float height = static_cast<float>(BackBufferHeight());
    for (int i = 0; i < QuadVertexCount; ++i) {
        const SpriteVertex& v = buffer.Vertices[i];
        float clip[4];
        TransformCoord(wvp, v.x, v.y, v.z, clip);
        const float w = clip[3] != 0.0f ? clip[3] : 1.0f;
        xs[i] = (clip[0] / w + 1.0f) * 0.5f * width;
        ys[i] = (1.0f - clip[1] / w) * 0.5f * height;
    }
}

bool Renderer::IsCulled(const float xs[QuadVertexCount], const float ys[QuadVertexCount]) const {
    if (State().Cull == CullMode::None) {
        return false;
    }
    // Winding of the strip's first triangle (0, 1, 2) in screen space, y down:
    // a positive cross product is clockwise as seen on screen.
    const float cross = (xs[1] - xs[0]) * (ys[2] - ys[0]) - (ys[1] - ys[0]) * (xs[2] - xs[0]);
    if (cross == 0.0f) {
        return true;  // degenerate: nothing to rasterise
    }
    const bool clockwise = cross > 0.0f;
    return State().Cull == CullMode::Clockwise ? clockwise : !clockwise;
}

}  // namespace Velmora::Platform
