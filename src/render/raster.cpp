#include "render/raster.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <initializer_list>
#include <utility>

#include "assets/model.h"
#include "render/coverage.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/truncated_quotient.h"

// Integer parts of 16.16 values are taken with >> on signed integers, which must round towards
// minus infinity. C++17 leaves right shifts of negative values implementation-defined; every
// compiler we build with shifts arithmetically (C++20 requires it), and this guards the rest.
static_assert((-1 >> 1) == -1 && (int64_t{-65537} >> 16) == -2,
              "the rasteriser needs arithmetic right shifts");

namespace {

constexpr int32_t FixedOne = 65536;

// The four interpolated attributes of a triangle edge, as 16.16 values at one row or as their
// per-row increments. Fixed is int32_t for vertices near the frame and int64_t for the rest.
template <typename Fixed> struct EdgeValues {
    Fixed x;
    Fixed u;
    Fixed v;
    Fixed shade;
};

// Rows top to bottom - 1 of the frame (0 <= top, bottom <= the frame's height): the only rows
// whose spans a triangle walk hands on.
struct RowWindow {
    int32_t top;
    int32_t bottom;
};

RowWindow WorkerRows(const WorkerState& worker) {
    return {worker.firstRow, worker.endRow};
}

// Per-pixel increments of a span's interpolants, from its unclipped ends, so that clipping
// never changes them. Wide is int32_t for the rasteriser's own spans, whose width fits in 32
// bits and whose 16.16 values lie between 0 and 255 * 65536, so that every difference, product
// and partial sum below fits; and int64_t for FillSpan, which takes any 32-bit values:
// differences then stay below 2^32, and each quotient times the columns it is stepped over
// stays below the difference it came from.
template <typename Wide> struct SpanSteps {
    Wide u;
    Wide v;
    Wide shade;
};

// True when a span (x0 < x1) is one the 32-bit arithmetic takes: its width fits in 32 bits and
// its values lie between 0 and 255 * 65536. Every span the rasteriser hands on is one, whatever
// the frame's scale, as its ends lie between vertex positions within 2^30 of zero and its
// values between those of the vertices.
[[maybe_unused]] constexpr bool NarrowSpan(int32_t x0, int32_t x1,
                                           std::initializer_list<int32_t> values) {
    constexpr int32_t Largest = 255 * 65536;
    for (const int32_t value : values) {
        if (value < 0 || value > Largest) {
            return false;
        }
    }
    return int64_t{x1} - x0 <= INT32_MAX;
}

template <typename Wide>
SpanSteps<Wide> StepsAlong(int32_t x0, int32_t x1, int32_t uLeft, int32_t vLeft, int32_t uRight,
                           int32_t vRight, int32_t shadeLeft, int32_t shadeRight) {
    assert(sizeof(Wide) > 4 ||
           NarrowSpan(x0, x1, {uLeft, vLeft, uRight, vRight, shadeLeft, shadeRight}));
    const Wide dx = Wide{x1} - x0;
    return {TruncatedQuotient(Wide{uRight} - uLeft, dx),
            TruncatedQuotient(Wide{vRight} - vLeft, dx),
            TruncatedQuotient(Wide{shadeRight} - shadeLeft, dx)};
}

// Texture coordinates u and v of a span in one register, stepped by one 64-bit addition: the
// high half holds u << 10 and the low half v, both modulo 2^32. The low half steps v exactly;
// each addition carries at most 1 into the high half, and the low 10 bits of u << 10 and of
// its step are zero, so after fewer than 1024 steps the carries have not reached bit 10 and the
// high half's top 22 bits equal those of (u + k * du) << 10. Column i of a piece of at most
// PackedColumns columns reads the value after i < 1024 steps, so bits 0 to 21 of u and v, all
// that a texel depends on, stay exact; longer spans are filled piece by piece, each piece
// starting from the exact interpolants at its first column.
struct PackedTexel {
    uint64_t uv;
    uint64_t step;
};

constexpr int32_t PackedColumns = 1024;

inline PackedTexel PackTexel(uint32_t u, uint32_t v, uint32_t du, uint32_t dv) {
    return {uint64_t{u << 10} << 32 | v, uint64_t{du << 10} << 32 | dv};
}

// Texel row (v >> 16) & 63 times 64 plus column (u >> 16) & 63, the top 6 bits of u << 10:
// coordinates wrap every 64 texels.
inline uint32_t TexelAt(const uint8_t* texels, uint64_t uv) {
    return texels[((uv >> 10) & 0xFC0u) | (uv >> 58)];
}

// Four neighbouring columns, one in each lane, in the compiler's generic vectors: SSE2 on
// x86-64, and plain scalar code where there is no vector unit.
using Lanes = uint32_t __attribute__((vector_size(16)));

// Runs of at least this many columns are filled four columns at a time; for shorter ones the
// lanes' set-up costs more than it saves (measured at scale 1).
constexpr std::ptrdiff_t LaneColumns = 16;

// Offset of fog row (s >> 16) & 255 in FogTable, for one shade or in each lane; the mask changes
// nothing for shades the rasteriser produces and keeps the read in bounds for any others.
template <typename Shade> inline Shade FogRowOffset(Shade s) {
    return (s >> 8) & 0xFF00u;
}

// A span's interpolants at column x0 and their steps per column, as the pixel loops step them:
// u and v packed, the shade modulo 2^32.
struct SpanStart {
    int32_t x0;
    PackedTexel uv;
    uint32_t shade;
    uint32_t shadeStep;
};

// The interpolants at column x of a span that begins at x0 with the given values; exact in Wide.
template <typename Wide>
SpanStart StartAt(int32_t x, int32_t x0, int32_t uLeft, int32_t vLeft, int32_t shadeLeft,
                  const SpanSteps<Wide>& steps) {
    const Wide skipped = Wide{x} - x0;
    return {x,
            PackTexel(static_cast<uint32_t>(uLeft + skipped * steps.u),
                      static_cast<uint32_t>(vLeft + skipped * steps.v),
                      static_cast<uint32_t>(steps.u), static_cast<uint32_t>(steps.v)),
            static_cast<uint32_t>(shadeLeft + skipped * steps.shade),
            static_cast<uint32_t>(steps.shade)};
}

// first + k * step in lane k, modulo 2^32.
inline Lanes Ramp(uint32_t first, uint32_t step) {
    return Lanes{first, first + step, first + 2 * step, first + 3 * step};
}

// The texels of four neighbouring columns: u << 10 and v in lanes, each stepped on its own, so
// that, unlike the packed register, they stay exact however many columns they are stepped.
struct TexelLanes {
    Lanes u;
    Lanes v;
    Lanes uStep; // four columns' steps
    Lanes vStep;
};

// The lanes of the four columns from the one whose packed texture coordinates are uv. Below
// u << 10 the high half holds the carries from v, fewer than 1024, which steps of u << 10 (whose
// low 10 bits are zero) neither change nor carry out of.
inline TexelLanes LanesAt(uint64_t uv, uint64_t step) {
    const auto u = static_cast<uint32_t>(uv >> 32);
    const auto du = static_cast<uint32_t>(step >> 32);
    const auto v = static_cast<uint32_t>(uv);
    const auto dv = static_cast<uint32_t>(step);
    return {Ramp(u, du), Ramp(v, dv), Lanes{} + 4 * du, Lanes{} + 4 * dv};
}

// TexelAt's offsets for the lanes' four columns.
inline Lanes TexelOffsets(const TexelLanes& lanes) {
    return ((lanes.v >> 10) & 0xFC0u) | (lanes.u >> 26);
}

// Writes four columns at out: texel offsets[k] in fog row rows[k] of the table at fog.
inline void WriteFour(uint8_t* out, const uint8_t* texels, const uint8_t* fog, Lanes offsets,
                      Lanes rows) {
    for (int k = 0; k < 4; ++k) {
        out[k] = fog[rows[k] | texels[offsets[k]]];
    }
}

// Fills the columns from end - columns to end - 1 (at least four) through the fog table at fog,
// with the packed texture coordinates uv at the first column stepped by step each column, and
// the shade lanes shades at the first four columns and lastShades at the last four, stepped by
// shadeStep each four columns. Four columns at a time from the left, then the last four from
// their own lanes, which may write columns already written again with the same values, so that
// no short loop is left for the remainder.
inline void FillFours(uint8_t* end, std::ptrdiff_t columns, const uint8_t* texels,
                      const uint8_t* fog, uint64_t uv, uint64_t step, Lanes shades,
                      Lanes lastShades, Lanes shadeStep) {
    TexelLanes lanes = LanesAt(uv, step);
    const TexelLanes last = LanesAt(uv + static_cast<uint64_t>(columns - 4) * step, step);
    for (std::ptrdiff_t i = -columns; i < -4; i += 4) {
        WriteFour(end + i, texels, fog, TexelOffsets(lanes), FogRowOffset(shades));
        lanes.u += lanes.uStep;
        lanes.v += lanes.vStep;
        shades += shadeStep;
    }
    WriteFour(end - 4, texels, fog, TexelOffsets(last), FogRowOffset(lastShades));
}

// Fills the columns from end - columns to end - 1 (at least one) through the one fog row at fog,
// with the packed texture coordinates uv at the first column.
inline void FillInFogRow(uint8_t* end, std::ptrdiff_t columns, const uint8_t* texels,
                         const uint8_t* fog, uint64_t uv, uint64_t step) {
    if (columns >= LaneColumns) {
        FillFours(end, columns, texels, fog, uv, step, Lanes{}, Lanes{}, Lanes{});
        return;
    }
    // Columns are counted from -columns up to zero, relative to the column after the last: the
    // count doubles as the loop's test.
    for (std::ptrdiff_t i = -columns; i != 0; ++i) {
        end[i] = fog[TexelAt(texels, uv)];
        uv += step;
    }
}

// A shade that steps by at most this much a column stays in each fog row it crosses for 32
// columns or more: enough for each row's columns to pay for a run of their own through that
// row, which at the larger scales costs fewer instructions a pixel than stepping the shade.
constexpr uint32_t LongFogRowStep = 65536 / 32;

// How many columns, from one whose shade is shade and stepping by step modulo 2^32, share its
// integer part and so its fog row. The step is not zero.
inline uint32_t ColumnsInFogRow(uint32_t shade, uint32_t step) {
    if (static_cast<int32_t>(step) > 0) {
        return ((shade | 0xFFFFu) - shade) / step + 1;
    }
    return (shade & 0xFFFFu) / (0u - step) + 1;
}

// Fills columns start to stop - 1 (inside the frame, span.x0 <= start, stop - span.x0 at most
// PackedColumns) of the row at pixels. Column x takes the interpolants after x - span.x0 steps
// from span's, which one multiplication finds modulo 2^64 just as that many additions would.
inline void FillRun(uint8_t* pixels, const uint8_t* texels, const SpanStart& span, int32_t start,
                    int32_t stop) {
    const auto skipped = static_cast<uint32_t>(start - span.x0);
    uint64_t uv = span.uv.uv + skipped * span.uv.step;
    uint32_t shade = span.shade + skipped * span.shadeStep;
    const std::ptrdiff_t columns = stop - start;
    uint8_t* const end = pixels + stop;
    // Each column's shade lies between those of the first and the last column (the steps are
    // the span's gradient truncated towards zero); when both have the same integer part, every
    // column has it and reads one fog row, and the shade need not be stepped. The columns step
    // u, v and the shade modulo 2^32, which keeps the bits that pick the texel and the fog row.
    const uint32_t lastShade = shade + static_cast<uint32_t>(columns - 1) * span.shadeStep;
    if ((shade >> 16) == (lastShade >> 16)) {
        FillInFogRow(end, columns, texels, FogTable + FogRowOffset(shade), uv, span.uv.step);
        return;
    }
    // A shade that changes slowly: the columns of each fog row in turn, each through that row.
    if (span.shadeStep + LongFogRowStep <= 2 * LongFogRowStep) {
        for (std::ptrdiff_t left = columns; left > 0;) {
            const std::ptrdiff_t inRow =
                std::min<std::ptrdiff_t>(left, ColumnsInFogRow(shade, span.shadeStep));
            FillInFogRow(end - left + inRow, inRow, texels, FogTable + FogRowOffset(shade), uv,
                         span.uv.step);
            left -= inRow;
            uv += static_cast<uint64_t>(inRow) * span.uv.step;
            shade += static_cast<uint32_t>(inRow) * span.shadeStep;
        }
        return;
    }
    if (columns >= LaneColumns) {
        const uint32_t lastFourShade = shade + static_cast<uint32_t>(columns - 4) * span.shadeStep;
        FillFours(end, columns, texels, FogTable, uv, span.uv.step, Ramp(shade, span.shadeStep),
                  Ramp(lastFourShade, span.shadeStep), Lanes{} + 4 * span.shadeStep);
        return;
    }
    for (std::ptrdiff_t i = -columns; i != 0; ++i) {
        end[i] = FogTable[FogRowOffset(shade) | TexelAt(texels, uv)];
        uv += span.uv.step;
        shade += span.shadeStep;
    }
}

// Fills columns start to stop - 1 (inside the frame) of the row, piece by piece.
template <typename Wide>
inline void FillPixels(const WorkerState& worker, int32_t row, int32_t start, int32_t stop,
                       int32_t x0, int32_t uLeft, int32_t vLeft, int32_t shadeLeft,
                       const SpanSteps<Wide>& steps) {
    uint8_t* const pixels = TargetRow(worker.target, row);
    const uint8_t* const texels = worker.currentTexture->texels;
    for (int32_t piece = start; piece < stop; piece += PackedColumns) {
        FillRun(pixels, texels, StartAt(piece, x0, uLeft, vLeft, shadeLeft, steps), piece,
                std::min(stop, piece + PackedColumns));
    }
}

// FillSpan in Wide arithmetic; inlined into the rasteriser's row loop with int32_t.
template <typename Wide>
inline void FillRowSpan(const WorkerState& worker, int32_t row, int32_t x0, int32_t x1,
                        int32_t uLeft, int32_t vLeft, int32_t uRight, int32_t vRight,
                        int32_t shadeLeft, int32_t shadeRight) {
    const int32_t first = std::max(x0, 0);
    const int32_t end = std::min(x1, worker.target.width);
    // Also covers x0 == x1 and x0 > x1; a span with nothing visible needs no gradients.
    if (first < end) {
        FillPixels(worker, row, first, end, x0, uLeft, vLeft, shadeLeft,
                   StepsAlong<Wide>(x0, x1, uLeft, vLeft, uRight, vRight, shadeLeft, shadeRight));
    }
}

// The rows' spans drawn by FillRowSpan. Each sink is a type of its own, so that the row walk
// made for it calls it directly.
struct SpanFiller {
    const WorkerState& worker;
    void operator()(int32_t row, int32_t x0, int32_t x1, int32_t uLeft, int32_t vLeft,
                    int32_t uRight, int32_t vRight, int32_t shadeLeft, int32_t shadeRight) const {
        FillRowSpan<int32_t>(worker, row, x0, x1, uLeft, vLeft, uRight, vRight, shadeLeft,
                             shadeRight);
    }
};

// FillRowSpan for the columns of the span that the pass has not covered yet; covers the span.
struct UncoveredSpanFiller {
    WorkerState& worker;
    void operator()(int32_t row, int32_t x0, int32_t x1, int32_t uLeft, int32_t vLeft,
                    int32_t uRight, int32_t vRight, int32_t shadeLeft, int32_t shadeRight) const;
};

void UncoveredSpanFiller::operator()(int32_t row, int32_t x0, int32_t x1, int32_t uLeft,
                                     int32_t vLeft, int32_t uRight, int32_t vRight,
                                     int32_t shadeLeft, int32_t shadeRight) const {
    const int32_t first = std::max(x0, 0);
    const int32_t end = std::min(x1, worker.target.width);
    if (first >= end) {
        return;
    }
    const WorkerState& drawing = worker;
    // The gradients are found only when some column is drawn.
    if (x1 - x0 > PackedColumns) {
        SpanSteps<int32_t> steps{};
        CoverSpan(
            worker, row, first, end,
            [&] {
                steps = StepsAlong<int32_t>(x0, x1, uLeft, vLeft, uRight, vRight, shadeLeft,
                                            shadeRight);
            },
            [&](int32_t start, int32_t stop) {
                FillPixels(drawing, row, start, stop, x0, uLeft, vLeft, shadeLeft, steps);
            });
        return;
    }
    // Every column lies within PackedColumns steps of the left end, so the packed interpolants
    // there serve each uncovered run.
    SpanStart span{};
    CoverSpan(
        worker, row, first, end,
        [&] {
            span = StartAt(
                x0, x0, uLeft, vLeft, shadeLeft,
                StepsAlong<int32_t>(x0, x1, uLeft, vLeft, uRight, vRight, shadeLeft, shadeRight));
        },
        [&](int32_t start, int32_t stop) {
            FillRun(TargetRow(drawing.target, row), drawing.currentTexture->texels, span, start,
                    stop);
        });
}

// The attributes of a vertex in 16.16 (exact: every fraction is zero).
template <typename Fixed> EdgeValues<Fixed> AtVertex(const ScreenVertex& p) {
    return {Fixed{p.x} * FixedOne, Fixed{p.u} * FixedOne, Fixed{p.v} * FixedOne,
            Fixed{p.shade} * FixedOne};
}

// Per-row increments of the edge from upper to lower over rows (> 0) rows, truncated towards
// zero once.
template <typename Fixed>
EdgeValues<Fixed> PerRow(const ScreenVertex& upper, const ScreenVertex& lower, Fixed rows) {
    return {TruncatedQuotient((Fixed{lower.x} - upper.x) * FixedOne, rows),
            TruncatedQuotient((Fixed{lower.u} - upper.u) * FixedOne, rows),
            TruncatedQuotient((Fixed{lower.v} - upper.v) * FixedOne, rows),
            TruncatedQuotient((Fixed{lower.shade} - upper.shade) * FixedOne, rows)};
}

// edge := edge + rows * step for every attribute.
template <typename Fixed>
void Advance(EdgeValues<Fixed>& edge, const EdgeValues<Fixed>& step, Fixed rows) {
    edge.x += rows * step.x;
    edge.u += rows * step.u;
    edge.v += rows * step.v;
    edge.shade += rows * step.shade;
}

// One row's span between the two edges; the edge with the smaller integer position is the left
// end and brings its attributes. Attributes along an edge stay between the values at its two
// vertices, so they fit in 32 bits in either instantiation. The sink receives the span as
// FillSpan takes it.
template <typename Fixed, typename SpanSink>
void DrawRow(int32_t row, const EdgeValues<Fixed>& shortEdge, const EdgeValues<Fixed>& longEdge,
             SpanSink& sink) {
    const auto xs = static_cast<int32_t>(shortEdge.x >> 16);
    const auto xl = static_cast<int32_t>(longEdge.x >> 16);
    const EdgeValues<Fixed>& left = xs < xl ? shortEdge : longEdge;
    const EdgeValues<Fixed>& right = xs < xl ? longEdge : shortEdge;
    sink(row, std::min(xs, xl), std::max(xs, xl), static_cast<int32_t>(left.u),
         static_cast<int32_t>(left.v), static_cast<int32_t>(right.u), static_cast<int32_t>(right.v),
         static_cast<int32_t>(left.shade), static_cast<int32_t>(right.shade));
}

// Draws rows firstRow to endRow - 1 of one half, with both edges' values given at firstRow.
// A half with no visible row returns before the pre-step: for such halves the product of the
// skipped rows and an increment may not fit, and it would never be used. For a visible half the
// skipped rows are fewer than the half's height, so the pre-stepped values lie between the edge
// ends.
template <typename Fixed, typename SpanSink>
void DrawHalf(int32_t firstRow, int32_t endRow, EdgeValues<Fixed> longEdge,
              const EdgeValues<Fixed>& longStep, EdgeValues<Fixed> shortEdge,
              const EdgeValues<Fixed>& shortStep, const RowWindow& rows, SpanSink& sink) {
    const int32_t last = std::min(endRow, rows.bottom);
    if (std::max(firstRow, rows.top) >= last) {
        return;
    }
    int32_t row = firstRow;
    if (row < rows.top) {
        Advance(longEdge, longStep, Fixed{rows.top - row});
        Advance(shortEdge, shortStep, Fixed{rows.top - row});
        row = rows.top;
    }
    for (; row < last; ++row) {
        DrawRow(row, shortEdge, longEdge, sink);
        Advance(longEdge, longStep, Fixed{1});
        Advance(shortEdge, shortStep, Fixed{1});
    }
}

// Fills a triangle whose vertices are already sorted by row (top.y < bottom.y).
template <typename Fixed, typename SpanSink>
void FillSorted(const ScreenVertex& top, const ScreenVertex& middle, const ScreenVertex& bottom,
                const RowWindow& rows, SpanSink& sink) {
    const Fixed height = Fixed{bottom.y} - top.y;
    const EdgeValues<Fixed> longStep = PerRow(top, bottom, height);
    const EdgeValues<Fixed> topValues = AtVertex<Fixed>(top);

    const Fixed upperHeight = Fixed{middle.y} - top.y;
    if (upperHeight > 0) {
        DrawHalf(top.y, middle.y, topValues, longStep, topValues, PerRow(top, middle, upperHeight),
                 rows, sink);
    }

    const Fixed lowerHeight = Fixed{bottom.y} - middle.y;
    if (lowerHeight > 0) {
        // The long edge restarts from the top vertex, whatever the upper half drew.
        EdgeValues<Fixed> longAtMiddle = topValues;
        Advance(longAtMiddle, longStep, upperHeight);
        DrawHalf(middle.y, bottom.y, longAtMiddle, longStep, AtVertex<Fixed>(middle),
                 PerRow(middle, bottom, lowerHeight), rows, sink);
    }
}

// Within this range every 16.16 quantity of a triangle fits in 32 bits. Beyond it, with
// positions within 2^30 (triangle setup keeps them within 2^18), every 16.16 value of a visible
// row lies between those of the edge's ends and fits in 64 bits, and every difference times
// 65536 stays below 2^53, where TruncatedQuotient is exact.
bool NearTheFrame(const ScreenVertex& p) {
    constexpr int Low = -16384;
    constexpr int High = 16383;
    return p.x >= Low && p.x <= High && p.y >= Low && p.y <= High;
}

// Sorts the vertices by row and walks the triangle's rows within the window, handing each
// row's span to the sink.
template <typename SpanSink>
void WalkTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                  const RowWindow& rows, SpanSink& sink) {
    // Stable sort by row with strict comparisons: equal rows keep the order a, b, c.
    const ScreenVertex* top = &a;
    const ScreenVertex* middle = &b;
    if (b.y < a.y) {
        std::swap(top, middle);
    }
    const ScreenVertex* bottom = &c;
    if (c.y < middle->y) {
        bottom = middle;
        middle = &c;
    }
    if (middle->y < top->y) {
        std::swap(top, middle);
    }
    if (top->y == bottom->y) {
        return;
    }
    // Far-off vertices take the same arithmetic in 64 bits, so nothing overflows for any input.
    if (NearTheFrame(a) && NearTheFrame(b) && NearTheFrame(c)) {
        FillSorted<int32_t>(*top, *middle, *bottom, rows, sink);
    } else {
        FillSorted<int64_t>(*top, *middle, *bottom, rows, sink);
    }
}

