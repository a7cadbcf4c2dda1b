#include "render/render_state.h"
#include "support/loop_fixture.h"

namespace {

std::string Format(double frameStart, double now, int models) {
    char title[TitleCapacity];
    FormatFrameTitle(title, frameStart, now, models);
    return title;
}

TEST(FrameTitleTest, ZeroFrameTimeReadsAboveAThousand) {
    EXPECT_EQ(Format(12.5, 12.5, 40), "Above 1000 fps");
    EXPECT_EQ(Format(0.0, 0.0, 0), "Above 1000 fps");
}

TEST(FrameTitleTest, OtherFrameTimesShowRateTimeAndModels) {
    EXPECT_EQ(Format(100.0, 116.0, 312), "62.50 FPS (16.00 ms) models=312");
    EXPECT_EQ(Format(100.0, 100.25, 3), "4000.00 FPS (0.25 ms) models=3");
    EXPECT_EQ(Format(0.0, 3.0, 0), "333.33 FPS (3.00 ms) models=0");
    EXPECT_EQ(Format(0.0, 2000.0, 1), "0.50 FPS (2000.00 ms) models=1");
}

class TitleTest : public LoopTest {
  protected:
    void SetUp() override {
        LoopTest::SetUp();
        ASSERT_EQ(PlatformOpenWindow(LayoutForScale(1)), nullptr);
        loop = StartMainLoop();
    }
};

TEST_F(TitleTest, KeepsTheStartTitleForTheFirstTenMilliseconds) {
    IterateAt(0);
    IterateAt(10 * Millisecond);
    EXPECT_EQ(Headless.titleCount, 0);
    EXPECT_EQ(Headless.title, "DRAV");
    IterateAt(10 * Millisecond + 1);
    EXPECT_EQ(Headless.titleCount, 1);
}

TEST_F(TitleTest, IsRewrittenOnlyWhenMoreThanTenMillisecondsHavePassed) {
    IterateAt(12 * Millisecond);
    EXPECT_EQ(Headless.titleCount, 1);
    IterateAt(22 * Millisecond);
    EXPECT_EQ(Headless.titleCount, 1);
    IterateAt(22 * Millisecond + 1);
    EXPECT_EQ(Headless.titleCount, 2);
}

TEST_F(TitleTest, MeasuresTheFrameFromClearToPresent) {
    Headless.counterStepOnPresent = 4 * Millisecond;
    IterateAt(11 * Millisecond);
    EXPECT_EQ(Headless.title, "250.00 FPS (4.00 ms) models=0");

    Headless.counterStepOnPresent = 0;
    IterateAt(30 * Millisecond);
    EXPECT_EQ(Headless.title, "Above 1000 fps");

    Headless.counterStepOnPresent = Millisecond / 2;
    IterateAt(45 * Millisecond);
    EXPECT_EQ(Headless.title, "2000.00 FPS (0.50 ms) models=0");
}

TEST_F(TitleTest, TicksAndThePumpAreNotPartOfTheFrameTime) {
    Headless.counterStepOnPump = 50 * Millisecond;
    Headless.counterStepOnPresent = 8 * Millisecond;
    IterateAt(0);
    EXPECT_EQ(TicksRun(), 3);
    EXPECT_EQ(Headless.title, "125.00 FPS (8.00 ms) models=0");
}

TEST_F(TitleTest, CountsTheModelsThatThisFrameDrew) {
    FillProjectionMatrix();
    Model nothingToDraw{nullptr, 0, nullptr};
    Mat4 ahead;
    SetTranslation(ahead, 0.0f, 0.0f, 5.0f);
    Mat4 behind;
    SetTranslation(behind, 0.0f, 0.0f, -5.0f);
    CreateNode(scene->root, &nothingToDraw, &ahead);
    CreateNode(scene->root, &nothingToDraw, &behind);
    CreateNode(scene->root, &nothingToDraw, &ahead);
    Headless.counterStepOnPresent = 2 * Millisecond;
    IterateAt(11 * Millisecond);
    EXPECT_EQ(Headless.title, "500.00 FPS (2.00 ms) models=2");

    scene->yaw = 3.14159265f; // turned round: only the model behind is in view
    IterateAt(22 * Millisecond);
    EXPECT_EQ(Headless.title, "500.00 FPS (2.00 ms) models=1");
}

using QuitTest = LoopTest;

TEST_F(QuitTest, TheIterationThatTakesTheQuitStillFinishes) {
    Headless.quitOnPump = 1;
    Headless.counterStepOnPump = 40 * Millisecond;
    Headless.counterStepOnPresent = 2 * Millisecond;
    EXPECT_EQ(RunMainLoop(*scene), 0);
    EXPECT_EQ(Running, 0);
    EXPECT_EQ(Headless.pumpCount, 1);
    EXPECT_EQ(TicksRun(), 2);
    EXPECT_EQ(Headless.presentCount, 1);
    EXPECT_EQ(Headless.title, "500.00 FPS (2.00 ms) models=0");
}

TEST_F(QuitTest, TheLoopRunsUntilThePumpReportsQuit) {
    Headless.quitOnPump = 4;
    EXPECT_EQ(RunMainLoop(*scene), 0);
    EXPECT_EQ(Headless.pumpCount, 4);
    EXPECT_EQ(Headless.presentCount, 4);
}

} // namespace
