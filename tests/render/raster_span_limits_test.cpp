// The span filler at the limits of its 32-bit arguments: ends and 16.16 values anywhere in
// the type's range. The sanitizer build fails on any overflow on the way; every build checks
// each drawn column against the span's closed form, worked out here in 64 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "support/raster_test_frame.h"

namespace {

constexpr int32_t Min = std::numeric_limits<int32_t>::min();
constexpr int32_t Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Row = 7;

struct Span {
    int32_t x0, x1, left, right; // the same end values for u, v and the shade
};

// The fog row or texture index a column reads: bits 16 and up of the interpolant at column x,
// left + (x - x0) * ((right - left) / (x1 - x0)), masked.
int64_t Expected(const Span& s, int64_t x, int64_t mask) {
    const int64_t step = (int64_t{s.right} - s.left) / (int64_t{s.x1} - s.x0);
    return ((s.left + (x - s.x0) * step) >> 16) & mask;
}

class SpanLimitsTest : public GuardedDrawingTest {
  protected:
    // Draws the span once per attribute that the frame can show, each time comparing every
    // column of the row with the closed form, and nothing outside the span's visible columns.
    void ExpectClosedForm(const Span& s, bool eitherOrder) {
        const int64_t first = std::max<int64_t>(s.x0, 0);
        const int64_t end = std::min<int64_t>(s.x1, FrameWidth);
        const Texture rows = RowTexture();
        const struct {
            const Texture* texture;
            void (*fog)();
            int64_t mask;
        } passes[] = {{&texture_, FogPassesTexel, 63},
                      {&rows, FogPassesTexel, 63},
                      {&texture_, FogShowsShade, 255}};
        for (const auto& pass : passes) {
            frame_.Clear();
            worker().currentTexture = pass.texture;
            pass.fog();
            if (eitherOrder) {
                FillSpanEither(worker(), Row, s.x1, s.x0, s.right, s.right, s.left, s.left, s.right,
                               s.left);
            } else {
                FillSpan(worker(), Row, s.x0, s.x1, s.left, s.left, s.right, s.right, s.left,
                         s.right);
            }
            for (int64_t x = first; x < end; ++x) {
                ASSERT_EQ(frame_.At(static_cast<int>(x), Row), Expected(s, x, pass.mask))
                    << "column " << x;
            }
            // Texels never draw Untouched, so the texture passes show every write.
            if (pass.mask == 63) {
                EXPECT_EQ(frame_.WrittenCount(), std::max<int64_t>(end - first, 0));
            }
        }
        worker().currentTexture = &texture_;
    }
};

TEST_F(SpanLimitsTest, AnyEndsAndValuesFollowTheClosedFormWithoutOverflow) {
    const Span spans[] = {
        {Min, Max, Min, Max},     {Min, Max, Max, Min},      {-(1 << 30), 1 << 30, Max, Min},
        {Min, 5, Min, Max},       {315, Max, Max, Min},      {10, 11, Min, Max},
        {319, 320, Max, Min},     {-1, 1, Min, Max},         {Min, Min + 1, Min, Max},
        {Max - 1, Max, Max, Min}, {0, FrameWidth, Min, Max}, {-300, 300, 0, 0},
        {Min, Max, 0, 255 << 16}, {Max, Min, Min, Max},      {7, 7, Min, Max},
    };
    for (const Span& s : spans) {
        SCOPED_TRACE(::testing::Message()
                     << s.x0 << ".." << s.x1 << " from " << s.left << " to " << s.right);
        ExpectClosedForm(s, false);
        if (s.x0 < s.x1) {
            ExpectClosedForm(s, true);
        }
    }
}

TEST_F(SpanLimitsTest, RunsOfEveryWidthFollowTheClosedForm) {
    // Narrow runs step column by column; from 16 columns on, four columns at a time, the last
    // four from their own lanes. Every remainder of four on both sides of that, whole or
    // clipped on the left, within one fog row and across many, with and without a texel wrap.
    for (int32_t width = 1; width <= 40; ++width) {
        for (const int32_t x0 : {30, -7}) {
            for (const int32_t right : {(3 << 16) + 65000, (9 << 16) + 12345, (200 << 16) - 777}) {
                const Span s{x0, x0 + width, 3 << 16, right};
                SCOPED_TRACE(::testing::Message() << s.x0 << ".." << s.x1 << " to " << right);
                ExpectClosedForm(s, false);
            }
        }
    }
}

TEST_F(SpanLimitsTest, SlowShadesChangeFogRowAtTheExactColumn) {
    // A shade that steps at most a thirty-second of a fog row a column fills each row's columns
    // as a run of their own. Steps that divide a row reach its edge exactly, rising or falling,
    // from a start on the edge or one either side of it.
    constexpr int32_t Width = 300;
    for (const int32_t step : {2048, -2048, 1024, -1000, 1, -1}) {
        for (const int32_t left : {100 << 16, (100 << 16) - 1, (100 << 16) + 1}) {
            for (const int32_t x0 : {5, -40}) {
                const Span s{x0, x0 + Width, left, left + Width * step};
                SCOPED_TRACE(::testing::Message() << "step " << step << " from " << left);
                ExpectClosedForm(s, false);
            }
        }
    }
}

} // namespace
