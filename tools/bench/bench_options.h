// Command line of drav-bench.
#pragma once

#include <cstdint>

struct BenchOptions {
    const char* dataDirectory;
    const char* walkScript; // the script text itself
    uint32_t frames;        // 0: one frame per tick of the walk
    const char* tracePath;  // null: no trace
    const char* jsonPath;   // null: no JSON summary
    uint32_t scale;         // the frame is 320 scale x 240 scale pixels
    uint32_t threads;       // 0: as many as the process has cores
};

extern const char* const BenchUsage;

// The most frames one run may render (their records are kept in memory until the end).
constexpr uint32_t MaxBenchFrames = 10000000;

// Parses argv[1..argc-1] over defaults (the given data directory, the built-in walk, one frame
// per tick, no outputs, scale 1, a thread per core). Returns false on anything it does not
// understand, on a frame count of 0 or above MaxBenchFrames, a scale outside 1 to
// MaxFrameScale or a thread count outside 1 to MaxRenderThreads, leaving options partly
// filled. The walk script is checked
// later, by ParseWalk.
bool ParseBenchOptions(int argc, const char* const* argv, const char* defaultDataDirectory,
                       BenchOptions& options);
