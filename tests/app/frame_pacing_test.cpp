#include "app/frame_pacing.h"
#include "support/loop_fixture.h"

namespace {

// Each presented frame costs 2 ms of the scripted counter unless a test says otherwise.
class FramePacingTest : public LoopTest {
  protected:
    void SetUp() override {
        LoopTest::SetUp();
        Headless.counterStepOnPresent = 2 * Millisecond;
        loop = StartMainLoop();
    }

    // Runs the capped loop until the clock reaches the given time.
    void RunCappedUntil(int framesPerSecond, double milliseconds) {
        FramePacing pacing = StartFramePacing(framesPerSecond, loop.tickTime);
        while (ReadClock() < milliseconds) {
            RunMainLoopIteration(loop, *scene);
            WaitForNextFrame(pacing);
        }
    }
};

TEST_F(FramePacingTest, ACapOfSixtyPresentsSixtyFramesASecondWhileTicksKeepTheirPace) {
    RunCappedUntil(60, 3000.0);
    EXPECT_NEAR(Headless.presentCount, 180, 1);
    EXPECT_EQ(Headless.sleepCount, Headless.presentCount);
    EXPECT_NEAR(TicksRun(), 3000 / 16, 1);
    // The title still reports the frame's own time, not the period of the cap.
    EXPECT_EQ(Headless.title, "500.00 FPS (2.00 ms) models=0");
}

TEST_F(FramePacingTest, SleepsThatEndLateDoNotLowerTheRate) {
    Headless.counterStepOnSleep = Millisecond; // every sleep overshoots by 1 ms
    RunCappedUntil(50, 2000.0);
    EXPECT_NEAR(Headless.presentCount, 100, 1);
}

// A sleep cut short must not start the frame early: the clock is read again and the wait goes
// on until the frame is due.
TEST_F(FramePacingTest, SleepsThatEndEarlyDoNotStartTheFrameEarly) {
    Headless.sleepShare = 0.5;
    FramePacing pacing = StartFramePacing(50, loop.tickTime);
    for (int frame = 0; frame < 20; ++frame) {
        RunMainLoopIteration(loop, *scene);
        WaitForNextFrame(pacing);
        EXPECT_GE(ReadClock(), pacing.nextFrame) << "frame " << frame;
    }
}

TEST_F(FramePacingTest, AStallStartsAFreshScheduleInsteadOfABurst) {
    FramePacing pacing = StartFramePacing(100, loop.tickTime);
    Headless.counterStepOnPresent = 100 * Millisecond;
    RunMainLoopIteration(loop, *scene);
    WaitForNextFrame(pacing);
    EXPECT_EQ(Headless.sleepCount, 0);

    // The next frame waits its whole period again rather than following at once.
    Headless.counterStepOnPresent = 2 * Millisecond;
    const double stallEnd = ReadClock();
    RunMainLoopIteration(loop, *scene);
    WaitForNextFrame(pacing);
    EXPECT_EQ(Headless.sleepCount, 1);
    EXPECT_DOUBLE_EQ(ReadClock(), stallEnd + 10.0);
}

TEST_F(FramePacingTest, NoCapNeverSleeps) {
    Headless.quitOnPump = 50;
    EXPECT_EQ(RunMainLoop(*scene), 0);
    EXPECT_EQ(Headless.presentCount, 50);
    EXPECT_EQ(Headless.sleepCount, 0);
}

TEST_F(FramePacingTest, AClockThatCannotStartIsNotWaitedFor) {
    ClockTicksPerMillisecond = 0.0;
    Headless.counterFrequency = 0;
    Headless.quitOnPump = 3;
    EXPECT_EQ(RunMainLoop(*scene, 60), 0);
    EXPECT_EQ(Headless.presentCount, 3);
    EXPECT_EQ(Headless.sleepCount, 0);
}

} // namespace
