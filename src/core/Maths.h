#pragma once
// The engine's small matrix and vector maths: row vectors times 4 x 4 matrices, with
// depth growing away from the viewer, all in single precision. Pictures are placed
// and turned with exactly these products, so positions and angles in a frame are
// reproducible bit for bit.
#include <cmath>

namespace Velmora {

struct Matrix {
    float m[4][4];
};

struct Vector2 {
    float x;
    float y;
};

inline Matrix MatrixIdentity() {
    Matrix r{};
    r.m[0][0] = r.m[1][1] = r.m[2][2] = r.m[3][3] = 1.0f;
    return r;
}

inline Matrix MatrixScaling(float sx, float sy, float sz) {
    Matrix r{};
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    r.m[3][3] = 1.0f;
    return r;
}

inline Matrix MatrixRotationZ(float angle) {
    Matrix r = MatrixIdentity();
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

inline Matrix MatrixTranslation(float x, float y, float z) {
    Matrix r = MatrixIdentity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

inline Matrix MatrixMultiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[i][k] * b.m[k][j];
            }
            r.m[i][j] = sum;
        }
    }
    return r;
}

inline Matrix MatrixOrthoOffCenter(float l, float r, float b, float t, float zn, float zf) {
    Matrix o{};
    o.m[0][0] = 2.0f / (r - l);
    o.m[1][1] = 2.0f / (t - b);
    o.m[2][2] = 1.0f / (zf - zn);
    o.m[3][0] = (l + r) / (l - r);
    o.m[3][1] = (t + b) / (b - t);
    o.m[3][2] = zn / (zn - zf);
    o.m[3][3] = 1.0f;
    return o;
}

// Row vector (x, y, z, 1) times m; w is returned separately for projections.
inline void TransformCoord(const Matrix& m, float x, float y, float z, float out[4]) {
    for (int j = 0; j < 4; ++j) {
        out[j] = x * m.m[0][j] + y * m.m[1][j] + z * m.m[2][j] + m.m[3][j];
    }
}

// Where a quad drawn on the game's picture goes: scaled by Scale and turned by Angle
// (radians, clockwise on screen) about its origin, which is then put at (X, Y).
struct Placement {
    float X = 0.0f;
    float Y = 0.0f;
    float Scale = 1.0f;
    float Angle = 0.0f;
};

// The corners (x[i], y[i]) of a quad placed on a width x height picture, in its pixels
// (origin top-left, y down), through the sprite transform as 4 x 4 products: world
// (scaling, rotation by cosA/sinA, translation) times an identity view times the
// picture's orthographic projection, each corner divided by its w. PlaceCorners gives
// the same bits with a few products; this stays for what it cannot: corners that are
// not finite.
inline void PlaceCornersByMatrices(const Placement& where, float cosA, float sinA, float width,
                                   float height, const float x[4], const float y[4], float xs[4],
                                   float ys[4]) {
    Matrix rotation = MatrixIdentity();
    rotation.m[0][0] = cosA;
    rotation.m[0][1] = sinA;
    rotation.m[1][0] = -sinA;
    rotation.m[1][1] = cosA;
    Matrix world = MatrixIdentity();
    world = MatrixMultiply(world, MatrixScaling(where.Scale, where.Scale, where.Scale));
    world = MatrixMultiply(world, rotation);
    world = MatrixMultiply(world, MatrixTranslation(where.X, where.Y, 0.0f));
    const Matrix wvp = MatrixMultiply(MatrixMultiply(world, MatrixIdentity()),
                                      MatrixOrthoOffCenter(0.0f, width, height, 0.0f, 0.0f, 1.0f));
    for (int i = 0; i < 4; ++i) {
        float clip[4];
        TransformCoord(wvp, x[i], y[i], 0.0f, clip);
        const float w = clip[3] != 0.0f ? clip[3] : 1.0f;
        xs[i] = (clip[0] / w + 1.0f) * 0.5f * width;
        ys[i] = (1.0f - clip[1] / w) * 0.5f * height;
    }
}

// The terms of a width x height picture's projection that placing uses, as
// MatrixOrthoOffCenter(0, width, height, 0, 0, 1) has them: made once per picture size.
struct PictureProjection {
    PictureProjection(float width, float height)
        : Width(width),
          Height(height),
          ScaleX(2.0f / (width - 0.0f)),
          ScaleY(2.0f / (0.0f - height)),
          OffsetX((0.0f + width) / (0.0f - width)),
          OffsetY((0.0f + height) / (height - 0.0f)) {}
    float Width;
    float Height;
    float ScaleX;
    float ScaleY;
    float OffsetX;
    float OffsetY;
};

// PlaceCornersByMatrices in closed form. Every entry those products leave is one of
// the few terms below or a sum with zeros, and a zero added changes a finite sum at
// most in the sign of a zero, which the final "+ 1" removes; the terms that remain are
// computed here in the products' own order, so finite corners come out bit for bit
// the same. A product with a non-finite term (a scale, angle or position of infinity
// or NaN, a picture of no size) makes some corner non-finite, and such quads, which
// draw nothing, go through the products themselves so that what is recorded of them
// stays the same too.
// The corners are read in place from any vertex with members x and y.
template <class Vertex>
void PlaceCorners(const Placement& where, float cosA, float sinA, const PictureProjection& picture,
                  const Vertex (&corners)[4], float xs[4], float ys[4]) {
    const float sc = where.Scale * cosA;
    const float ss = where.Scale * sinA;
    const float m00 = sc * picture.ScaleX;
    const float m10 = -ss * picture.ScaleX;
    const float m01 = ss * picture.ScaleY;
    const float m11 = sc * picture.ScaleY;
    const float m30 = where.X * picture.ScaleX + picture.OffsetX;
    const float m31 = where.Y * picture.ScaleY + picture.OffsetY;
    // Zero times a corner is NaN only for a corner that is not finite: one test for all.
    float probe = 0.0f;
    for (int i = 0; i < 4; ++i) {
        const float x = corners[i].x;
        const float y = corners[i].y;
        xs[i] = (x * m00 + y * m10 + m30 + 1.0f) * 0.5f * picture.Width;
        ys[i] = (1.0f - (x * m01 + y * m11 + m31)) * 0.5f * picture.Height;
        probe += xs[i] * 0.0f + ys[i] * 0.0f;
    }
    if (probe != probe) {
        const float x[4] = {corners[0].x, corners[1].x, corners[2].x, corners[3].x};
        const float y[4] = {corners[0].y, corners[1].y, corners[2].y, corners[3].y};
        PlaceCornersByMatrices(where, cosA, sinA, picture.Width, picture.Height, x, y, xs, ys);
    }
}

// The unit vector of v; a zero vector stays zero instead of becoming NaN.
inline Vector2 Vec2Normalize(Vector2 v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length == 0.0f) {
        return Vector2{0.0f, 0.0f};
    }
    return Vector2{v.x / length, v.y / length};
}

}  // namespace Velmora
