// The pixels of the frame that the current render pass has drawn, kept row by row as runs of
// columns. Drawing the pass's surfaces nearest first, each only where nothing is drawn yet,
// leaves every pixel with the surface that drawing them farthest first would have left last,
// while no pixel is filled twice.
#pragma once

#include <cstdint>

#include "render/frame_buffer.h"

// At most this many separate runs fit in a row: each run and each gap is a column or more.
constexpr int32_t MaxCoveredRuns = FrameWidth / 2;

// The covered columns of a row: count runs [start, end), sorted, none touching another.
struct CoveredRow {
    int32_t count;
    int16_t start[MaxCoveredRuns];
    int16_t end[MaxCoveredRuns];
};

extern CoveredRow CoveredRows[FrameHeight];
// Rows that are covered from column 0 to the last.
extern int32_t FullyCoveredRows;

// Forgets every covered pixel; the start of each pass.
void ClearCoverage();

// True when every pixel of the frame is covered, so nothing more can show.
inline bool FrameCovered() {
    return FullyCoveredRows == FrameHeight;
}

// True when rows firstRow to endRow - 1 are each covered from column first to end - 1 (all
// inside the frame); true for an empty area.
bool AreaCovered(int32_t firstRow, int32_t endRow, int32_t first, int32_t end);

// Merges the runs that overlap or touch [first, end) with it into runs[low, high).
void MergeCoveredRun(CoveredRow& row, int32_t low, int32_t high, int32_t first, int32_t end);

// The index of the first run of the row that ends at or after column first (count if none).
inline int32_t FirstRunReaching(const CoveredRow& covered, int32_t first) {
    int32_t i = 0;
    while (i < covered.count && covered.end[i] < first) {
        ++i;
    }
    return i;
}

// True when run i (from FirstRunReaching) holds all of columns [first, end). Runs never touch,
// so otherwise some column of the span is not covered yet.
inline bool RunHolds(const CoveredRow& covered, int32_t i, int32_t first, int32_t end) {
    return i < covered.count && covered.start[i] <= first && covered.end[i] >= end;
}

// True when the row (inside the frame) is covered from column first to end - 1, where
// 0 <= first < end <= FrameWidth.
inline bool RowCovered(int32_t row, int32_t first, int32_t end) {
    const CoveredRow& covered = CoveredRows[row];
    return RunHolds(covered, FirstRunReaching(covered, first), first, end);
}

// CoverSpan for a span that RunHolds does not hold, from low = FirstRunReaching(first).
template <typename Fill>
void CoverUncovered(CoveredRow& covered, int32_t low, int32_t first, int32_t end, Fill&& fill) {
    int32_t i = low;
    int32_t x = first;
    for (; i < covered.count && covered.start[i] <= end; ++i) {
        if (covered.start[i] > x) {
            fill(x, static_cast<int32_t>(covered.start[i]));
        }
        x = x > covered.end[i] ? x : covered.end[i];
    }
    if (x < end) {
        fill(x, end);
    }
    MergeCoveredRun(covered, low, i, first, end);
}

// Hands the parts of columns [first, end) of the row (0 <= first < end <= FrameWidth) that
// are not covered yet to fill(start, stop), left to right, then covers all of [first, end).
template <typename Fill> void CoverSpan(int32_t row, int32_t first, int32_t end, Fill&& fill) {
    CoveredRow& covered = CoveredRows[row];
    const int32_t low = FirstRunReaching(covered, first);
    // A span inside one run, as in a row that is covered from end to end, changes nothing.
    if (!RunHolds(covered, low, first, end)) {
        CoverUncovered(covered, low, first, end, fill);
    }
}
