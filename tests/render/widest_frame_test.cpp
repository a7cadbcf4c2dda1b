// The widest frame, 2560x1920 at scale 8: what holds a row's coverage and what steps a span
// must be sized for its 2560 columns, not for the 320 of scale 1.
#include <gtest/gtest.h>

#include <cstdint>

#include "render/coverage.h"
#include "support/raster_test_frame.h"

namespace {

constexpr int32_t Scale = 8;
constexpr int32_t Width = FrameWidth * Scale;

class WidestFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        FogPassesTexel();
        worker().currentTexture = &texture;
        ClearFrame(*renderer);
    }
    WorkerState& worker() { return WholeFrameWorker(*renderer); }
    uint8_t At(int32_t x, int32_t y) const { return TargetRow(renderer->target, y)[x]; }

    const Texture texture = ColumnTexture(); // the drawn value is the texture column
    const std::unique_ptr<Renderer> renderer = CreateRenderer(Scale, 1);
};

// A comb of 1280 one-column teeth, every other column of the first rows, drawn nearest first
// and then a triangle behind it over the whole frame: each of those rows holds as many
// separate covered runs as a row of this width can.
TEST_F(WidestFrameTest, ARowOfAsManyCoveredRunsAsItsWidthHoldsKeepsThemAll) {
    constexpr int32_t TeethRows = 4;
    constexpr int Tooth = 20; // texture column, and so the value, of the teeth
    ClearCoverage(worker());
    for (int32_t x = 0; x < Width; x += 2) {
        RasteriseTriangleBehind(worker(), Vertex(x, 0, Tooth), Vertex(x + 1, 0, Tooth),
                                Vertex(x + 1, TeethRows, Tooth));
    }
    EXPECT_EQ(worker().coveredRows[0].columns, Width / 2);
    constexpr int Behind = 10; // texture column, and so the value, of the triangle behind
    RasteriseTriangleBehind(worker(), Vertex(-8, -8, Behind), Vertex(2 * Width, -8, Behind),
                            Vertex(-8, 2 * Width, Behind));
    int32_t wrong = 0;
    for (int32_t y = 0; y < 2 * TeethRows; ++y) {
        for (int32_t x = 0; x < Width; ++x) {
            const uint8_t expected = y < TeethRows && x % 2 == 0 ? Tooth : Behind;
            wrong += At(x, y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(worker().fullyCoveredRows, renderer->target.height);
}

// u stays just below texel column 6 along the whole row while v falls by one 16.16 step per
// column: each column reads texture column 5. The fill steps u and v packed in one register,
// exact for 1024 columns at a time; a longer piece would carry into u past that.
TEST_F(WidestFrameTest, ASpanAcrossTheWholeRowReadsTheTexelsOfItsExactInterpolants) {
    constexpr int32_t U = (5 << 16) + 0xFFFF;
    constexpr int32_t V = 40 << 16;
    constexpr int32_t Shade = 255 << 16;
    FillSpan(worker(), 5, 0, Width, U, V, U, V - Width, Shade, Shade);
    int32_t wrong = 0;
    for (int32_t x = 0; x < Width; ++x) {
        wrong += At(x, 5) != 5;
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace
