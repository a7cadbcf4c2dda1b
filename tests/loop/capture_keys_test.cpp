#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/capture/capture.h"
#include "loop_fixture.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The loop with F12 and F9 pressed, in a scratch working directory.
class CaptureKeysTest : public LoopTest {
  protected:
    void SetUp() override {
        LoopTest::SetUp();
        std::string pattern = ::testing::TempDir() + "drav-keys-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        ASSERT_EQ(PlatformOpenWindow(), nullptr);
        loop = StartMainLoop();
    }

    void TearDown() override {
        FinishCaptures();
        Capture.savedName[0] = '\0';
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
        LoopTest::TearDown();
    }

    std::filesystem::path folder, previous;
};

// The shot names the ticks run before its frame, and the title names the shot for 3 s.
TEST_F(CaptureKeysTest, AScreenshotRecordsTheTicksOfItsFrame) {
    IterateAt(40 * Millisecond); // ticks due at 16 and 32 ms
    RequestScreenshot();
    IterateAt(60 * Millisecond); // and at 48 ms
    const std::string png = ReadFile("drav-0001.png");
    EXPECT_NE(png.find("drav-view"), std::string::npos);
    EXPECT_NE(png.find("--ticks 3 --camera 0,0,0,0"), std::string::npos);
    IterateAt(71 * Millisecond);
    EXPECT_TRUE(EndsWith(Headless.title, " - saved drav-0001.png")) << Headless.title;
    IterateAt(3070 * Millisecond);
    EXPECT_TRUE(EndsWith(Headless.title, " - saved drav-0001.png")) << Headless.title;
    IterateAt(3082 * Millisecond);
    EXPECT_EQ(Headless.title.find("saved"), std::string::npos) << Headless.title;
}

} // namespace
