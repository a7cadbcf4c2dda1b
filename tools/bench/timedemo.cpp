#include "timedemo.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "app/demo_session.h"
#include "app/frame.h"
#include "app/startup.h"
#include "render/frame_buffer.h"
#include "scene/level.h"

namespace {

uint8_t FramePixels[FrameSize];
Demo PlayedDemo;

} // namespace

int RunTimedemo(const char* path, const char* dataDirectory) {
    std::string error;
    if (!LoadDemoFile(path, DigestDataFiles(dataDirectory), PlayedDemo, error)) {
        std::fprintf(stderr, "drav-bench: %s\n", error.c_str());
        return DemoExitUnplayable;
    }
    FrameBuffer = FramePixels;
    BuildColourTables();
    LoadModelSet(dataDirectory);
    Scene* scene = BuildLevel();
    FillProjectionMatrix();

    const auto start = std::chrono::steady_clock::now();
    DemoPlayer player;
    StartDemoPlayer(player, PlayedDemo, *scene);
    while (!DemoPlayerFinished(player)) {
        RunTick(*scene, ScriptedKeyDown);
        AfterPlayedTick(player, *scene);
        RenderFrame(*scene);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const double framesPerSecond = seconds > 0.0 ? player.tick / seconds : 0.0;
    std::printf("timedemo %s: %u ticks, %.3f s, %.1f frames per second, %u of %zu checks passed\n",
                path, player.tick, seconds, framesPerSecond, player.checksPassed,
                PlayedDemo.checks.size());
    if (player.failed) {
        std::fprintf(stderr, "drav-bench: demo %s: %s\n", path, player.failure.c_str());
        return DemoExitMismatch;
    }
    return DemoExitMatched;
}
