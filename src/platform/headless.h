// A backend without a window: a scripted counter, scripted keys and quit events, and a record
// of what the shared code asked of the platform. Tests drive the main loop through it.
#pragma once

#include <cstdint>
#include <string>

#include "app/platform.h"
#include "platform/controller.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "scene/tick.h"

// Room for a frame at scale 2; a larger frame buffer is refused like a failing one.
constexpr int HeadlessFrameCapacity = 4 * FrameSize;

struct HeadlessPlatform {
    // Script: what the platform will answer.
    const char* windowFailure;    // returned by PlatformOpenWindow; null opens the "window"
    bool frameBufferFails;        // PlatformCreateFrameBuffer returns null
    int64_t counter;              // value PlatformCounter returns
    int64_t counterFrequency;     // counts per second
    int64_t counterStepOnPump;    // added to counter by each PlatformPumpEvents
    int64_t counterStepOnPresent; // added to counter by each PlatformPresent
    // PlatformSleep moves the counter on by the time asked for, plus this many counts.
    int64_t counterStepOnSleep;
    // A sleep lasts this share of the time asked for (ResetHeadless: 1.0); below 1.0 every
    // sleep ends early, as one woken by a signal or a coarse timer does.
    double sleepShare;
    bool keys[KeyCount];                         // indexed by Key
    ControllerState controllers[MaxControllers]; // all zero: none plugged in
    int quitOnPump;          // the pump with this 1-based number reports quit; 0: never
    MouseMotion mouseMotion; // gathered motion: PlatformTakeMouseMotion hands it out and zeroes it

    // Record: what the shared code did.
    FrameLayout layout; // as last given to PlatformOpenWindow
    int windowOpenCount;
    DisplayOptions display; // as given to the last PlatformOpenWindow
    int frameBufferCount;
    int pumpCount;
    int keyQueryCount;
    int presentCount;
    int sleepCount;
    int titleCount;
    std::string title;
    RgbQuad colourTable[PaletteSize];
    uint8_t pixels[HeadlessFrameCapacity];
};

extern HeadlessPlatform Headless;

// Back to a fresh script and an empty record: window and frame buffer succeed, counter 0 at
// 1 GHz, no keys, no quit.
void ResetHeadless();

// Moves the scripted mouse: the motion adds to what the next tick takes.
inline void HeadlessMoveMouse(int32_t dx, int32_t dy) {
    Headless.mouseMotion.dx += dx;
    Headless.mouseMotion.dy += dy;
}

inline bool& HeadlessKey(Key key) {
    return Headless.keys[static_cast<int>(key)];
}
