#include "bench_options.h"

#include "cli/command_line.h"
#include "startup/data_directory.h"

CommandLineOutcome ParseBenchOptions(int argc, const char* const* argv, BenchOptions& options) {
    options = BenchOptions{"", Walk{}, 0, "", "", DefaultFrameOptions(), "", "", false};
    ParseWalk(DefaultWalk, options.walk);
    CLI::App app("", "drav-bench");
    DescribeProgram(app, "Walks a script of keys through the demo's own tick, timing one frame "
                         "after every tick.");
    app.footer("SCRIPT: steps of keys held for a number of ticks, such as \"U400 R63 UR60\"\n"
               "        (U Up, D Down, L Left, R Right, P Page Up, N Page Down, E End)");
    AddTextOption(app, "--data", "DIR", DataOptionDescription, options.dataDirectory);
    CLI::Option* walk =
        AddParsedOption(app, "--walk", "SCRIPT", "the walk (default: the built-in tour)",
                        options.walk, ParseWalk, "a walk script");
    CLI::Option* frames =
        AddWholeNumberOption(app, "--frames", "N",
                             "frames, one after each tick, the walk repeating (default: its ticks)",
                             options.frames, 1, MaxBenchFrames);
    CLI::Option* trace = AddTextOption(
        app, "--trace", "FILE",
        "write one line per frame: tick x y z pitch yaw models microseconds", options.tracePath);
    CLI::Option* json =
        AddTextOption(app, "--json", "FILE", "write the summary as JSON", options.jsonPath);
    CLI::Option* record = AddTextOption(app, "--record", "DEMO", "record the walk as a demo file",
                                        options.recordPath);
    CLI::Option* profile =
        app.add_flag("--profile", options.profile,
                     "also draw every frame again on one thread in parts and print the medians "
                     "of the serial part, set-up and filling, and the models each test skipped");
    // A timedemo brings its own keys and report.
    CLI::Option* play = AddTextOption(
        app, "--play", "DEMO",
        "timedemo: the demo's ticks as fast as they go, one frame each, its checks compared; "
        "prints ticks, seconds, frames per second and checks passed",
        options.playPath);
    RefuseTogether(play, {walk, frames, trace, json, record, profile});
    AddFrameOptions(app, options.frame);
    return ParseCommandLine(app, argc, argv);
}
