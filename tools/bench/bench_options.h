// Command line of drav-bench.
#pragma once

#include <cstdint>
#include <string>

#include "cli/command_outcome.h"
#include "walk_script.h"

struct BenchOptions {
    std::string dataDirectory; // empty: searched for, see LoadDataSet
    Walk walk;
    uint32_t frames;       // 0: one frame per tick of the walk
    std::string tracePath; // empty: no trace
    std::string jsonPath;  // empty: no JSON summary
    FrameOptions frame;
    std::string recordPath; // empty: the walk is not recorded as a demo
    std::string playPath;   // a demo to play as a timedemo instead of the walk; empty: none
    bool profile;           // also time each frame's parts on one thread
};

// The most frames one run may render (their records are kept in memory until the end).
constexpr uint32_t MaxBenchFrames = 10000000;

// Reads argv[1..argc-1] over defaults (no data directory, the built-in walk, one frame per
// tick, no outputs, DefaultFrameOptions).
CommandLineOutcome ParseBenchOptions(int argc, const char* const* argv, BenchOptions& options);
