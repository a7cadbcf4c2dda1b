// The triangle rasteriser on hand-worked triangles: coverage, fixed-point values, clipping,
// degenerate shapes, vertex order and shared edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "support/raster_test_frame.h"

namespace {

using Triangle = std::array<ScreenVertex, 3>;

// Expected first and last column of one row.
struct RowSpan {
    int row;
    int first;
    int last;
};

class TriangleTest : public GuardedDrawingTest {
  protected:
    void Draw(const Triangle& t) { RasteriseTriangle(worker(), t[0], t[1], t[2]); }

    // The frame holds exactly the listed row spans, each one unbroken, and nothing else.
    void ExpectRows(const std::vector<RowSpan>& rows) {
        int expectedCount = 0;
        for (const RowSpan& span : rows) {
            SCOPED_TRACE(::testing::Message() << "row " << span.row);
            const GuardedFrame::RowExtent extent = frame_.Extent(span.row);
            EXPECT_EQ(extent.first, span.first);
            EXPECT_EQ(extent.last, span.last);
            EXPECT_TRUE(extent.contiguous);
            expectedCount += span.last - span.first + 1;
        }
        EXPECT_EQ(frame_.WrittenCount(), expectedCount);
    }

    // How often each pixel is written by the triangles together, each drawn on its own.
    std::vector<int> WriteCounts(const std::vector<Triangle>& triangles) {
        std::vector<int> counts(FrameSize, 0);
        for (const Triangle& t : triangles) {
            frame_.Clear();
            Draw(t);
            for (int i = 0; i < FrameSize; ++i) {
                counts[i] += frame_.Pixels()[i] != Untouched;
            }
        }
        return counts;
    }

    std::vector<uint8_t> Picture(const Triangle& t) {
        frame_.Clear();
        Draw(t);
        return std::vector<uint8_t>(frame_.Pixels(), frame_.Pixels() + FrameSize);
    }
};

TEST_F(TriangleTest, ThirtySixPixelTriangleWalksAcrossTheTexture) {
    Draw({Vertex(0, 0, 0, 0), Vertex(8, 0, 64, 0), Vertex(0, 8, 0, 64)});
    std::vector<RowSpan> rows;
    for (int row = 0; row < 8; ++row) {
        rows.push_back({row, 0, 7 - row});
    }
    ExpectRows(rows);
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(frame_.At(x, 0), 8 * x) << x;
    }
}

TEST_F(TriangleTest, ShadeFallsAcrossTheFogRows) {
    FogShowsShade();
    Draw({Vertex(0, 0, 0, 0, 255), Vertex(8, 0, 64, 0, 0), Vertex(0, 8, 0, 64, 255)});
    const int expected[8] = {255, 223, 191, 159, 127, 95, 63, 31};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(frame_.At(x, 0), expected[x]) << x;
    }
}

TEST_F(TriangleTest, EdgeAndSpanValuesTruncateAndFloorExactly) {
    // Top (2,1,u 10), middle (6,5,u 0), bottom (0,7,u 7). The long edge's x steps by
    // -21845 (truncated, not -21846) and its u by -32768; at the middle row it is re-evaluated
    // as 131072 + 4 * -21845 = 43692 (column 0) with u 8.0. Row 5 then spans columns 0 to 6
    // with du = -524288 / 6 = -87381, so column 3 holds u = 262145, texel 4 (3 if the
    // division rounded down).
    Draw({Vertex(2, 1, 10), Vertex(6, 5, 0), Vertex(0, 7, 7)});
    ExpectRows({{2, 1, 2}, {3, 1, 3}, {4, 1, 4}, {5, 0, 5}, {6, 0, 2}});
    const std::vector<std::vector<int>> texels = {
        {9, 8}, {9, 7, 6}, {8, 7, 5, 4}, {8, 6, 5, 4, 2, 1}, {7, 6, 4}};
    for (int row = 2; row <= 6; ++row) {
        const int first = frame_.Extent(row).first;
        for (size_t i = 0; i < texels[row - 2].size(); ++i) {
            EXPECT_EQ(frame_.At(first + static_cast<int>(i), row), texels[row - 2][i])
                << "row " << row << " pixel " << i;
        }
    }
}

