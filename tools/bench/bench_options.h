// Command line of drav-bench.
#pragma once

#include <cstdint>

struct BenchOptions {
    const char* dataDirectory;
    const char* walkScript; // the script text itself
    uint32_t frames;        // 0: one frame per tick of the walk
    const char* tracePath;  // null: no trace
    const char* jsonPath;   // null: no JSON summary
    const char* recordPath; // null: the walk is not recorded as a demo
    const char* playPath;   // a demo to play as a timedemo instead of the walk; null: none
};

extern const char* const BenchUsage;

// The most frames one run may render (their records are kept in memory until the end).
constexpr uint32_t MaxBenchFrames = 10000000;

// Parses argv[1..argc-1] over defaults (the given data directory, the built-in walk, one frame
// per tick, no outputs). Returns false on anything it does not understand, on a frame count
// of 0 or above MaxBenchFrames, or --play with any option but --data, leaving options partly
// filled. The walk script is checked
// later, by ParseWalk.
bool ParseBenchOptions(int argc, const char* const* argv, const char* defaultDataDirectory,
                       BenchOptions& options);
