#include "timedemo.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "demo/demo_session.h"
#include "render/frame.h"
#include "startup/headless_session.h"

namespace {

DemoPlayback Playback;

} // namespace

int RunTimedemo(const char* path, const std::string& dataDirectory, const FrameOptions& frame) {
    if (!LoadDemoPlayback(Playback, "drav-bench", path, dataDirectory)) {
        return DemoExitUnplayable;
    }
    HeadlessSession session;
    if (!StartHeadlessSession(session, {"drav-bench", dataDirectory, frame.scale, frame.threads})) {
        return DemoExitUnplayable;
    }
    Scene& scene = *session.scene;
    const auto start = std::chrono::steady_clock::now();
    DemoPlayer& player = Playback.player;
    StartDemoPlayer(player, Playback.demo, scene);
    while (!DemoPlayerFinished(player)) {
        PlayDemoTick(player, scene);
        RenderFrame(*session.renderer, scene);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    const double framesPerSecond = seconds > 0.0 ? player.tick / seconds : 0.0;
    std::printf("timedemo %s: %u ticks, %.3f s, %.1f frames per second, %u of %zu checks passed\n",
                path, player.tick, seconds, framesPerSecond, player.checksPassed,
                Playback.demo.checks.size());
    EndHeadlessSession(session);
    return ReportDemoMismatch(Playback, "drav-bench");
}
