// drav with a demo: records the session's keys into a demo file, or plays one back in real
// time in place of the keyboard and checks every check record on the way.
#pragma once

#include "cli/drav_options.h"
#include "scene/scene.h"

// Exit code when the window is closed before a played demo's end.
constexpr int DemoExitStopped = 4;
// Exit code, before the window opens, when the file to record or the captures folder cannot
// be written.
constexpr int ExitCannotWrite = 2;

// Before start-up: loads the demo to play, if any. False after a message on stderr; the
// program then exits with DemoExitUnplayable.
bool PrepareDemoSession(const DravOptions& options);
// After start-up: opens the recording or starts playback and points the loop's ticks at it.
// Playback clears Running after the demo's last tick.
void BeginDemoSession(Scene& scene);
// After the loop: closes the recording, or reports how playback went. Returns the exit code:
// 0, DemoExitMismatch with the first mismatching tick on stderr, or DemoExitStopped.
int EndDemoSession(Scene& scene);

// The whole program: PrepareDemoSession, the checks of the files it is to write (the demo to
// record, the captures folder), StartWindowProgram, BeginDemoSession, the main loop and
// EndDemoSession. With neither --record nor --play given it is RunWindowProgram.
int RunDrav(const DravOptions& options);