// The rows in which the triangle could draw where the frame is not covered yet; false when
// there are none. Its rows run from the smallest vertex row to the largest, that one left out;
// each edge's position stays between those of its ends, so each span lies within the columns
// from the smallest vertex column to the largest, that one left out. In a row covered across
// those columns the triangle draws and covers nothing, so the walk may leave out such rows at
// the top and at the bottom.
bool UncoveredRows(const WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                   const ScreenVertex& c, RowWindow& rows) {
    const int32_t width = worker.target.width;
    const int32_t first = std::clamp<int32_t>(std::min({a.x, b.x, c.x}), 0, width);
    const int32_t end = std::clamp<int32_t>(std::max({a.x, b.x, c.x}), 0, width);
    int32_t top = std::clamp<int32_t>(std::min({a.y, b.y, c.y}), worker.firstRow, worker.endRow);
    int32_t bottom = std::clamp<int32_t>(std::max({a.y, b.y, c.y}), worker.firstRow, worker.endRow);
    if (first >= end) {
        return false;
    }
    while (top < bottom && RowCovered(worker, top, first, end)) {
        ++top;
    }
    if (top == bottom) {
        return false;
    }
    while (RowCovered(worker, bottom - 1, first, end)) {
        --bottom;
    }
    rows = {top, bottom};
    return true;
}

