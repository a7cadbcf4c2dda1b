// 4x4 single-precision matrices and the vectors they transform.
//
// Storage is row by row: element (r, c) is m[4 * r + c]. Points are column vectors
// (p' = M * p) and a translation lives in column 3. Every result element is computed in
// double precision and rounded to float once, when it is stored, so results are the same
// on every platform that follows IEEE arithmetic.
#pragma once

struct Mat4 {
    float m[16];
    float& at(int row, int column) { return m[4 * row + column]; }
    float at(int row, int column) const { return m[4 * row + column]; }
};

struct Vec3 {
    float x, y, z;
};

struct Vec4 {
    float x, y, z, w;
};

// m := m * o (o acts before what m already did). o may be m itself.
void PostMultiply(Mat4& m, const Mat4& o);
// m := o * m (o acts after what m already did). o may be m itself.
void PreMultiply(Mat4& m, const Mat4& o);
void SetIdentity(Mat4& m);
// Rotation by angle (radians) about the axis (x, y, z), counter-clockwise seen from the axis
// tip. The axis is used as given, not normalised. Overwrites all 16 elements.
void SetRotation(Mat4& m, float x, float y, float z, float angle);
void SetTranslation(Mat4& m, float x, float y, float z);
// Perspective projection: fovy is the full vertical field of view in radians. Element (0,0) is
// the stored (1,1) divided by the aspect, so the projection is identical on every platform.
void SetPerspective(Mat4& m, float fovy, float aspect, float zNear, float zFar);
// out := rows 0 to 2 of m applied to (in, 1); no division by w. out may be in. Defined here so
// that the renderer's per-vertex loops inline it.
inline void TransformPoint(const Mat4& m, Vec3& out, const Vec3& in) {
    const double x = in.x, y = in.y, z = in.z;
    const float rx =
        static_cast<float>(m.at(0, 0) * x + m.at(0, 1) * y + m.at(0, 2) * z + m.at(0, 3));
    const float ry =
        static_cast<float>(m.at(1, 0) * x + m.at(1, 1) * y + m.at(1, 2) * z + m.at(1, 3));
    const float rz =
        static_cast<float>(m.at(2, 0) * x + m.at(2, 1) * y + m.at(2, 2) * z + m.at(2, 3));
    out = Vec3{rx, ry, rz};
}

// out := m * in. out may be in. Inlined like TransformPoint; a caller that ignores a component
// then does not compute it.
inline void TransformVec4(const Mat4& m, Vec4& out, const Vec4& in) {
    const double v[4] = {in.x, in.y, in.z, in.w};
    float r[4];
    for (int row = 0; row < 4; ++row) {
        r[row] = static_cast<float>(m.at(row, 0) * v[0] + m.at(row, 1) * v[1] +
                                    m.at(row, 2) * v[2] + m.at(row, 3) * v[3]);
    }
    out = Vec4{r[0], r[1], r[2], r[3]};
}
