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
// out := rows 0 to 2 of m applied to (in, 1); no division by w. out may be in.
void TransformPoint(const Mat4& m, Vec3& out, const Vec3& in);
// out := m * in. out may be in.
void TransformVec4(const Mat4& m, Vec4& out, const Vec4& in);
