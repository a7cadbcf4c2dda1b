// The pixels of the frame that the current render pass has drawn, kept row by row as one bit
// per column. Drawing the pass's surfaces nearest first, each only where nothing is drawn yet,
// leaves every pixel with the surface that drawing them farthest first would have left last,
// while no pixel is filled twice. Each worker keeps the coverage of its own rows.
#pragma once

#include <algorithm>
#include <cstdint>

#include "render/render_context.h"

// The words that hold the covered columns of a row of the given width.
constexpr int32_t CoveredWords(int32_t width) {
    return (width + 63) / 64;
}

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

// Covers columns [first, end) of the row, added of which were not covered before; counts the
// row as fully covered when it then spans the frame's width.
inline void MarkCovered(WorkerState& worker, CoveredRow& row, int32_t first, int32_t end,
                        int32_t added) {
    constexpr uint64_t All = ~uint64_t{0};
    const int32_t firstWord = first >> 6;
    const int32_t lastWord = (end - 1) >> 6;
    const uint64_t fromFirst = All << (first & 63);
    const uint64_t upToLast = All >> (63 - ((end - 1) & 63));
    if (firstWord == lastWord) {
        row.words[firstWord] |= fromFirst & upToLast;
    } else {
        row.words[firstWord] |= fromFirst;
        std::fill(row.words + firstWord + 1, row.words + lastWord, All);
        row.words[lastWord] |= upToLast;
    }
    row.columns += added;
    if (added > 0 && row.columns == worker.target.width) {
        ++worker.fullyCoveredRows;
    }
}

// The first column from x up to end - 1 whose bit in words is clear, once flipped is all ones,
// or that is set, once flipped is zero; end if there is none.
inline int32_t NextColumnWhere(const uint64_t* words, uint64_t flipped, int32_t x, int32_t end) {
    if (x >= end) {
        return end;
    }
    int32_t word = x >> 6;
    uint64_t found = (words[word] ^ flipped) & (~uint64_t{0} << (x & 63));
    while (found == 0) {
        ++word;
        if (word << 6 >= end) {
            return end;
        }
        found = words[word] ^ flipped;
    }
    return std::min(end, (word << 6) + __builtin_ctzll(found));
}

// The first column of the row from x up to end - 1 that is not covered yet; end if none.
inline int32_t NextUncovered(const CoveredRow& covered, int32_t x, int32_t end) {
    return NextColumnWhere(covered.words, ~uint64_t{0}, x, end);
}

// The first column of the row from x up to end - 1 that is covered; end if none.
inline int32_t NextCovered(const CoveredRow& covered, int32_t x, int32_t end) {
    return NextColumnWhere(covered.words, 0, x, end);
}

// True when the row (inside the worker's rows) is covered from column first to end - 1, where
// 0 <= first < end <= the frame's width.
inline bool RowCovered(const WorkerState& worker, int32_t row, int32_t first, int32_t end) {
    return NextUncovered(worker.coveredRows[row], first, end) == end;
}

// CoverSpan from x = NextUncovered(covered, first, end), when x < end.
template <typename Fill>
void CoverUncovered(WorkerState& worker, CoveredRow& covered, int32_t x, int32_t first, int32_t end,
                    Fill&& fill) {
    int32_t added = 0;
    while (x < end) {
        const int32_t stop = NextCovered(covered, x, end);
        fill(x, stop);
        added += stop - x;
        x = NextUncovered(covered, stop, end);
    }
    MarkCovered(worker, covered, first, end, added);
}

// Hands the parts of columns [first, end) of the row (0 <= first < end <= the frame's width)
// that are not covered yet to fill(start, stop), left to right, then covers all of [first, end).
template <typename Fill>
void CoverSpan(WorkerState& worker, int32_t row, int32_t first, int32_t end, Fill&& fill) {
    CoveredRow& covered = worker.coveredRows[row];
    const int32_t x = NextUncovered(covered, first, end);
    // A span that is covered already, as in a row covered from end to end, changes nothing.
    if (x < end) {
        CoverUncovered(worker, covered, x, first, end, fill);
    }
}
