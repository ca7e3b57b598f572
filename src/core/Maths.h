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

// The unit vector of v; a zero vector stays zero instead of becoming NaN.
inline Vector2 Vec2Normalize(Vector2 v) {
    const float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length == 0.0f) {
        return Vector2{0.0f, 0.0f};
    }
    return Vector2{v.x / length, v.y / length};
}

}  // namespace Velmora
