#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "app/startup.h"
#include "loop_fixture.h"
#include "render/palette.h"
#include "render/render_state.h"

namespace {

class StartUpTest : public LoopTest {
  protected:
    void SetUp() override {
        LoopTest::SetUp();
        WindowRenderer = nullptr;
    }
};

TEST_F(StartUpTest, AWindowThatCannotOpenEndsStartUpWithOneLine) {
    Headless.windowFailure = "cannot open the window: no display";
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunDemo(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "drav: start-up failed: cannot open the window: no display\n");
    EXPECT_EQ(Headless.frameBufferCount, 0);
    EXPECT_EQ(Headless.pumpCount, 0);
    EXPECT_EQ(Headless.presentCount, 0);
}

TEST_F(StartUpTest, AMissingFrameBufferNeverReachesTheLoop) {
    Headless.frameBufferFails = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunDemo(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "drav: start-up failed: cannot create the 320x240 frame buffer\n");
    EXPECT_EQ(Headless.windowOpenCount, 1);
    EXPECT_EQ(WindowRenderer, nullptr);
    EXPECT_EQ(Headless.pumpCount, 0);
    EXPECT_EQ(AnimatorList.count, 0u);
}

// Runs the start-up in a fresh empty directory, so no data file can be found.
class EmptyDirectoryStartUpTest : public StartUpTest {
  protected:
    void SetUp() override {
        StartUpTest::SetUp();
        char pattern[] = "/tmp/drav-start-up-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        emptyDirectory = pattern;
        ASSERT_NE(getcwd(previousDirectory, sizeof previousDirectory), nullptr);
        ASSERT_EQ(chdir(emptyDirectory.c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(chdir(previousDirectory), 0);
        rmdir(emptyDirectory.c_str());
        if (levelScene != nullptr) {
            DestroyScene(levelScene);
        }
        StartUpTest::TearDown();
    }

    std::string emptyDirectory;
    char previousDirectory[4096];
    Scene* levelScene = nullptr;
};

TEST_F(EmptyDirectoryStartUpTest, MissingDataLeavesSlotsEmptyAndTheDemoRunsOn) {
    testing::internal::CaptureStderr();
    levelScene = StartDemo();
    const std::string warnings = testing::internal::GetCapturedStderr();
    ASSERT_NE(levelScene, nullptr);
    EXPECT_NE(warnings.find("plane.hgm"), std::string::npos) << warnings;
    EXPECT_NE(warnings.find("heart.hgm"), std::string::npos) << warnings;
    EXPECT_EQ(PlaneModel, nullptr);
    EXPECT_EQ(HeartModel, nullptr);

    // The frame buffer is the backend's, made with the finished palette.
    ASSERT_NE(WindowRenderer, nullptr);
    EXPECT_EQ(WindowRenderer->target.pixels, Headless.pixels);
    EXPECT_EQ(std::memcmp(Headless.colourTable, Palette, sizeof Palette), 0);
    EXPECT_EQ(Palette[255].red, 255);

    EXPECT_EQ(levelScene->yaw, 1.0f);
    EXPECT_EQ(levelScene->x, 18.0f);
    EXPECT_EQ(AnimatorList.count, 25u);
    EXPECT_EQ(ProjectionMatrix.at(0, 0), 1.6083802f);
    EXPECT_EQ(ProjectionMatrix.at(3, 2), -1.0f);

    Headless.quitOnPump = 1;
    EXPECT_EQ(RunMainLoop(*levelScene), 0);
    EXPECT_EQ(Headless.presentCount, 1);
    EXPECT_EQ(WindowRenderer->frame.drawnModelCount, 0u);
    for (int i = 0; i < FrameSize; ++i) {
        ASSERT_EQ(Headless.pixels[i], FogTable[0]) << "pixel " << i;
    }
}

} // namespace
