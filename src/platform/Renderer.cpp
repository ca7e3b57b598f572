#include "platform/Renderer.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace Velmora::Platform {

void Renderer::PlaceQuad(const VertexBuffer& buffer, const Placement& where,
                         float xs[QuadVertexCount], float ys[QuadVertexCount]) {
    // Compared as bits: -0 has a sine of its own.
    std::uint32_t angle = 0;
    std::uint32_t last = 0;
    std::memcpy(&angle, &where.Angle, sizeof angle);
    std::memcpy(&last, &angle_, sizeof last);
    if (angle != last) {
        angle_ = where.Angle;
        cos_ = std::cos(where.Angle);
        sin_ = std::sin(where.Angle);
    }
    PlaceCorners(where, cos_, sin_, projection_, buffer.Vertices, xs, ys);
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
