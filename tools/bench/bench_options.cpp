#include "bench_options.h"

#include <string>

#include "render_options.h"
#include "walk_script.h"

const char* const BenchUsage =
    "usage: drav-bench [--data DIR] [--walk SCRIPT] [--frames N] [--trace FILE] [--json FILE]\n"
    "                  [--record DEMO]\n"
    "       drav-bench [--data DIR] --play DEMO\n"
    "  SCRIPT  steps of keys held for a number of ticks, such as \"U400 R63 UR60\"\n"
    "          (U Up, D Down, L Left, R Right, P Page Up, N Page Down, E End)\n"
    "  N       frames to render, one after every tick; the walk starts over when it ends\n"
    "  --trace one line per frame: tick x y z pitch yaw models microseconds\n"
    "  --json  the summary as JSON\n"
    "  --record  the walk's keys and checks as a demo file\n"
    "  --play  a timedemo: the demo's ticks as fast as they go, one frame each, its checks\n"
    "          compared; one line: ticks, seconds, frames per second, checks passed\n";

namespace {

bool StoreOption(const std::string& name, const char* value, BenchOptions& options) {
    if (name == "--data") {
        options.dataDirectory = value;
    } else if (name == "--walk") {
        options.walkScript = value;
    } else if (name == "--frames") {
        return ParseTickCount(value, options.frames) && options.frames > 0 &&
               options.frames <= MaxBenchFrames;
    } else if (name == "--trace") {
        options.tracePath = value;
    } else if (name == "--json") {
        options.jsonPath = value;
    } else if (name == "--record") {
        options.recordPath = value;
    } else if (name == "--play") {
        options.playPath = value;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseBenchOptions(int argc, const char* const* argv, const char* defaultDataDirectory,
                       BenchOptions& options) {
    options =
        BenchOptions{defaultDataDirectory, DefaultWalk, 0, nullptr, nullptr, nullptr, nullptr};
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc || !StoreOption(argv[i], argv[i + 1], options)) {
            return false;
        }
    }
    // A timedemo has its own keys and report.
    return options.playPath == nullptr ||
           (options.walkScript == DefaultWalk && options.frames == 0 &&
            options.tracePath == nullptr && options.jsonPath == nullptr &&
            options.recordPath == nullptr);
}
