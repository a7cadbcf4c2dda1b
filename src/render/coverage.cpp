#include "render/coverage.h"

#include <algorithm>

void ClearCoverage(WorkerState& worker) {
    for (int32_t row = worker.firstRow; row < worker.endRow; ++row) {
        worker.coveredRows[row].count = 0;
    }
    worker.fullyCoveredRows = 0;
}

void MergeCoveredRun(WorkerState& worker, CoveredRow& row, int32_t low, int32_t high, int32_t first,
                     int32_t end) {
    const int32_t start = low < high ? std::min<int32_t>(row.start[low], first) : first;
    const int32_t stop = low < high ? std::max<int32_t>(row.end[high - 1], end) : end;
    // One run replaces the high - low merged ones: the runs after them move by the difference.
    const int32_t shift = 1 - (high - low);
    if (shift > 0) {
        std::copy_backward(row.start + high, row.start + row.count, row.start + row.count + shift);
        std::copy_backward(row.end + high, row.end + row.count, row.end + row.count + shift);
    } else if (shift < 0) {
        std::copy(row.start + high, row.start + row.count, row.start + high + shift);
        std::copy(row.end + high, row.end + row.count, row.end + high + shift);
    }
    row.start[low] = static_cast<int16_t>(start);
    row.end[low] = static_cast<int16_t>(stop);
    row.count += shift;
    if (row.count == 1 && start == 0 && stop == worker.target.width) {
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
