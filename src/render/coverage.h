// The pixels of the frame that the current render pass has drawn, kept row by row as runs of
// columns. Drawing the pass's surfaces nearest first, each only where nothing is drawn yet,
// leaves every pixel with the surface that drawing them farthest first would have left last,
// while no pixel is filled twice. Each worker keeps the coverage of its own rows.
#pragma once

#include <cstdint>

#include "render/render_context.h"

// At most this many separate runs fit in a row of the given width: each run and each gap is a
// column or more. Columns are 16-bit, which holds every width up to MaxFrameScale.
constexpr int32_t MaxCoveredRuns(int32_t width) {
    return width / 2;
}
static_assert(FrameWidth * MaxFrameScale <= INT16_MAX, "covered columns are 16-bit");

// Forgets every covered pixel of the worker's rows; the start of each pass.
void ClearCoverage(WorkerState& worker);

// True when every pixel of the worker's rows is covered, so nothing more can show there.
inline bool FrameCovered(const WorkerState& worker) {
    return worker.fullyCoveredRows == worker.endRow - worker.firstRow;
}

// True when rows firstRow to endRow - 1 are each covered from column first to end - 1 (all
// inside the worker's rows and the frame); true for an empty area.
bool AreaCovered(const WorkerState& worker, int32_t firstRow, int32_t endRow, int32_t first,
                 int32_t end);

// Merges the runs that overlap or touch [first, end) with it into runs[low, high); counts the
// row as fully covered when it then spans the frame's width.
void MergeCoveredRun(WorkerState& worker, CoveredRow& row, int32_t low, int32_t high, int32_t first,
                     int32_t end);

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

// True when the row (inside the worker's rows) is covered from column first to end - 1, where
// 0 <= first < end <= the frame's width.
inline bool RowCovered(const WorkerState& worker, int32_t row, int32_t first, int32_t end) {
    const CoveredRow& covered = worker.coveredRows[row];
    return RunHolds(covered, FirstRunReaching(covered, first), first, end);
}

// CoverSpan for a span that RunHolds does not hold, from low = FirstRunReaching(first).
template <typename Fill>
void CoverUncovered(WorkerState& worker, CoveredRow& covered, int32_t low, int32_t first,
                    int32_t end, Fill&& fill) {
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
    MergeCoveredRun(worker, covered, low, i, first, end);
}

// Hands the parts of columns [first, end) of the row (0 <= first < end <= the frame's width)
// that are not covered yet to fill(start, stop), left to right, then covers all of [first, end).
template <typename Fill>
void CoverSpan(WorkerState& worker, int32_t row, int32_t first, int32_t end, Fill&& fill) {
    CoveredRow& covered = worker.coveredRows[row];
    const int32_t low = FirstRunReaching(covered, first);
    // A span inside one run, as in a row that is covered from end to end, changes nothing.
    if (!RunHolds(covered, low, first, end)) {
        CoverUncovered(worker, covered, low, first, end, fill);
    }
}