// Adds up the pixels of each span that lie inside the frame.
struct PixelCounter {
    int32_t width;
    int64_t pixels = 0;
    void operator()(int32_t, int32_t x0, int32_t x1, int32_t, int32_t, int32_t, int32_t, int32_t,
                    int32_t) {
        pixels += std::max(std::min(x1, width) - std::max(x0, 0), 0);
    }
};

// Adds up the pixels of each span that are not covered yet, and covers the span.
struct UncoveredPixelCounter {
    WorkerState& worker;
    int64_t pixels = 0;
    void operator()(int32_t row, int32_t x0, int32_t x1, int32_t, int32_t, int32_t, int32_t,
                    int32_t, int32_t) {
        const int32_t first = std::max(x0, 0);
        const int32_t end = std::min(x1, worker.target.width);
        if (first < end) {
            CoverSpan(worker, row, first, end,
                      [this](int32_t start, int32_t stop) { pixels += stop - start; });
        }
    }
};

} // namespace

void RasteriseTriangle(WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                       const ScreenVertex& c) {
    SpanFiller filler{worker};
    WalkTriangle(a, b, c, WorkerRows(worker), filler);
}

void RasteriseTriangleBehind(WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                             const ScreenVertex& c) {
    RowWindow rows;
    if (!UncoveredRows(worker, a, b, c, rows)) {
        return;
    }
    UncoveredSpanFiller filler{worker};
    WalkTriangle(a, b, c, rows, filler);
}

