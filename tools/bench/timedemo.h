// drav-bench --play: a timedemo. The demo's ticks run as fast as the machine allows, each
// followed by one frame, with every check record compared on the way.
#pragma once

// Plays the demo at path on the data set in dataDirectory and prints one line: ticks,
// seconds, frames per second and checks passed. Returns DemoExitMatched, DemoExitMismatch
// (the first mismatching tick on stderr) or DemoExitUnplayable (the reason on stderr).
int RunTimedemo(const char* path, const char* dataDirectory);
