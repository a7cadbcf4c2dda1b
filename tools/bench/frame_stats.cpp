#include "frame_stats.h"

#include <algorithm>

namespace {

constexpr double NanosecondsPerMs = 1e6;

// The smallest value that at least percent of the sorted values do not exceed.
int64_t NearestRank(const std::vector<int64_t>& sorted, int percent) {
    const size_t rank = (sorted.size() * static_cast<size_t>(percent) + 99) / 100;
    return sorted[std::max<size_t>(rank, 1) - 1];
}

double Median(const std::vector<int64_t>& sorted) {
    const size_t half = sorted.size() / 2;
    if (sorted.size() % 2 == 1) {
        return static_cast<double>(sorted[half]);
    }
    return (static_cast<double>(sorted[half - 1]) + static_cast<double>(sorted[half])) / 2.0;
}

} // namespace

FrameTimeStats SummariseFrameTimes(std::vector<int64_t> nanoseconds) {
    if (nanoseconds.empty()) {
        return FrameTimeStats{0.0, 0.0, 0.0, 0.0};
    }
    std::sort(nanoseconds.begin(), nanoseconds.end());
    return FrameTimeStats{
        Median(nanoseconds) / NanosecondsPerMs, NearestRank(nanoseconds, 90) / NanosecondsPerMs,
        NearestRank(nanoseconds, 99) / NanosecondsPerMs, nanoseconds.back() / NanosecondsPerMs};
}
