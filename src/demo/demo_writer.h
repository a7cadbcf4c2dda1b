// Writes a demo file as the session runs: the bytes go to a temporary file beside the target,
// flushed every half second of ticks so that a crash or a kill loses little, and the file
// takes the target's name only when it is closed, so an existing file is never damaged.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "demo/demo_format.h"

// Ticks between flushes of the temporary file: about half a second of play.
constexpr uint32_t DemoFlushTicks = 32;

struct DemoWriter {
    std::string path;     // the name the demo gets when closed
    std::string tempPath; // where it is written until then
    std::FILE* file;      // null when not recording (never opened, closed, or failed)
    std::vector<uint8_t> pending;
    uint32_t ticks;
};

// Creates the temporary file and writes the header. On failure says why on stderr, leaves
// the writer closed and returns false; the session goes on without recording.
bool OpenDemoWriter(DemoWriter& writer, const char* path, uint64_t dataDigest);

bool DemoWriterOpen(const DemoWriter& writer);

// One tick's keys, and a check record after it when one is due; both are ignored once the
// writer has failed. A failed write says why on stderr, removes the temporary file and stops
// the recording.
void WriteDemoTick(DemoWriter& writer, uint8_t keys);
void WriteDemoCheck(DemoWriter& writer, const DemoCheck& check);

// Writes the end marker and the tick count, closes the file and gives it its name. False,
// after a message on stderr, when the demo could not be completed; the target is then
// untouched.
bool CloseDemoWriter(DemoWriter& writer);
