// Command line of drav-bench.
#pragma once

#include <cstdint>
#include <string>

#include "cli/command_line.h"
#include "walk_script.h"

struct BenchOptions {
    std::string dataDirectory;
    Walk walk;
    uint32_t frames;       // 0: one frame per tick of the walk
    std::string tracePath; // empty: no trace
    std::string jsonPath;  // empty: no JSON summary
    FrameOptions frame;
};

// The most frames one run may render (their records are kept in memory until the end).
constexpr uint32_t MaxBenchFrames = 10000000;

// Reads argv[1..argc-1] over defaults (the given data directory, the built-in walk, one frame
// per tick, no outputs, DefaultFrameOptions).
CommandLineOutcome ParseBenchOptions(int argc, const char* const* argv,
                                     const char* defaultDataDirectory, BenchOptions& options);
