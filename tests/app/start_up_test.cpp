#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "render/palette.h"
#include "render/render_state.h"
#include "startup/startup.h"
#include "support/loop_fixture.h"

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
    EXPECT_EQ(RunWindowProgram(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "drav: start-up failed: cannot open the window: no display\n");
    EXPECT_EQ(Headless.frameBufferCount, 0);
    EXPECT_EQ(Headless.pumpCount, 0);
    EXPECT_EQ(Headless.presentCount, 0);
}

TEST_F(StartUpTest, AMissingFrameBufferNeverReachesTheLoop) {
    Headless.frameBufferFails = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunWindowProgram(), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "drav: start-up failed: cannot create the 320x240 frame buffer\n");
    EXPECT_EQ(Headless.windowOpenCount, 1);
    EXPECT_EQ(WindowRenderer, nullptr);
    EXPECT_EQ(Headless.pumpCount, 0);
    EXPECT_EQ(AnimatorList.count, 0u);
}

TEST_F(StartUpTest, AFrameBufferThatCannotBeMadeIsNamedWithItsSize) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunWindowProgram(WindowSettings{3, 1}), 1); // beyond what the headless backend holds
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "drav: start-up failed: cannot create the 960x720 frame buffer\n");
    EXPECT_EQ(Headless.layout.shownWidth, 960);
    EXPECT_EQ(Headless.layout.shownHeight, 720);
    EXPECT_EQ(WindowRenderer, nullptr);
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
    levelScene = StartWindowProgram();
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

// The scale sizes the window and the frame buffer, and every frame covers the whole of it.
TEST_F(EmptyDirectoryStartUpTest, AScaledDemoOpensAndFillsAFrameOfItsSize) {
    testing::internal::CaptureStderr();
    levelScene = StartWindowProgram(WindowSettings{2, 2});
    testing::internal::GetCapturedStderr();
    ASSERT_NE(levelScene, nullptr);
    EXPECT_EQ(Headless.layout.width, 640);
    EXPECT_EQ(Headless.layout.height, 480);
    EXPECT_EQ(Headless.layout.shownWidth, 640);
    EXPECT_EQ(Headless.layout.shownHeight, 480);
    ASSERT_NE(WindowRenderer, nullptr);
    EXPECT_EQ(WindowRenderer->target.pixels, Headless.pixels);
    EXPECT_EQ(WindowRenderer->target.width, 640);
    EXPECT_EQ(WindowRenderer->target.height, 480);
    EXPECT_EQ(WindowRenderer->target.pitch, 640);

    const uint8_t notFog = static_cast<uint8_t>(FogTable[0] ^ 1);
    std::fill(std::begin(Headless.pixels), std::end(Headless.pixels), notFog);
    Headless.quitOnPump = 1;
    EXPECT_EQ(RunMainLoop(*levelScene), 0);
    // No models were found: the whole 640x480 frame is the fog colour.
    for (int i = 0; i < 640 * 480; ++i) {
        ASSERT_EQ(Headless.pixels[i], FogTable[0]) << "pixel " << i;
    }
}

TEST_F(EmptyDirectoryStartUpTest, DisplayOptionsReachTheWindowAndACapPacesTheLoop) {
    testing::internal::CaptureStderr();
    WindowSettings settings;
    settings.present.display.fullscreen = true;
    settings.present.display.vsync = true;
    levelScene = StartWindowProgram(settings);
    testing::internal::GetCapturedStderr();
    ASSERT_NE(levelScene, nullptr);
    EXPECT_TRUE(Headless.display.fullscreen);
    EXPECT_TRUE(Headless.display.vsync);

    // Frames that cost no time, capped at 50 a second: each waits out its 20 ms.
    Headless.quitOnPump = 3;
    EXPECT_EQ(RunMainLoop(*levelScene, 50), 0);
    EXPECT_EQ(Headless.sleepCount, 3);
    EXPECT_DOUBLE_EQ(ReadClock(), 60.0);
}

} // namespace
