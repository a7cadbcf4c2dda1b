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
