#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/smooth_motion.h"
#include "scene/tick.h"
#include "support/level_fixture.h"

namespace {

using SmoothMotion = LevelFixture;

// Frames between ticks begin and end on the ticks' own frames, and leave the ticks' state as
// it was. Each frame is drawn over junk, so a frame left from before cannot pass.
TEST_F(SmoothMotion, FractionZeroIsTheLastTickAndOneTheNextByteForByte) {
    MotionHistory history{};
    std::vector<std::vector<uint8_t>> tickFrames;
    ScriptedKeys = KeyBit(Key::Up) | KeyBit(Key::Left) | KeyBit(Key::PageUp);
    for (int tick = 0; tick < 3; ++tick) {
        RememberBeforeTick(history, *scene);
        RunTick(*scene, ScriptedKeyDown);
        RenderFrame(*renderer, *scene);
        tickFrames.push_back(frame);
    }
    ScriptedKeys = 0;
    ASSERT_TRUE(CanDrawBetweenTicks(history));
    const Scene ticked = *scene;
    const float heartTime = AnimatorList.items[0]->time;
    const Mat4 heartPose = AnimatorList.items[0]->node->local;

    const auto drawBetween = [&](double fraction) {
        std::fill(frame.begin(), frame.end(), uint8_t{0x55});
        RenderBetweenTicks(*renderer, *scene, history, fraction);
        return frame;
    };
    EXPECT_TRUE(drawBetween(0.0) == tickFrames[1]);
    EXPECT_TRUE(drawBetween(1.0) == tickFrames[2]);
    const std::vector<uint8_t> halfway = drawBetween(0.5);
    EXPECT_FALSE(halfway == tickFrames[1] || halfway == tickFrames[2]);

    EXPECT_EQ(scene->x, ticked.x);
    EXPECT_EQ(scene->y, ticked.y);
    EXPECT_EQ(scene->z, ticked.z);
    EXPECT_EQ(scene->yaw, ticked.yaw);
    EXPECT_EQ(scene->pitch, ticked.pitch);
    EXPECT_EQ(AnimatorList.items[0]->time, heartTime);
    EXPECT_TRUE(std::equal(heartPose.m, heartPose.m + 16, AnimatorList.items[0]->node->local.m));
}

} // namespace
