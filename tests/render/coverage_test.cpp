// The covered columns of each row against a plain per-pixel record, and triangles drawn nearest
// first against the same triangles drawn in the painter's order.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "render/coverage.h"
#include "support/raster_test_frame.h"

namespace {

// The row's coverage, column by column and in its count, is the plain record's.
void ExpectCoverage(const WorkerState& worker, int32_t row,
                    const std::array<bool, FrameWidth>& covered) {
    int32_t columns = 0;
    for (int32_t x = 0; x < FrameWidth; ++x) {
        EXPECT_EQ(RowCovered(worker, row, x, x + 1), covered[x]) << "column " << x;
        columns += covered[x];
    }
    EXPECT_EQ(worker.coveredRows[row].columns, columns);
}

TEST(CoverSpan, FillsExactlyTheColumnsNotCoveredBefore) {
    GuardedFrame frame;
    WorkerState& worker = frame.Worker();
    std::mt19937 random(11);
    for (int trial = 0; trial < 300 && !::testing::Test::HasFailure(); ++trial) {
        ClearCoverage(worker);
        const int32_t row = trial % FrameHeight;
        std::array<int, FrameWidth> fills{};
        std::array<bool, FrameWidth> covered{};
        // Narrow spans first, so that the row breaks into many runs before it fills up; the
        // widest cross two words of columns.
        const int maxWidth = 1 + trial % 40 * 3;
        for (int span = 0; span < 200; ++span) {
            const int32_t first = std::uniform_int_distribution<int32_t>(0, FrameWidth - 1)(random);
            const int32_t end = std::min<int32_t>(
                FrameWidth, first + std::uniform_int_distribution<int32_t>(1, maxWidth)(random));
            int32_t previousStop = first;
            int prepared = 0, filled = 0;
            const auto prepare = [&] {
                EXPECT_EQ(filled, 0) << "prepared after a fill";
                ++prepared;
            };
            CoverSpan(worker, row, first, end, prepare, [&](int32_t start, int32_t stop) {
                ++filled;
                ASSERT_LE(previousStop, start);
                ASSERT_LT(start, stop);
                ASSERT_LE(stop, end);
                previousStop = stop;
                for (int32_t x = start; x < stop; ++x) {
                    EXPECT_FALSE(covered[x]) << "column " << x << " filled although covered";
                    ++fills[x];
                }
            });
            EXPECT_EQ(prepared, filled > 0 ? 1 : 0);
            for (int32_t x = first; x < end; ++x) {
                EXPECT_EQ(fills[x], 1) << "column " << x << " of span " << first << ".." << end;
                covered[x] = true;
            }
            ExpectCoverage(worker, row, covered);
        }
        const bool full = std::all_of(covered.begin(), covered.end(), [](bool c) { return c; });
        EXPECT_EQ(worker.fullyCoveredRows, full ? 1 : 0);
    }
}

TEST(CoverSpan, FrameIsCoveredWhenEveryRowIs) {
    GuardedFrame frame;
    WorkerState& worker = frame.Worker();
    ClearCoverage(worker);
    EXPECT_FALSE(FrameCovered(worker));
    for (int32_t row = 0; row < FrameHeight; ++row) {
        CoverSpan(worker, row, 100, FrameWidth, [](int32_t, int32_t) {});
        CoverSpan(worker, row, 0, 100, [](int32_t, int32_t) {});
        EXPECT_EQ(worker.coveredRows[row].columns, FrameWidth);
        EXPECT_EQ(FrameCovered(worker), row == FrameHeight - 1);
    }
    int calls = 0;
    CoverSpan(worker, 5, 0, FrameWidth, [&](int32_t, int32_t) { ++calls; });
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(worker.fullyCoveredRows, FrameHeight);
    ClearCoverage(worker);
    EXPECT_FALSE(FrameCovered(worker));
    EXPECT_EQ(worker.coveredRows[5].columns, 0);
}

TEST(AreaCovered, NeedsEveryRowCoveredAcrossTheColumns) {
    GuardedFrame frame;
    WorkerState& worker = frame.Worker();
    ClearCoverage(worker);
    EXPECT_TRUE(AreaCovered(worker, 10, 20, 50, 50)) << "no columns";
    EXPECT_TRUE(AreaCovered(worker, 10, 10, 0, FrameWidth)) << "no rows";
    EXPECT_FALSE(AreaCovered(worker, 10, 11, 50, 51));
    for (int32_t row = 10; row < 20; ++row) {
        CoverSpan(worker, row, 40, 60, [](int32_t, int32_t) {});
        CoverSpan(worker, row, 80, 90, [](int32_t, int32_t) {});
    }
    EXPECT_TRUE(AreaCovered(worker, 10, 20, 40, 60));
    EXPECT_TRUE(AreaCovered(worker, 12, 15, 82, 90));
    EXPECT_FALSE(AreaCovered(worker, 10, 21, 40, 60)) << "row 20 is open";
    EXPECT_FALSE(AreaCovered(worker, 9, 20, 40, 60)) << "row 9 is open";
    EXPECT_FALSE(AreaCovered(worker, 10, 20, 39, 60));
    EXPECT_FALSE(AreaCovered(worker, 10, 20, 40, 61));
    EXPECT_FALSE(AreaCovered(worker, 10, 20, 50, 85)) << "the gap between two runs";
}

// Any sequence of overlapping triangles: in order over each other, or in reverse order each
// behind what is drawn, gives the same frame.
TEST(RasteriseTriangleBehind, ReverseOrderGivesThePaintersFrame) {
    GuardedFrame frame;
    WorkerState& worker = frame.Worker();
    Texture texture{};
    std::mt19937 random(23);
    std::uniform_int_distribution<int> byte(0, 254), x(-80, 400), y(-60, 300);
    for (uint8_t& texel : texture.texels) {
        texel = static_cast<uint8_t>(byte(random));
    }
    worker.currentTexture = &texture;
    FogPassesTexel();
    std::vector<uint8_t> painted(FrameSize);
    for (int trial = 0; trial < 60 && !::testing::Test::HasFailure(); ++trial) {
        std::vector<std::array<ScreenVertex, 3>> triangles(1 + trial * 3);
        for (auto& t : triangles) {
            for (ScreenVertex& p : t) {
                p = Vertex(x(random), y(random), byte(random), byte(random), byte(random));
            }
        }
        frame.Clear();
        for (const auto& t : triangles) {
            RasteriseTriangle(worker, t[0], t[1], t[2]);
        }
        std::memcpy(painted.data(), frame.Pixels(), FrameSize);
        frame.Clear();
        ClearCoverage(worker);
        for (auto t = triangles.rbegin(); t != triangles.rend(); ++t) {
            RasteriseTriangleBehind(worker, (*t)[0], (*t)[1], (*t)[2]);
        }
        ASSERT_EQ(std::memcmp(frame.Pixels(), painted.data(), FrameSize), 0) << "trial " << trial;
        EXPECT_TRUE(frame.GuardsIntact());
    }
}

} // namespace
