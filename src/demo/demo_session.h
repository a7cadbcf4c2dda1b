// Recording and playing demos against the running simulation: the keys of each tick, check
// records taken from a side frame, and playback that compares every check with the file.
// The shell, drav-bench and drav-render all drive ticks through these.
#pragma once

#include <cstdint>
#include <string>

#include "demo/demo_format.h"
#include "demo/demo_writer.h"
#include "scene/scene.h"
#include "scene/tick.h"

// Digest of the fourteen data files in dataDirectory (null: the working directory), in the
// order of the model slots: each file's name, its size and its bytes; a missing file counts
// as its name with no size.
uint64_t DigestDataFiles(const std::string& dataDirectory);

// Reads and parses the demo at path; false with a one-line reason when it cannot be read, is
// malformed, or was recorded with data files whose digest differs from dataDigest.
bool LoadDemoFile(const char* path, uint64_t dataDigest, Demo& demo, std::string& error);

// The check record after tick, with the frame rendered at 320x240 into a side buffer: the
// frame that the window shows is left alone.
DemoCheck TakeDemoCheck(Scene& scene, uint32_t tick, uint64_t keysDigest);

struct DemoRecorder {
    DemoWriter writer;
    uint64_t keysDigest;
};

// Opens the file, of version 2 with the mouse's turning when mouse is not null; on failure the
// recorder stays idle (the message, begun with program, is on stderr).
bool StartDemoRecording(DemoRecorder& recorder, const char* program, const char* path,
                        uint64_t dataDigest, const MouseTurning* mouse = nullptr);
// Records the keys and the mouse motion (ClampDemoMotion before the tick) the tick just ran, and a
// check after it when one is due.
void RecordDemoTick(DemoRecorder& recorder, Scene& scene, uint8_t keys, MouseMotion motion = {});
// Adds the last check when the last tick was not on the schedule, and closes the file.
bool FinishDemoRecording(DemoRecorder& recorder, Scene& scene);

struct DemoPlayer {
    const Demo* demo;
    uint32_t tick;    // ticks played
    size_t nextCheck; // index of the next check record to compare
    uint64_t keysDigest;
    uint32_t checksPassed;
    bool failed;
    std::string failure; // the first mismatch, naming its tick
};

// Takes the check before the first tick, if the demo has one, and sets ScriptedKeys and
// ScriptedMotion to the first tick's, so that RunTick(scene, ScriptedKeyDown, ScriptedMotion,
// demo.turning) plays the demo's input.
void StartDemoPlayer(DemoPlayer& player, const Demo& demo, Scene& scene);
// After each tick run with the scripted input: counts it, compares a check due after it, and
// sets ScriptedKeys and ScriptedMotion to the next tick's (none after the last tick).
void AfterPlayedTick(DemoPlayer& player, Scene& scene);
bool DemoPlayerFinished(const DemoPlayer& player);
// Runs the next tick of the demo with its keys and motion, then AfterPlayedTick.
void PlayDemoTick(DemoPlayer& player, Scene& scene);

// A demo file loaded for playing, and its player. The player points into demo, so a playback
// stays where it was loaded.
struct DemoPlayback {
    std::string path;
    Demo demo;
    DemoPlayer player;
};

// Loads the demo at path for the data files in dataDirectory ("": searched for, as start-up
// does). False after "PROGRAM: reason" on stderr when it cannot be played.
bool LoadDemoPlayback(DemoPlayback& playback, const char* program, const std::string& path,
                      const std::string& dataDirectory);

// Exit codes of playback: every check matched, a file that cannot be played, a mismatch.
constexpr int DemoExitMatched = 0;
constexpr int DemoExitUnplayable = 2;
constexpr int DemoExitMismatch = 3;

// Ticks played since the last check compared (all of them when none was).
uint32_t UncheckedTicks(const DemoPlayer& player);

// DemoExitMismatch after "PROGRAM: demo PATH: " and the first mismatch on stderr when a check
// did not match; DemoExitMatched otherwise. Of a demo that was never closed, first says on
// stderr how many ticks were played and how many of the last ones had no check.
int ReportDemoMismatch(const DemoPlayback& playback, const char* program);
