// Writes a demo file as the session runs: the bytes go to a temporary file beside the target
// (assets/output_file.h), flushed every half second of ticks right after that tick's check,
// so that a kill keeps all but the last half second with every check in it; the file takes
// the target's name only when it is closed, so an existing file is never damaged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assets/output_file.h"
#include "demo/demo_format.h"

// Ticks between flushes of the temporary file: about half a second of play. A divisor of the
// check interval, so every check is flushed with the tick it follows.
constexpr uint32_t DemoFlushTicks = 32;
static_assert(DemoCheckInterval % DemoFlushTicks == 0, "a check is flushed with its tick");

struct DemoWriter {
    const char* program; // names the program in messages
    OutputFile file;     // file.stream is null when not recording (never opened, closed, failed)
    std::vector<uint8_t> pending;
    uint32_t ticks;
};

// Creates the temporary file and writes the header: version 2 with the mouse's turning when
// mouse is not null, else version 1. On failure says why on stderr, leaves
// the writer closed and returns false.
bool OpenDemoWriter(DemoWriter& writer, const char* program, const char* path, uint64_t dataDigest,
                    const MouseTurning* mouse = nullptr);

bool DemoWriterOpen(const DemoWriter& writer);

// One tick's keys and mouse motion (none in version 1), then a check record after it when one is
// due, then EndDemoTick; all are ignored once the writer has failed. A failed write says why on
// stderr, removes the temporary file and stops the recording.
void WriteDemoTick(DemoWriter& writer, uint8_t keys, MouseMotion motion = {});
void WriteDemoCheck(DemoWriter& writer, const DemoCheck& check);
// Flushes the tick's bytes to the file every DemoFlushTicks ticks.
void EndDemoTick(DemoWriter& writer);

// Writes the end marker and the tick count, closes the file and gives it its name. False,
// after a message on stderr, when the demo could not be completed; the target is then
// untouched.
bool CloseDemoWriter(DemoWriter& writer);
