#include <cmath>

#include "support/loop_fixture.h"

namespace {

using ClockTest = LoopTest;

TEST_F(ClockTest, FirstReadingStartsAtZeroAndLaterOnesCountMilliseconds) {
    Headless.counter = 5 * Millisecond;
    EXPECT_EQ(ReadClock(), 0.0);
    EXPECT_EQ(ClockTicksPerMillisecond, 1000000.0);
    EXPECT_EQ(ClockStartCount, 5000000.0);
    Headless.counter += 3 * Millisecond + 500000;
    EXPECT_EQ(ReadClock(), 3.5);
}

TEST_F(ClockTest, ConvertsAnOddFrequencyThroughDoubles) {
    Headless.counterFrequency = 3579545;
    Headless.counter = 1;
    EXPECT_EQ(ReadClock(), 0.0);
    Headless.counter = 1 + 3579545;
    EXPECT_NEAR(ReadClock(), 1000.0, 1e-9);
}

TEST_F(ClockTest, ZeroFrequencyFreezesTimeUntilTheCounterHasOne) {
    Headless.counterFrequency = 0;
    loop = StartMainLoop();
    IterateAt(1000 * Millisecond);
    EXPECT_EQ(ReadClock(), 0.0);
    EXPECT_EQ(TicksRun(), 0);
    EXPECT_EQ(Headless.titleCount, 0);
    EXPECT_EQ(Headless.presentCount, 1);

    // Every reading tries to start the clock again, so a frequency that turns up later starts
    // it from that moment on.
    Headless.counterFrequency = 1000 * Millisecond;
    IterateAt(2000 * Millisecond);
    EXPECT_EQ(ClockStartCount, 2000.0 * Millisecond);
    EXPECT_EQ(TicksRun(), 0);
    IterateAt(2017 * Millisecond);
    EXPECT_EQ(TicksRun(), 1);
}

using TickTest = LoopTest;

TEST_F(TickTest, ALagOfExactlyOneTickWaitsAndAnyMoreRunsOne) {
    loop = StartMainLoop();
    IterateAt(0);
    EXPECT_EQ(TicksRun(), 0);
    IterateAt(16 * Millisecond);
    EXPECT_EQ(TicksRun(), 0);
    IterateAt(16 * Millisecond + 1);
    EXPECT_EQ(TicksRun(), 1);
    EXPECT_EQ(loop.tickTime, 16.0);
}

TEST_F(TickTest, AStallIsCaughtUpTickByTickWithTheKeysReadEachTime) {
    HeadlessKey(Key::Right) = true;
    loop = StartMainLoop();
    IterateAt(1000 * Millisecond);
    EXPECT_EQ(Headless.keyQueryCount, 62 * KeyCount);
    EXPECT_EQ(loop.tickTime, 992.0);
    float yaw = 0.0f;
    for (int tick = 0; tick < 62; ++tick) {
        yaw = yaw + 0.025f;
    }
    EXPECT_EQ(scene->yaw, yaw);

    IterateAt(1008 * Millisecond);
    EXPECT_EQ(TicksRun(), 62);
    IterateAt(1008 * Millisecond + 1);
    EXPECT_EQ(TicksRun(), 63);
}

// The platform hands out the motion gathered since the last tick once: of two ticks due, only
// the first turns.
TEST_F(TickTest, MouseMotionTurnsOnlyTheTickAfterIt) {
    LoopTickSource =
        TickSource{PlatformKeyDown, nullptr, PlatformTakeMouseMotion, MouseTurning{100, false}};
    loop = StartMainLoop();
    HeadlessMoveMouse(30, 0);
    HeadlessMoveMouse(20, 0);
    IterateAt(40 * Millisecond);
    LoopTickSource = TickSource{PlatformKeyDown, nullptr, nullptr, MouseTurning{}};
    EXPECT_EQ(TicksRun(), 2);
    EXPECT_EQ(scene->yaw, static_cast<float>(50.0 * 100.0 * (0.002 / 100.0)));
}

TEST_F(TickTest, SteadyFortyMillisecondFramesKeepPaceWithRealTime) {
    loop = StartMainLoop();
    for (int frame = 1; frame <= 100; ++frame) {
        const int before = TicksRun();
        IterateAt(frame * 40 * Millisecond);
        const int ticks = TicksRun() - before;
        EXPECT_TRUE(ticks == 2 || ticks == 3) << "frame " << frame << " ran " << ticks;
    }
    EXPECT_EQ(TicksRun(), 249); // 4000 ms: 250 ticks due, the last one at exactly 16 ms lag
}

TEST_F(TickTest, EndLevelsTheViewBeforePageUpOrPageDownTiltsIt) {
    scene->pitch = 0.7f;
    HeadlessKey(Key::End) = true;
    HeadlessKey(Key::PageUp) = true;
    loop = StartMainLoop();
    IterateAt(17 * Millisecond);
    EXPECT_EQ(scene->pitch, 0.0125f);

    HeadlessKey(Key::PageUp) = false;
    HeadlessKey(Key::PageDown) = true;
    IterateAt(33 * Millisecond);
    EXPECT_EQ(scene->pitch, -0.0125f);
}

TEST_F(TickTest, UpWithDownWalksBackward) {
    HeadlessKey(Key::Up) = true;
    HeadlessKey(Key::Down) = true;
    loop = StartMainLoop();
    IterateAt(17 * Millisecond);
    EXPECT_EQ(scene->x, 0.0f);
    EXPECT_EQ(scene->z, -0.025f);
}

TEST_F(TickTest, UpWalksAlongTheHeading) {
    scene->yaw = 1.0f;
    HeadlessKey(Key::Up) = true;
    loop = StartMainLoop();
    IterateAt(17 * Millisecond);
    EXPECT_NEAR(scene->x, -0.02104, 5e-6);
    EXPECT_NEAR(scene->z, 0.01351, 5e-6);
    EXPECT_NEAR(scene->x, -std::sin(1.0) * 0.025, 1e-8);
    EXPECT_NEAR(scene->z, std::cos(1.0) * 0.025, 1e-8);
    EXPECT_EQ(scene->pitch, 0.0f);
    EXPECT_EQ(scene->roll, 0.0f);
}

TEST_F(TickTest, EyeHeightIsExactlyOneBeforeAnyTickAndBobsAfterwards) {
    SceneNode* heart = CreateNode(scene->root, nullptr, nullptr);
    CreateAnimator(HeartTick, heart, 2.0f, 0.0f, -4.0f);
    scene->y = 5.0f;
    loop = StartMainLoop();
    IterateAt(0);
    EXPECT_EQ(scene->y, 1.0f);

    IterateAt(17 * Millisecond);
    EXPECT_EQ(AnimatorList.items[0]->time, 0.05f);
    EXPECT_EQ(scene->y, static_cast<float>(1.0 + 0.01 * std::sin(static_cast<double>(0.05f))));
}

TEST_F(TickTest, WithoutAnimatorsTheEyeStaysAtHeightOne) {
    loop = StartMainLoop();
    IterateAt(100 * Millisecond);
    EXPECT_EQ(TicksRun(), 6);
    EXPECT_EQ(scene->y, 1.0f);
}

} // namespace
