#include "render/coverage.h"

#include <algorithm>

void ClearCoverage(WorkerState& worker) {
    const int32_t words = CoveredWords(worker.target.width);
    for (int32_t row = worker.firstRow; row < worker.endRow; ++row) {
        CoveredRow& covered = worker.coveredRows[row];
        std::fill(covered.words, covered.words + words, 0);
        covered.columns = 0;
    }
    worker.fullyCoveredRows = 0;
}

void MarkCovered(WorkerState& worker, CoveredRow& row, int32_t first, int32_t end, int32_t added) {
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

bool AreaCovered(const WorkerState& worker, int32_t firstRow, int32_t endRow, int32_t first,
                 int32_t end) {
    if (first >= end) {
        return true;
    }
    for (int32_t r = firstRow; r < endRow; ++r) {
        if (!RowCovered(worker, r, first, end)) {
            return false;
        }
    }
    return true;
}
