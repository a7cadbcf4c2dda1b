// The span filler: clipping, gradients from the unclipped ends, texel wrap and fog lookup.
#include <gtest/gtest.h>

#include "support/raster_test_frame.h"

namespace {

constexpr int32_t FixedOne = 65536;

class SpanTest : public GuardedDrawingTest {
  protected:
    // Fills row 5 from x0 to x1 with texture columns uLeft to uRight (whole texels).
    void FillColumns(int32_t x0, int32_t x1, int32_t uLeft, int32_t uRight) {
        FillSpan(worker(), 5, x0, x1, uLeft * FixedOne, 0, uRight * FixedOne, 0, 255 * FixedOne,
                 255 * FixedOne);
    }
};

TEST_F(SpanTest, LeftClipKeepsTheUnclippedInterpolants) {
    // u runs 0, 5, 10, ... from column -5, so columns 0 to 2 read 25, 30 and 35.
    FillColumns(-5, 3, 0, 40);
    EXPECT_EQ(frame_.WrittenCount(), 3);
    EXPECT_EQ(frame_.At(0, 5), 25);
    EXPECT_EQ(frame_.At(1, 5), 30);
    EXPECT_EQ(frame_.At(2, 5), 35);
}

TEST_F(SpanTest, ClipsAndEmptySpansWriteOnlyInsideTheRow) {
    struct Case {
        int32_t x0, x1;
        int first, last; // expected written columns, or -1 when none
    };
    const Case cases[] = {{-20, -3, -1, -1},  {319, 321, 319, 319}, {320, 330, -1, -1},
                          {0, 320, 0, 319},   {10, 10, -1, -1},     {20, 10, -1, -1},
                          {-100, 500, 0, 319}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x0 << ".." << c.x1);
        frame_.Clear();
        FillColumns(c.x0, c.x1, 0, 63);
        const GuardedFrame::RowExtent extent = frame_.Extent(5);
        EXPECT_EQ(extent.first, c.first);
        EXPECT_EQ(extent.last, c.last);
        EXPECT_TRUE(extent.contiguous);
        EXPECT_EQ(frame_.WrittenCount(), c.first < 0 ? 0 : c.last - c.first + 1);
    }
}

TEST_F(SpanTest, RightClipDoesNotChangeTheGradient) {
    // 40 texels over 12 columns: column 319 is the second pixel and reads texel 3 either way.
    FillColumns(318, 330, 0, 40);
    EXPECT_EQ(frame_.At(318, 5), 0);
    EXPECT_EQ(frame_.At(319, 5), 3);
    EXPECT_EQ(frame_.WrittenCount(), 2);
}

TEST_F(SpanTest, GradientsTruncateTowardsZero) {
    // du = (-3 * 65536 - 2) / 3 = -65536.67 truncates to -65536, so column 1 holds exactly
    // 9.0; rounding the gradient down would give 8.99998 and texture column 8.
    FillSpan(worker(), 5, 0, 3, 10 * FixedOne, 0, 7 * FixedOne - 2, 0, 255 * FixedOne,
             255 * FixedOne);
    EXPECT_EQ(frame_.At(0, 5), 10);
    EXPECT_EQ(frame_.At(1, 5), 9);
    EXPECT_EQ(frame_.At(2, 5), 8);
}

TEST_F(SpanTest, TextureCoordinatesWrapEvery64Texels) {
    FillColumns(0, 1, 64, 64);
    FillColumns(1, 2, 70, 70);
    EXPECT_EQ(frame_.At(0, 5), 0);
    EXPECT_EQ(frame_.At(1, 5), 6);

    // u from 0 to 128 over 128 columns shows every texture column twice.
    frame_.Clear();
    FillColumns(0, 128, 0, 128);
    for (int x = 0; x < 128; ++x) {
        EXPECT_EQ(frame_.At(x, 5), x % 64) << x;
    }
}

TEST_F(SpanTest, FallingVLeavesUExactAcrossTheWholeRow) {
    // u is one 65536th below column x + 1 at column x, so anything added to it shows as the
    // next column; v falls by a fraction every column, which carries into the packed u.
    FillSpan(worker(), 5, 0, FrameWidth, FixedOne - 1, 255 * FixedOne,
             (FrameWidth + 1) * FixedOne - 1, 0, 255 * FixedOne, 255 * FixedOne);
    for (int x = 0; x < FrameWidth; ++x) {
        EXPECT_EQ(frame_.At(x, 5), x % 64) << x;
    }
}

TEST_F(SpanTest, VSelectsTheTextureRow) {
    texture_ = RowTexture();
    FillSpan(worker(), 7, 0, 4, 0, 60 * FixedOne, 0, 68 * FixedOne, 255 * FixedOne, 255 * FixedOne);
    EXPECT_EQ(frame_.At(0, 7), 60);
    EXPECT_EQ(frame_.At(1, 7), 62);
    EXPECT_EQ(frame_.At(2, 7), 0);
    EXPECT_EQ(frame_.At(3, 7), 2);
}

TEST_F(SpanTest, ShadeSelectsTheFogRow) {
    FogShowsShade();
    FillSpan(worker(), 0, 0, 4, 0, 0, 0, 0, 200 * FixedOne, 100 * FixedOne);
    EXPECT_EQ(frame_.At(0, 0), 200);
    EXPECT_EQ(frame_.At(1, 0), 175);
    EXPECT_EQ(frame_.At(2, 0), 150);
    EXPECT_EQ(frame_.At(3, 0), 125);
}

TEST_F(SpanTest, EitherOrderStartsFromTheLeftEndsValues) {
    FillSpanEither(worker(), 5, 20, 10, 0, 0, 30 * FixedOne, 0, 255 * FixedOne, 255 * FixedOne);
    const GuardedFrame::RowExtent extent = frame_.Extent(5);
    EXPECT_EQ(extent.first, 10);
    EXPECT_EQ(extent.last, 19);
    EXPECT_EQ(frame_.At(10, 5), 30);
    EXPECT_EQ(frame_.At(19, 5), 3);

    frame_.Clear();
    FillSpanEither(worker(), 5, 10, 20, 0, 0, 30 * FixedOne, 0, 255 * FixedOne, 255 * FixedOne);
    EXPECT_EQ(frame_.At(10, 5), 0);
    EXPECT_EQ(frame_.At(19, 5), 27);
}

TEST_F(SpanTest, BottomRowStaysInsideTheFrame) {
    FillColumns(-1000, 1000, 0, 0);
    FillSpan(worker(), 239, -1000, 1000, 0, 0, 0, 0, 0, 0);
    FillSpan(worker(), 0, -1000, 1000, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(frame_.WrittenCount(), 3 * FrameWidth);
}

} // namespace
