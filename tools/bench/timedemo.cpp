#include "timedemo.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "app/data_directory.h"
#include "app/demo_session.h"
#include "app/frame.h"
#include "app/startup.h"
#include "render/renderer.h"
#include "scene/level.h"

namespace {

Demo PlayedDemo;

} // namespace

int RunTimedemo(const char* path, const std::string& dataDirectory, const FrameOptions& frame) {
    std::string error;
    if (!LoadDemoFile(path, DigestDataFiles(dataDirectory), PlayedDemo, error)) {
        std::fprintf(stderr, "drav-bench: %s\n", error.c_str());
        return DemoExitUnplayable;
    }
    const std::unique_ptr<Renderer> renderer = CreateRenderer(frame.scale, frame.threads);
    BuildColourTables();
    if (!LoadDataSet("drav-bench", dataDirectory, MissingDataHint)) {
        return DemoExitUnplayable;
    }
    Scene* scene = BuildLevel();
    FillProjectionMatrix();

    const auto start = std::chrono::steady_clock::now();
    DemoPlayer player;
    StartDemoPlayer(player, PlayedDemo, *scene);
    while (!DemoPlayerFinished(player)) {
        PlayDemoTick(player, *scene);
        RenderFrame(*renderer, *scene);
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
