// The platform seam: the few things the shared start-up and main loop need of a window
// system. Each executable links exactly one backend from src/platform.
#pragma once

#include <cstdint>

#include "cli/present_options.h"
#include "render/frame_layout.h"
#include "render/palette.h"
#include "scene/tick.h"

// Opens the window titled "DRAV" with a client area of the layout's shown size, and whatever
// drawing contexts presenting needs. Returns null on success, or a short description of the
// step that failed.
const char* PlatformOpenWindow(const FrameLayout& layout, const DisplayOptions& options = {});
// Creates the layout's 8-bit frame surface (width x height) with the palette as its colour
// table and returns its pixel memory (row pitch: the width), or null when it cannot be made.
uint8_t* PlatformCreateFrameBuffer(const RgbQuad* palette, const FrameLayout& layout);
// Empties the window-event queue; returns true when a quit event was among the events.
bool PlatformPumpEvents();
// High-resolution counter and its frequency in counts per second.
int64_t PlatformCounter();
int64_t PlatformCounterFrequency();
// Gives up the processor for about the given time; may return a little early or late.
void PlatformSleep(double milliseconds);
bool PlatformKeyDown(Key key);
// Mouse turning, asked for once after the window opens: from then on the window captures the
// pointer while it has the focus, lets it go on Escape and focus loss, and takes it again on a
// click; the motion it gathers while captured is what PlatformTakeMouseMotion hands out.
void PlatformEnableMouse();
// The whole pixels the captured pointer moved since the last call; none from then on.
MouseMotion PlatformTakeMouseMotion();
// Stretches the frame over the whole client area.
void PlatformPresent();
void PlatformSetTitle(const char* title);
// The window's client size when it was last shown neither fullscreen nor minimised; false when
// it never was, or the platform's window has no size of its own.
bool PlatformWindowSize(int& width, int& height);