TEST_F(TriangleTest, TopClipPreStepsToRowZeroAndFloorsNegativePositions) {
    Draw({Vertex(-4, -3), Vertex(12, 1), Vertex(3, 6)});
    ExpectRows({{0, 0, 7}, {1, 0, 11}, {2, 0, 9}, {3, 0, 7}, {4, 1, 5}, {5, 2, 3}});

    // Entering row 0 the long edge is at x = -109228 (column -2, not -1) with u = 12.0, the
    // short edge at column 8 with u = 0; the span's du = -786432 / 10, so column 0, two
    // pixels in, reads texel 9 (10 if the span started at column -1).
    frame_.Clear();
    Draw({Vertex(-4, -3, 0), Vertex(12, 1, 0), Vertex(3, 6, 36)});
    EXPECT_EQ(frame_.At(0, 0), 9);
}

TEST_F(TriangleTest, RightAndBottomClips) {
    Draw({Vertex(318, 0, 0), Vertex(330, 0, 40), Vertex(318, 2, 0)});
    ExpectRows({{0, 318, 319}, {1, 318, 319}});
    EXPECT_EQ(frame_.At(319, 0), 3);

    frame_.Clear();
    Draw({Vertex(100, 237), Vertex(104, 237), Vertex(100, 245)});
    ExpectRows({{237, 100, 103}, {238, 100, 102}, {239, 100, 102}});
}

TEST_F(TriangleTest, DegenerateAndOffFrameTrianglesDrawNothing) {
    const Triangle nothing[] = {
        {Vertex(0, 5), Vertex(50, 5), Vertex(100, 5)},      // zero height
        {Vertex(7, 0), Vertex(7, 50), Vertex(7, 100)},      // zero width
        {Vertex(0, 240), Vertex(50, 240), Vertex(0, 300)},  // below the frame
        {Vertex(0, -60), Vertex(50, -60), Vertex(0, 0)},    // above: row 0 is the bottom
        {Vertex(320, 0), Vertex(400, 0), Vertex(320, 100)}, // right of the frame
        {Vertex(-80, 0), Vertex(0, 50), Vertex(-80, 100)},  // left: column 0 is excluded
        {Vertex(0, 5), Vertex(10, 6), Vertex(0, 6)},        // its only row is a vertex
        {Vertex(5, 0), Vertex(6, 10), Vertex(5, 10)},       // right edge stays below 6
        {Vertex(0, 0), Vertex(5, 5), Vertex(10, 10)},       // collinear
        {Vertex(-32768, -32768), Vertex(32767, -32768), Vertex(0, -1)}, // far above
        // upper half wholly above the frame: its pre-step is skipped, not overflowed
        {Vertex(-3090, -15061), Vertex(13207, -13811), Vertex(349, -37)}};
    for (const Triangle& t : nothing) {
        SCOPED_TRACE(::testing::Message() << t[0].x << "," << t[0].y << " " << t[1].x << ","
                                          << t[1].y << " " << t[2].x << "," << t[2].y);
        Draw(t);
        EXPECT_EQ(frame_.WrittenCount(), 0);
    }
}

TEST_F(TriangleTest, ThinAndFlatTriangles) {
    Draw({Vertex(0, 5), Vertex(10, 5), Vertex(0, 6)});
    ExpectRows({{5, 0, 9}});

    frame_.Clear(); // collinear on screen, yet one pixel
    Draw({Vertex(0, 0), Vertex(3, 7), Vertex(6, 14)});
    ExpectRows({{7, 2, 2}});

    frame_.Clear(); // flat bottom: only the upper half
    Draw({Vertex(5, 0), Vertex(0, 10), Vertex(10, 10)});
    ExpectRows({{1, 4, 4},
                {2, 4, 5},
                {3, 3, 5},
                {4, 3, 6},
                {5, 2, 6},
                {6, 2, 7},
                {7, 1, 7},
                {8, 1, 8},
                {9, 0, 8}});

    frame_.Clear(); // flat top: only the lower half
    Draw({Vertex(0, 0), Vertex(10, 0), Vertex(5, 10)});
    ExpectRows({{0, 0, 9},
                {1, 0, 8},
                {2, 1, 8},
                {3, 1, 7},
                {4, 2, 7},
                {5, 2, 6},
                {6, 3, 6},
                {7, 3, 5},
                {8, 4, 5},
                {9, 4, 4}});
}