int64_t CountTrianglePixels(WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                            const ScreenVertex& c) {
    PixelCounter counter{worker.target.width};
    WalkTriangle(a, b, c, WorkerRows(worker), counter);
    return counter.pixels;
}

int64_t CoverTrianglePixels(WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                            const ScreenVertex& c) {
    RowWindow rows;
    if (!UncoveredRows(worker, a, b, c, rows)) {
        return 0;
    }
    UncoveredPixelCounter counter{worker};
    WalkTriangle(a, b, c, rows, counter);
    return counter.pixels;
}

void FillSpan(const WorkerState& worker, int32_t row, int32_t x0, int32_t x1, int32_t uLeft,
              int32_t vLeft, int32_t uRight, int32_t vRight, int32_t shadeLeft,
              int32_t shadeRight) {
    FillRowSpan<int64_t>(worker, row, x0, x1, uLeft, vLeft, uRight, vRight, shadeLeft, shadeRight);
}

void FillSpanEither(const WorkerState& worker, int32_t row, int32_t x0, int32_t x1, int32_t uLeft,
                    int32_t vLeft, int32_t uRight, int32_t vRight, int32_t shadeLeft,
                    int32_t shadeRight) {
    if (x0 < x1) {
        FillSpan(worker, row, x0, x1, uLeft, vLeft, uRight, vRight, shadeLeft, shadeRight);
    } else {
        FillSpan(worker, row, x1, x0, uRight, vRight, uLeft, vLeft, shadeRight, shadeLeft);
    }
}
