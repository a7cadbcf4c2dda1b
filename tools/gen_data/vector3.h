// Three doubles with the vector operations the generator needs: for points and directions in
// space and for colours as points in the cube of red, green and blue.
#pragma once

// The generator measures angles in radians.
constexpr double Pi = 3.14159265358979323846;

struct Vector3 {
    double x, y, z;
};

inline Vector3 Difference(const Vector3& a, const Vector3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

inline double Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vector3 Cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
