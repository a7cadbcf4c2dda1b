#include "cli/drav_options.h"

CommandLineOutcome ParseDravOptions(int argc, const char* const* argv, DravOptions& options) {
    options = DravOptions{DefaultFrameOptions(), PresentOptions{}, "", "", ""};
    CLI::App app("", "drav");
    DescribeProgram(app, "Walks through the level: arrow keys move and turn, Page Up and Page "
                         "Down look up and down, End levels the view.");
    AddFrameOptions(app, options.frame);
    AddWholeNumberOption(app, "--fps-cap", "N",
                         "at most N frames a second, sleeping in between (default 0: no cap)",
                         options.present.framesPerSecondCap, 0, MaximumFramesPerSecondCap);
    app.add_flag("--vsync", options.present.display.vsync,
                 "wait for the display's refresh to show each frame");
    app.add_flag("--fullscreen", options.present.display.fullscreen,
                 "start in fullscreen (F11 or Alt+Enter switch at any time)");
    CLI::Option* record =
        AddTextOption(app, "--record", "DEMO",
                      "play normally and record the session into a demo file", options.recordPath);
    AddTextOption(app, "--play", "DEMO",
                  "play the demo's keys in real time instead of the keyboard's, check every "
                  "check record and quit at its end: status 0 when all matched, 3 when not",
                  options.playPath)
        ->excludes(record);
    AddTextOption(app, "--captures", "DIR",
                  "folder of the F12 screenshots and F9 clips, made when missing (default: "
                  "the pictures folder's drav folder)",
                  options.capturesFolder);
    return ParseCommandLine(app, argc, argv);
}

std::vector<std::string> QueryArguments(const std::string& query) {
    std::vector<std::string> arguments{"drav"};
    const size_t start = !query.empty() && query[0] == '?' ? 1 : 0;
    for (size_t field = start; field < query.size();) {
        size_t end = query.find('&', field);
        if (end == std::string::npos) {
            end = query.size();
        }
        const size_t equals = query.find('=', field);
        if (equals < end) {
            arguments.push_back("--" + query.substr(field, equals - field));
            arguments.push_back(query.substr(equals + 1, end - equals - 1));
        } else if (end > field) {
            arguments.push_back("--" + query.substr(field, end - field));
        }
        field = end + 1;
    }
    return arguments;
}
