#include <gtest/gtest.h>

#include "platform/integer_fit.h"

namespace {

void ExpectRect(const ScreenRect& rect, int x, int y, int width, int height) {
    EXPECT_EQ(rect.x, x);
    EXPECT_EQ(rect.y, y);
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

TEST(FitFrameByWholeFactor, TakesTheLargestWholeFactorThatFitsBothWays) {
    ExpectRect(FitFrameByWholeFactor(320, 240, 640, 480), 0, 0, 640, 480);
    ExpectRect(FitFrameByWholeFactor(320, 240, 1920, 1080), 320, 60, 1280, 960);
    ExpectRect(FitFrameByWholeFactor(320, 240, 1024, 768), 32, 24, 960, 720);
    // Height decides on a wide screen, width on a tall one.
    ExpectRect(FitFrameByWholeFactor(320, 240, 2560, 719), 960, 119, 640, 480);
    ExpectRect(FitFrameByWholeFactor(320, 240, 959, 1200), 159, 360, 640, 480);
}

TEST(FitFrameByWholeFactor, OddLeftoversGoRightAndDownAndSmallAreasKeepFactorOne) {
    ExpectRect(FitFrameByWholeFactor(320, 240, 1366, 768), 203, 24, 960, 720);
    ExpectRect(FitFrameByWholeFactor(320, 240, 300, 200), -10, -20, 320, 240);
    ExpectRect(FitFrameByWholeFactor(320, 240, 0, 0), 0, 0, 0, 0);
    ExpectRect(FitFrameByWholeFactor(640, 480, 1920, 1080), 320, 60, 1280, 960);
}

} // namespace
