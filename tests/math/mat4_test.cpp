#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "math/mat4.h"

namespace {

constexpr float Pi = 3.14159265f;

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

Mat4 FromRows(std::initializer_list<float> elements) {
    Mat4 m;
    int i = 0;
    for (float element : elements) {
        m.m[i++] = element;
    }
    return m;
}

Vec3 Transformed(const Mat4& m, Vec3 point) {
    TransformPoint(m, point, point);
    return point;
}

void ExpectNear(const Vec3& actual, float x, float y, float z) {
    EXPECT_NEAR(actual.x, x, 1e-6f);
    EXPECT_NEAR(actual.y, y, 1e-6f);
    EXPECT_NEAR(actual.z, z, 1e-6f);
}

const Mat4 Sample = FromRows({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
const Mat4 Other = FromRows({2, 0, 1, 0, 0, 1, 0, 3, 1, 0, 2, 0, 0, 0, 0, 1});

Mat4 Product(const Mat4& a, const Mat4& b) {
    Mat4 result;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = 0;
            for (int i = 0; i < 4; ++i) {
                sum += static_cast<double>(a.at(r, i)) * b.at(i, c);
            }
            result.at(r, c) = static_cast<float>(sum);
        }
    }
    return result;
}

void ExpectEqual(const Mat4& actual, const Mat4& expected) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(actual.m[i], expected.m[i]) << "element " << i;
    }
}

TEST(MatrixProducts, SquaringInPlaceUsesOnlyTheOldElements) {
    Mat4 post = Sample;
    PostMultiply(post, post);
    ExpectEqual(post, Product(Sample, Sample));
    Mat4 pre = Sample;
    PreMultiply(pre, pre);
    ExpectEqual(pre, Product(Sample, Sample));
}

TEST(MatrixProducts, PostMultiplyPutsTheOperandOnTheRightAndPreMultiplyOnTheLeft) {
    Mat4 post = Sample;
    PostMultiply(post, Other);
    ExpectEqual(post, Product(Sample, Other));
    Mat4 pre = Sample;
    PreMultiply(pre, Other);
    ExpectEqual(pre, Product(Other, Sample));
}

TEST(MatrixProducts, OrderDecidesWhetherTranslationOrRotationActsFirst) {
    Mat4 rotation;
    SetRotation(rotation, 0, 0, 1, Pi / 2);
    Mat4 pre;
    SetTranslation(pre, 1, 0, 0);
    PreMultiply(pre, rotation);
    ExpectNear(Transformed(pre, {0, 0, 0}), 0, 1, 0);
    Mat4 post;
    SetTranslation(post, 1, 0, 0);
    PostMultiply(post, rotation);
    ExpectNear(Transformed(post, {0, 0, 0}), 1, 0, 0);
}

void ExpectSameBits(const Mat4& actual, const Mat4& expected) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Bits(actual.m[i]), Bits(expected.m[i])) << "element " << i;
    }
}

TEST(MatrixProducts, ProductsWithTheIdentityKeepEveryBitOfTheSum) {
    // The sum starts at +0.0, so a negative zero comes out positive; 0 times an infinity or a
    // NaN is NaN, which spreads along its row or column.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Mat4 cases[] = {
        FromRows({-0.0f, 2, 3, 4, 5, 6, -0.0f, 8, 9, 10, 11, 12, -0.0f, 0, 0, 1}),
        FromRows({inf, 0, 1, 0, 0, 1, 0, 3, 1, 0, 2, 0, 0, 0, 0, 1}),
        FromRows({1, 0, 0, 0, 0, nan, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),
    };
    Mat4 identity;
    SetIdentity(identity);
    for (const Mat4& m : cases) {
        Mat4 post = m;
        PostMultiply(post, identity);
        ExpectSameBits(post, Product(m, identity));
        Mat4 pre = m;
        PreMultiply(pre, identity);
        ExpectSameBits(pre, Product(identity, m));
        Mat4 left = identity;
        PostMultiply(left, m);
        ExpectSameBits(left, Product(identity, m));
    }
}

