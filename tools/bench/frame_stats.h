// Order statistics of the measured frame times.
#pragma once

#include <cstdint>
#include <vector>

struct FrameTimeStats {
    double medianMs;
    double p90Ms;
    double p99Ms;
    double maxMs;
};

// Median (the mean of the two middle values for an even count), the 90th and 99th percentiles
// by nearest rank, and the maximum, in milliseconds. All zero for no frames.
FrameTimeStats SummariseFrameTimes(std::vector<int64_t> nanoseconds);
