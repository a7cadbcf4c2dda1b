// The shipped demo, a recording of drav-bench's default walk through the level, played on a
// fixture's scene tick by tick, for tests that want the cameras of a real walk.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "demo/demo_session.h"

// Plays every tick of the shipped demo on scene (the level as start-up builds it) and calls
// atTick(tick) after every ticksBetween ticks; fails the test when the demo cannot be loaded
// or one of its recorded checks does not match.
template <typename AtTick>
void PlayShippedDemo(Scene& scene, uint32_t ticksBetween, AtTick&& atTick) {
    DemoPlayback playback;
    ASSERT_TRUE(LoadDemoPlayback(playback, "test", DRAV_SHIPPED_DEMO, DRAV_DATA_DIR));
    StartDemoPlayer(playback.player, playback.demo, scene);
    while (!DemoPlayerFinished(playback.player)) {
        PlayDemoTick(playback.player, scene);
        if (playback.player.tick % ticksBetween == 0) {
            atTick(playback.player.tick);
        }
    }
    EXPECT_FALSE(playback.player.failed) << playback.player.failure;
}
