// Demo files: the keys of every tick of a session and check records that prove what the
// session showed. The byte layout is described in docs/demo-format.md; this module encodes it
// into memory and parses it back, and never reads outside the bytes it is given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/tick.h"

constexpr char DemoMagic[8] = {'D', 'R', 'A', 'V', 'D', 'E', 'M', 'O'};
// Version 1 holds keys only; version 2 adds the mouse's turning to the header and each tick's
// mouse motion to the body. Without the mouse, demos are written as version 1.
constexpr uint32_t DemoVersion = 1;
constexpr uint32_t DemoMouseVersion = 2;
constexpr size_t DemoHeaderSize = 24;
constexpr size_t DemoMouseHeaderSize = 32;
// Offset of the header's tick count, written last when a recording is closed.
constexpr size_t DemoTickCountOffset = 12;
// The header's tick count while the recording is still open.
constexpr uint32_t DemoUnfinished = 0xffffffffu;
// A check record follows every tick whose number is a multiple of this, and the last one.
constexpr uint32_t DemoCheckInterval = 64;
constexpr uint8_t DemoCheckTag = 0x80;
constexpr uint8_t DemoEndTag = 0xff;
// Version 2: the mouse motion of the tick whose key byte follows, as two 16-bit numbers.
constexpr uint8_t DemoMotionTag = 0x81;
constexpr int32_t DemoMotionLimit = 32767;
// The most ticks a demo holds: a little over 18 hours at 62.5 ticks per second.
constexpr uint32_t DemoMaxTicks = 1u << 22;

// The camera as exact bits: x, y, z, pitch, yaw, roll.
constexpr int DemoCameraFields = 6;

struct DemoCheck {
    uint32_t tick;                     // ticks run when the check was taken
    uint32_t camera[DemoCameraFields]; // float bits after the tick and the check frame
    uint64_t keysDigest;               // digest of the key bytes of ticks 1 to tick
    uint64_t frameDigest;              // digest of the 320x240 frame after the tick
};

struct Demo {
    uint32_t version;
    uint64_t dataDigest;
    MouseTurning turning;            // version 2 only
    std::vector<uint8_t> keys;       // keys[t] holds the KeyBit set of tick t + 1
    std::vector<MouseMotion> motion; // motion[t] moved in tick t + 1; all zero in version 1
    std::vector<DemoCheck> checks;
    bool unfinished; // never closed: the keys after the last check have none
};

// 64-bit FNV-1a, continued from digest (start with DigestStart).
constexpr uint64_t DigestStart = 0xcbf29ce484222325ull;
uint64_t DigestBytes(uint64_t digest, const uint8_t* bytes, size_t size);

// The keys digest continued over one tick: its key byte, then its motion's four bytes when it
// has any (so a version 1 demo's digest is that of its key bytes).
uint64_t DigestTickInput(uint64_t digest, uint8_t keys, MouseMotion motion);

// Motion clamped to what a tick of a demo can hold.
MouseMotion ClampDemoMotion(MouseMotion motion);

// True when a check record is due after tick (a multiple of the interval, from 1 up).
bool IsScheduledCheck(uint32_t tick);

// Appending the parts of a demo, in file order.
// mouse null: a version 1 header; else version 2 with the mouse's turning.
void AppendDemoHeader(std::vector<uint8_t>& out, uint64_t dataDigest,
                      const MouseTurning* mouse = nullptr);
// A tick's motion record, when it moved, then its key byte; motion within DemoMotionLimit.
void AppendDemoTick(std::vector<uint8_t>& out, uint8_t keys, MouseMotion motion);
void AppendDemoCheck(std::vector<uint8_t>& out, const DemoCheck& check);
void AppendDemoEnd(std::vector<uint8_t>& out, uint32_t tickCount);
// The header's tick count, as it is patched in when the recording is closed.
void EncodeTickCount(uint8_t (&out)[4], uint32_t tickCount);

// Parses a whole file. On failure returns false with a one-line reason in error, naming the
// byte offset or tick where the file went wrong. A recording that was never closed (its
// header's tick count still DemoUnfinished) gives every key byte it holds and its complete
// check records, and is marked unfinished.
bool ParseDemo(const uint8_t* bytes, size_t size, Demo& demo, std::string& error);
