// drav-bench --play: a timedemo. The demo's ticks run as fast as the machine allows, each
// followed by one frame, with every check record compared on the way.
#pragma once

#include <string>

#include "cli/command_outcome.h"

// Plays the demo at path on the data set in dataDirectory ("": searched for), drawing frames
// of the given scale with the given threads, and prints one line: ticks,
// seconds, frames per second and checks passed. Returns DemoExitMatched, DemoExitMismatch
// (the first mismatching tick on stderr) or DemoExitUnplayable (the reason on stderr).
int RunTimedemo(const char* path, const std::string& dataDirectory, const FrameOptions& frame);
