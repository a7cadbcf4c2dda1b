#include "math/mat4.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// One element of the product a * b, carried in double and rounded to float once.
float ProductElement(const Mat4& a, const Mat4& b, int row, int column) {
    double sum = 0.0;
    for (int i = 0; i < 4; ++i) {
        sum += static_cast<double>(a.at(row, i)) * b.at(i, column);
    }
    return static_cast<float>(sum);
}

bool IsIdentity(const Mat4& m) {
    static const Mat4 Identity = {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
    return std::memcmp(m.m, Identity.m, sizeof m.m) == 0;
}

// True when no element is an infinity or a NaN, whose exponent bits are all ones.
bool AllFinite(const Mat4& m) {
    uint32_t bits[16];
    std::memcpy(bits, m.m, sizeof bits);
    uint32_t nonFinite = 0;
    for (uint32_t element : bits) {
        nonFinite |= static_cast<uint32_t>((element & 0x7F800000u) == 0x7F800000u);
    }
    return nonFinite == 0;
}

// The product with the identity, o being the other operand and all finite: each element sums,
// from +0.0, one element of o times 1 and three of o times 0, which are zeros, so the sum is
// that element of o, except that a zero comes out as +0.0. Adding +0.0f gives the same.
// Products with infinities or NaNs take the general path, where 0 times them is NaN.
bool MultiplyByIdentity(Mat4& result, const Mat4& a, const Mat4& b) {
    const Mat4* other = IsIdentity(b) ? &a : IsIdentity(a) ? &b : nullptr;
    if (other == nullptr || !AllFinite(*other)) {
        return false;
    }
    for (int i = 0; i < 16; ++i) {
        result.m[i] = other->m[i] + 0.0f;
    }
    return true;
}

// result := a * b through a temporary, so result may alias either operand.
void Multiply(Mat4& result, const Mat4& a, const Mat4& b) {
    if (MultiplyByIdentity(result, a, b)) {
        return;
    }
    Mat4 product;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            product.at(row, column) = ProductElement(a, b, row, column);
        }
    }
    result = product;
}

} // namespace

void PostMultiply(Mat4& m, const Mat4& o) {
    Multiply(m, m, o);
}

void PreMultiply(Mat4& m, const Mat4& o) {
    Multiply(m, o, m);
}

void SetIdentity(Mat4& m) {
    for (float& element : m.m) {
        element = 0.0f;
    }
    m.at(0, 0) = m.at(1, 1) = m.at(2, 2) = m.at(3, 3) = 1.0f;
}

void SetRotation(Mat4& m, float x, float y, float z, float angle) {
    const double s = std::sin(static_cast<double>(angle));
    const double c = static_cast<float>(std::cos(static_cast<double>(angle)));
    const double k = 1.0 - c;
    const double dx = x, dy = y, dz = z;
    SetIdentity(m);
    m.at(0, 0) = static_cast<float>(c + k * dx * dx);
    m.at(0, 1) = static_cast<float>(k * dx * dy - s * dz);
    m.at(0, 2) = static_cast<float>(k * dx * dz + s * dy);
    m.at(1, 0) = static_cast<float>(k * dx * dy + s * dz);
    m.at(1, 1) = static_cast<float>(c + k * dy * dy);
    m.at(1, 2) = static_cast<float>(k * dy * dz - s * dx);
    m.at(2, 0) = static_cast<float>(k * dx * dz - s * dy);
    m.at(2, 1) = static_cast<float>(k * dy * dz + s * dx);
    m.at(2, 2) = static_cast<float>(c + k * dz * dz);
}

void SetTranslation(Mat4& m, float x, float y, float z) {
    SetIdentity(m);
    m.at(0, 3) = x;
    m.at(1, 3) = y;
    m.at(2, 3) = z;
}

void SetPerspective(Mat4& m, float fovy, float aspect, float zNear, float zFar) {
    const float f = static_cast<float>(1.0 / std::tan(static_cast<double>(fovy) / 2.0));
    const double nearPlane = zNear, farPlane = zFar;
    for (float& element : m.m) {
        element = 0.0f;
    }
    m.at(0, 0) = static_cast<float>(static_cast<double>(f) / aspect);
    m.at(1, 1) = f;
    m.at(2, 2) = static_cast<float>((nearPlane + farPlane) / (nearPlane - farPlane));
    m.at(2, 3) = static_cast<float>(2.0 * nearPlane * farPlane / (nearPlane - farPlane));
    m.at(3, 2) = -1.0f;
}
