// The window program's start-up and its main loop: the millisecond clock, the running flag, fixed
// 16 ms ticks, one frame per iteration, presentation and the frame-rate title. Everything that
// touches the window goes through the platform seam (app/platform.h).
#pragma once

#include <cstdint>
#include <memory>

#include "app/clock.h"
#include "app/platform.h"
#include "app/smooth_motion.h"
#include "render/renderer.h"
#include "scene/scene.h"
#include "scene/tick.h"

// 1 from program start; cleared by the message pump when a quit event arrives.
extern int Running;

// The renderer that draws the window's frame; made by StartWindowProgram.
extern std::unique_ptr<Renderer> WindowRenderer;

// Where the loop's ticks take their keys and mouse motion from, and what runs after each tick:
// the platform's keyboard, no mouse and nothing, unless the mouse is on or a demo is being
// recorded or played.
struct TickSource {
    KeyDownQuery keyDown;
    void (*afterTick)(Scene& scene); // may be null
    MouseMotion (*motion)();         // null: no mouse
    MouseTurning turning;            // how motion turns the view
};
extern TickSource LoopTickSource;

// What the loop carries from one iteration to the next, in milliseconds of the clock.
struct MainLoop {
    double tickTime;           // simulation time up to which ticks have run
    double frameStart;         // clock reading just before the last frame's clear
    double lastTitleTime;      // clock reading at the last title update
    uint64_t ticks;            // ticks run since the loop started
    bool smooth;               // draw each frame between the last two ticks
    MotionHistory tickHistory; // kept while smooth
};

constexpr double TickLength = 16.0;
constexpr double TitleInterval = 10.0;
constexpr int TitleCapacity = 256;

// Starts the clock; the first tick is due one tick length later.
MainLoop StartMainLoop();

// One pass of the loop: pump events (clearing Running on quit), run every tick that is due,
// draw (with WindowRenderer) and present one frame, rewrite the title when more than 10 ms have
// passed, and hand the frame to screenshots and clips (app/capture/capture.h). A backend driven
// by the host's frame callbacks calls this once per callback.
void RunMainLoopIteration(MainLoop& loop, Scene& scene);

// Runs iterations while Running is set, waiting after each frame as a cap of
// framesPerSecondCap asks (0: never waits), smooth or not, then finishes a clip still
// recording; returns the exit code 0.
int RunMainLoop(Scene& scene, int framesPerSecondCap = 0, bool smooth = false);

// The title text for a frame that started at frameStart and ended at now.
void FormatFrameTitle(char (&title)[TitleCapacity], double frameStart, double now, int modelCount);

// How the window program renders and shows its frames.
struct WindowSettings {
    int32_t scale = 1;   // the frame is 320 scale x 240 scale pixels
    int32_t threads = 0; // 0: DefaultThreadCount()
    PresentOptions present{};
};

// Start-up in order: window (with the display options), colour tables, frame buffer and the
// WindowRenderer drawing into it, models, level, projection. Returns the level's scene, or null
// after one line on stderr naming the step that failed when the window or the frame buffer
// cannot be made; then WindowRenderer stays null.
Scene* StartWindowProgram(const WindowSettings& settings = WindowSettings{});

// StartWindowProgram, then the main loop with the frame-rate cap. Returns 0 after the window is
// closed, 1 when start-up failed.
int RunWindowProgram(const WindowSettings& settings = WindowSettings{});