TEST_F(TriangleTest, TriangleAroundTheFrameWritesEveryPixelOnce) {
    const std::vector<int> counts =
        WriteCounts({{Vertex(-50, -50), Vertex(1000, -50), Vertex(-50, 1000)}});
    EXPECT_TRUE(std::all_of(counts.begin(), counts.end(), [](int n) { return n == 1; }));
}

TEST_F(TriangleTest, EveryVertexOrderDrawsTheSamePicture) {
    const Triangle triangles[] = {
        {Vertex(2, 1, 10, 3, 200), Vertex(6, 5, 0, 40, 30), Vertex(0, 7, 7, 9, 255)},
        {Vertex(0, 0, 0, 0, 9), Vertex(60, 0, 64, 20, 90), Vertex(30, 50, 3, 64, 250)},
        {Vertex(10, 40, 5, 5, 0), Vertex(90, 0, 70, 1, 128), Vertex(90, 40, 33, 99, 255)},
        {Vertex(-300, -20, 1, 2, 3), Vertex(500, 100, 200, 7, 80), Vertex(40, 400, 9, 250, 190)},
        {Vertex(-20000, 30000, 0, 9, 10), Vertex(31000, -32768, 255, 0, 250),
         Vertex(100, 100, 63, 63, 100)}};
    for (const Triangle& t : triangles) {
        std::array<int, 3> order = {0, 1, 2};
        const std::vector<uint8_t> first = Picture(t);
        EXPECT_GT(std::count(first.begin(), first.end(), Untouched), 0);
        EXPECT_LT(std::count(first.begin(), first.end(), Untouched), FrameSize);
        while (std::next_permutation(order.begin(), order.end())) {
            SCOPED_TRACE(::testing::Message() << order[0] << order[1] << order[2]);
            EXPECT_EQ(Picture({t[order[0]], t[order[1]], t[order[2]]}), first);
        }
    }
}

TEST_F(TriangleTest, QuadSplitAlongEitherDiagonalWritesEachPixelOnce) {
    const ScreenVertex p[4] = {Vertex(20, 3), Vertex(170, 41), Vertex(140, 177), Vertex(-7, 90)};
    const std::vector<int> first = WriteCounts({{p[0], p[1], p[2]}, {p[0], p[2], p[3]}});
    const std::vector<int> second = WriteCounts({{p[0], p[1], p[3]}, {p[1], p[2], p[3]}});
    EXPECT_EQ(first, second);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](int n) { return n <= 1; }));
    EXPECT_GT(std::count(first.begin(), first.end(), 1), 10000);
}

TEST_F(TriangleTest, FanAroundACentreWritesEachPixelOnce) {
    const ScreenVertex centre = Vertex(160, 120);
    const ScreenVertex ring[] = {Vertex(160, 10),  Vertex(250, 30),  Vertex(330, 125),
                                 Vertex(240, 235), Vertex(150, 260), Vertex(40, 200),
                                 Vertex(-15, 110), Vertex(60, 25)};
    std::vector<Triangle> fan;
    for (int i = 0; i < 8; ++i) {
        fan.push_back({centre, ring[i], ring[(i + 1) % 8]});
    }
    const std::vector<int> counts = WriteCounts(fan);
    EXPECT_TRUE(std::all_of(counts.begin(), counts.end(), [](int n) { return n <= 1; }));
    // The polygon is convex, so every row it reaches is one unbroken run.
    for (int row = 0; row < FrameHeight; ++row) {
        const auto begin = counts.begin() + row * FrameWidth;
        const auto firstSet = std::find(begin, begin + FrameWidth, 1);
        const auto lastSet = std::find(std::make_reverse_iterator(begin + FrameWidth),
                                       std::make_reverse_iterator(begin), 1);
        if (firstSet != begin + FrameWidth) {
            EXPECT_TRUE(std::all_of(firstSet, lastSet.base(), [](int n) { return n == 1; }))
                << "row " << row;
        }
    }
}

} // namespace
