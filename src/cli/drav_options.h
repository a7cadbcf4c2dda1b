// Command line of the window program, drav. The browser build reads the same options from the page
// address.
#pragma once

#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/present_options.h"

struct DravOptions {
    FrameOptions frame;
    PresentOptions present;
    std::string recordPath;     // empty: no recording
    std::string playPath;       // empty: the keyboard drives the walk
    std::string capturesFolder; // empty: DefaultCaptureFolder
};

// Reads argv[1..argc-1] over DefaultFrameOptions.
CommandLineOutcome ParseDravOptions(int argc, const char* const* argv, DravOptions& options);

// The command line a page address's query stands for: "?scale=2&threads=1" gives
// {"drav", "--scale", "2", "--threads", "1"}, and a field without "=" a lone "--name".
std::vector<std::string> QueryArguments(const std::string& query);