TEST(MatrixProducts, ElementsAreSummedInDoubleAndRoundedOnce) {
    // 1 + 2^-24 + 2^-24 is 1 + 2^-23 in double but 1 when each sum is rounded to float.
    const float tiny = std::ldexp(1.0f, -24);
    Mat4 row = FromRows({1, tiny, tiny, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    Mat4 ones = FromRows({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1});
    PostMultiply(row, ones);
    EXPECT_EQ(row.at(0, 0), 1.0f + std::ldexp(1.0f, -23));
}

TEST(Rotation, TurnsCounterClockwiseSeenFromTheAxisTip) {
    Mat4 m;
    SetRotation(m, 0, 0, 1, Pi / 2);
    ExpectNear(Transformed(m, {1, 0, 0}), 0, 1, 0);
    SetRotation(m, 1, 0, 0, Pi / 2);
    ExpectNear(Transformed(m, {0, 1, 0}), 0, 0, 1);
    SetRotation(m, 0, 1, 0, Pi / 2);
    ExpectNear(Transformed(m, {0, 0, 1}), 1, 0, 0);
}

TEST(Rotation, AboutYHasTheSineAboveTheDiagonal) {
    Mat4 m;
    SetRotation(m, 0, 1, 0, -2.0f);
    const float c = static_cast<float>(std::cos(-2.0)), s = static_cast<float>(std::sin(-2.0));
    EXPECT_FLOAT_EQ(m.at(0, 0), c);
    EXPECT_FLOAT_EQ(m.at(0, 2), s);
    EXPECT_FLOAT_EQ(m.at(2, 0), -s);
    EXPECT_FLOAT_EQ(m.at(2, 2), c);
    EXPECT_EQ(m.at(1, 1), 1.0f);
    EXPECT_NEAR(m.at(0, 0), -0.4161468f, 1e-7f);
    EXPECT_NEAR(m.at(0, 2), -0.9092974f, 1e-7f);
}

TEST(Rotation, AxisIsNotNormalised) {
    Mat4 m;
    SetRotation(m, 0, 0, 2, 0.0f);
    Mat4 identity;
    SetIdentity(identity);
    ExpectEqual(m, identity);
    SetRotation(m, 0, 0, 2, Pi / 2);
    // k = 1 - cos: (2,2) is c + k*z*z = 4 rather than 1, and the sine terms are doubled.
    EXPECT_NEAR(m.at(2, 2), 4.0f, 1e-6f);
    EXPECT_NEAR(m.at(1, 0), 2.0f, 1e-6f);
}

TEST(Rotation, OverwritesAnEarlierTranslation) {
    Mat4 m;
    SetTranslation(m, 5, 6, 7);
    SetRotation(m, 1, 0, 0, 0.5f);
    EXPECT_EQ(m.at(0, 3), 0.0f);
    EXPECT_EQ(m.at(1, 3), 0.0f);
    EXPECT_EQ(m.at(2, 3), 0.0f);
    EXPECT_EQ(m.at(3, 3), 1.0f);
}

TEST(Perspective, HoldsTheProjectionBitPatterns) {
    Mat4 m;
    SetPerspective(m, 0.87266463f, 640.0f / 480.0f, 0.25f, 15.0f);
    EXPECT_EQ(Bits(m.at(0, 0)), 0x3FCDDF67u);
    EXPECT_EQ(Bits(m.at(1, 1)), 0x40093F9Au);
    EXPECT_EQ(Bits(m.at(2, 2)), 0xBF8456C8u);
    EXPECT_EQ(Bits(m.at(2, 3)), 0xBF022B64u);
    EXPECT_EQ(Bits(m.at(3, 2)), 0xBF800000u);
    int zeros = 0;
    for (float element : m.m) {
        zeros += Bits(element) == 0 ? 1 : 0;
    }
    EXPECT_EQ(zeros, 11);
}

TEST(Perspective, FourthComponentIsMinusDepth) {
    Mat4 m;
    SetPerspective(m, 0.87266463f, 640.0f / 480.0f, 0.25f, 15.0f);
    Vec4 q{0.5f, -1.0f, 5.0f, 1.0f};
    TransformVec4(m, q, q);
    EXPECT_EQ(q.w, -5.0f);
    EXPECT_NEAR(q.z, -5.6779666f, 1e-6f);
    EXPECT_NEAR(q.y, -2.1445069f, 1e-6f);
}

TEST(Transforms, PointIgnoresTheBottomRowAndDoesNotDivide) {
    Mat4 m;
    SetPerspective(m, 0.87266463f, 640.0f / 480.0f, 0.25f, 15.0f);
    const Vec3 p = Transformed(m, {1, 2, 4});
    EXPECT_EQ(p.x, m.at(0, 0));
    EXPECT_EQ(p.y, 2 * m.at(1, 1));
    EXPECT_EQ(p.z, static_cast<float>(4.0 * m.at(2, 2) + m.at(2, 3)));
}

TEST(Transforms, InPlaceMatchesSeparateOutput) {
    Vec3 separate;
    const Vec3 input{1.5f, -2.0f, 0.25f};
    TransformPoint(Sample, separate, input);
    Vec3 inPlace = input;
    TransformPoint(Sample, inPlace, inPlace);
    EXPECT_EQ(separate.x, inPlace.x);
    EXPECT_EQ(separate.y, inPlace.y);
    EXPECT_EQ(separate.z, inPlace.z);

    Vec4 separate4;
    const Vec4 input4{1.5f, -2.0f, 0.25f, 3.0f};
    TransformVec4(Sample, separate4, input4);
    Vec4 inPlace4 = input4;
    TransformVec4(Sample, inPlace4, inPlace4);
    EXPECT_EQ(separate4.x, inPlace4.x);
    EXPECT_EQ(separate4.y, inPlace4.y);
    EXPECT_EQ(separate4.z, inPlace4.z);
    EXPECT_EQ(separate4.w, inPlace4.w);
    EXPECT_EQ(separate4.w, 13 * 1.5f + 14 * -2.0f + 15 * 0.25f + 16 * 3.0f);
}

} // namespace
