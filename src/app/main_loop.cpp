#include "app/main_loop.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "app/clock.h"
#include "app/frame_pacing.h"
#include "app/platform.h"
#include "capture/capture.h"
#include "render/frame.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "scene/tick.h"
#include "startup/data_directory.h"
#include "startup/startup.h"

int Running = 1;
std::unique_ptr<Renderer> WindowRenderer;
TickSource LoopTickSource = {PlatformKeyDown, nullptr, nullptr, MouseTurning{}};

MainLoop StartMainLoop() {
    MainLoop loop{};
    loop.tickTime = ReadClock();
    return loop;
}

namespace {

void PumpEvents() {
    if (PlatformPumpEvents()) {
        Running = 0;
    }
}

// Catches the simulation up with real time, one tick per whole 16 ms of lag; a lag of exactly
// 16 ms waits for the next iteration.
void RunDueTicks(MainLoop& loop, Scene& scene) {
    while (ReadClock() - loop.tickTime > TickLength) {
        if (loop.smooth) {
            RememberBeforeTick(loop.tickHistory, scene);
        }
        const MouseMotion motion =
            LoopTickSource.motion != nullptr ? LoopTickSource.motion() : MouseMotion{};
        RunTick(scene, LoopTickSource.keyDown, motion, LoopTickSource.turning);
        if (LoopTickSource.afterTick != nullptr) {
            LoopTickSource.afterTick(scene);
        }
        loop.tickTime += TickLength;
        ++loop.ticks;
    }
}

// With smooth motion, the frame at the fraction of a tick that has passed since the latest
// tick was due, drawn one tick behind; else the frame of the latest tick.
void DrawFrame(MainLoop& loop, Scene& scene) {
    if (!loop.smooth || !CanDrawBetweenTicks(loop.tickHistory)) {
        RenderFrame(*WindowRenderer, scene);
        return;
    }
    const double fraction = (loop.frameStart - loop.tickTime) / TickLength;
    RenderBetweenTicks(*WindowRenderer, scene, loop.tickHistory, std::clamp(fraction, 0.0, 1.0));
}

void UpdateTitle(MainLoop& loop) {
    const double now = ReadClock();
    if (now - loop.lastTitleTime <= TitleInterval) {
        return;
    }
    loop.lastTitleTime = now;
    char title[TitleCapacity];
    FormatFrameTitle(title, loop.frameStart, now,
                     static_cast<int>(WindowRenderer->frame.drawnModelCount));
    std::strncat(title, CaptureTitleSuffix(now), TitleCapacity - 1 - std::strlen(title));
    PlatformSetTitle(title);
}

Scene* ReportStartupFailure(const char* failure) {
    std::fprintf(stderr, "drav: start-up failed: %s\n", failure);
    return nullptr;
}

} // namespace

void FormatFrameTitle(char (&title)[TitleCapacity], double frameStart, double now, int modelCount) {
    if (now == frameStart) {
        std::snprintf(title, TitleCapacity, "Above 1000 fps");
        return;
    }
    const double frameTime = now - frameStart;
    std::snprintf(title, TitleCapacity, "%0.2f FPS (%0.2f ms) models=%i", 1000.0 / frameTime,
                  frameTime, modelCount);
}

void RunMainLoopIteration(MainLoop& loop, Scene& scene) {
    PumpEvents();
    RunDueTicks(loop, scene);
    loop.frameStart = ReadClock();
    DrawFrame(loop, scene);
    PlatformPresent();
    UpdateTitle(loop);
    // After the title, so that the frame time stays that of clearing, rendering and presenting.
    const RenderTarget& frame = WindowRenderer->target;
    CaptureFrame(FrameView{frame.pixels, frame.width, frame.height, frame.pitch}, loop.ticks,
                 scene);
}

int RunMainLoop(Scene& scene, int framesPerSecondCap, bool smooth) {
    MainLoop loop = StartMainLoop();
    loop.smooth = smooth;
    FramePacing pacing = StartFramePacing(framesPerSecondCap, loop.tickTime);
    while (Running) {
        RunMainLoopIteration(loop, scene);
        WaitForNextFrame(pacing);
    }
    FinishCaptures();
    return 0;
}

Scene* StartWindowProgram(const WindowSettings& settings) {
    const FrameLayout layout = LayoutForScale(settings.scale);
    if (const char* failure = PlatformOpenWindow(layout, settings.present.display)) {
        return ReportStartupFailure(failure);
    }
    BuildColourTables();
    uint8_t* const pixels = PlatformCreateFrameBuffer(Palette, layout);
    if (pixels == nullptr) {
        char failure[64];
        std::snprintf(failure, sizeof failure, "cannot create the %dx%d frame buffer", layout.width,
                      layout.height);
        return ReportStartupFailure(failure);
    }
    const int32_t threads = settings.threads != 0 ? settings.threads : DefaultThreadCount();
    WindowRenderer = CreateRenderer(settings.scale, threads, pixels, layout.width);
    if (WindowRenderer == nullptr) {
        return ReportStartupFailure("cannot create the renderer");
    }
    // Without data files the program still runs, showing the empty fogged level.
    LoadDataSet("drav", "", "");
    return BuildWorld();
}

int RunWindowProgram(const WindowSettings& settings) {
    Scene* scene = StartWindowProgram(settings);
    if (scene == nullptr) {
        return 1;
    }
    return RunMainLoop(*scene, settings.present.framesPerSecondCap, settings.present.smooth);
}
