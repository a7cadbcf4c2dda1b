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

constexpr uint64_t AllColumns = ~uint64_t{0};

// The bits of column first and the columns after it in first's word.
inline uint64_t BitsFrom(int32_t first) {
    return AllColumns << (first & 63);
}

// The bits of column end - 1 and the columns before it in that column's word.
inline uint64_t BitsBefore(int32_t end) {
    return AllColumns >> (63 - ((end - 1) & 63));
}

// The bits of columns first to end - 1 (first < end, both within one word) in their word.
inline uint64_t ColumnBits(int32_t first, int32_t end) {
    return BitsFrom(first) & BitsBefore(end);
}

// Counts added (> 0) more covered columns in the row, and the row as fully covered when it
// then spans the frame's width.
inline void AddCovered(WorkerState& worker, CoveredRow& row, int32_t added) {
    row.columns += added;
    if (row.columns == worker.target.width) {
        ++worker.fullyCoveredRows;
    }
}

// Covers columns [first, end) of the row, added (> 0) of which were not covered before.
inline void MarkCovered(WorkerState& worker, CoveredRow& row, int32_t first, int32_t end,
                        int32_t added) {
    const int32_t firstWord = first >> 6;
    const int32_t lastWord = (end - 1) >> 6;
    if (firstWord == lastWord) {
        row.words[firstWord] |= ColumnBits(first, end);
    } else {
        row.words[firstWord] |= BitsFrom(first);
        std::fill(row.words + firstWord + 1, row.words + lastWord, AllColumns);
        row.words[lastWord] |= BitsBefore(end);
    }
    AddCovered(worker, row, added);
}

// The first column from x up to end - 1 whose bit in words is clear, once flipped is all ones,
// or that is set, once flipped is zero; end if there is none.
inline int32_t NextColumnWhere(const uint64_t* words, uint64_t flipped, int32_t x, int32_t end) {
    if (x >= end) {
        return end;
    }
    int32_t word = x >> 6;
    uint64_t found = (words[word] ^ flipped) & BitsFrom(x);
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
    return NextColumnWhere(covered.words, AllColumns, x, end);
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

// Hands each run of set bits of open, the open columns of a word, to fill(start, stop) as
// columns of the row, left to right; returns how many columns it handed on.
template <typename Fill> int32_t FillRunsOf(uint64_t open, int32_t word, Fill&& fill) {
    const int32_t base = word << 6;
    int32_t handed = 0;
    while (open != 0) {
        const int32_t start = __builtin_ctzll(open);
        const uint64_t closed = ~open & BitsFrom(start);
        const int32_t stop = closed == 0 ? 64 : __builtin_ctzll(closed);
        fill(base + start, base + stop);
        handed += stop - start;
        open = closed == 0 ? 0 : open & BitsFrom(stop);
    }
    return handed;
}

// Hands the parts of columns [first, end) of the row (0 <= first < end <= the frame's width)
// that are not covered yet to fill(start, stop), left to right, after one call of prepare();
// then covers all of [first, end). A span that is covered already, as in a row covered from
// end to end, changes nothing and calls neither.
template <typename Prepare, typename Fill>
void CoverSpan(WorkerState& worker, int32_t row, int32_t first, int32_t end, Prepare&& prepare,
               Fill&& fill) {
    CoveredRow& covered = worker.coveredRows[row];
    const int32_t word = first >> 6;
    // Most spans lie within one word, which one read and one write cover.
    if (word == (end - 1) >> 6) {
        const uint64_t span = ColumnBits(first, end);
        const uint64_t open = ~covered.words[word] & span;
        if (open != 0) {
            prepare();
            covered.words[word] |= span;
            AddCovered(worker, covered, FillRunsOf(open, word, fill));
        }
        return;
    }
    const int32_t x = NextUncovered(covered, first, end);
    if (x < end) {
        prepare();
        CoverUncovered(worker, covered, x, first, end, fill);
    }
}

// CoverSpan with nothing to prepare.
template <typename Fill>
void CoverSpan(WorkerState& worker, int32_t row, int32_t first, int32_t end, Fill&& fill) {
    CoverSpan(
        worker, row, first, end, [] {}, fill);
}
