#include "bench_options.h"

CommandLineOutcome ParseBenchOptions(int argc, const char* const* argv,
                                     const char* defaultDataDirectory, BenchOptions& options) {
    options = BenchOptions{defaultDataDirectory, Walk{}, 0, "", "", DefaultFrameOptions()};
    ParseWalk(DefaultWalk, options.walk);
    CLI::App app("", "drav-bench");
    DescribeProgram(app, "Walks a script of keys through the demo's own tick, timing one frame "
                         "after every tick.");
    app.footer("SCRIPT: steps of keys held for a number of ticks, such as \"U400 R63 UR60\"\n"
               "        (U Up, D Down, L Left, R Right, P Page Up, N Page Down, E End)");
    AddTextOption(app, "--data", "DIR", "folder of the data files", options.dataDirectory);
    AddParsedOption(app, "--walk", "SCRIPT", "the walk (default: the built-in tour)", options.walk,
                    ParseWalk, "a walk script");
    AddWholeNumberOption(app, "--frames", "N",
                         "frames, one after each tick, the walk repeating (default: its ticks)",
                         options.frames, 1, MaxBenchFrames);
    AddTextOption(app, "--trace", "FILE",
                  "write one line per frame: tick x y z pitch yaw models microseconds",
                  options.tracePath);
    AddTextOption(app, "--json", "FILE", "write the summary as JSON", options.jsonPath);
    AddFrameOptions(app, options.frame);
    return ParseCommandLine(app, argc, argv);
}
