#include "bench_options.h"

#include <string>

#include "render/frame_buffer.h"
#include "render/renderer.h"
#include "render_options.h"
#include "walk_script.h"

const char* const BenchUsage =
    "usage: drav-bench [--data DIR] [--walk SCRIPT] [--frames N] [--trace FILE] [--json FILE]\n"
    "                  [--scale K] [--threads T]\n"
    "  SCRIPT  steps of keys held for a number of ticks, such as \"U400 R63 UR60\"\n"
    "          (U Up, D Down, L Left, R Right, P Page Up, N Page Down, E End)\n"
    "  N       frames to render, one after every tick; the walk starts over when it ends\n"
    "  --trace one line per frame: tick x y z pitch yaw models microseconds\n"
    "  --json  the summary as JSON\n"
    "  K       the frame is 320K x 240K pixels, K from 1 to 8 (default 1)\n"
    "  T       threads that draw each frame, 1 to 64 (default: one per core)\n";

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
    } else if (name == "--scale") {
        return ParseTickCount(value, options.scale) && options.scale >= 1 &&
               options.scale <= MaxFrameScale;
    } else if (name == "--threads") {
        return ParseTickCount(value, options.threads) && options.threads >= 1 &&
               options.threads <= MaxRenderThreads;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseBenchOptions(int argc, const char* const* argv, const char* defaultDataDirectory,
                       BenchOptions& options) {
    options = BenchOptions{defaultDataDirectory, DefaultWalk, 0, nullptr, nullptr, 1, 0};
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc || !StoreOption(argv[i], argv[i + 1], options)) {
            return false;
        }
    }
    return true;
}
