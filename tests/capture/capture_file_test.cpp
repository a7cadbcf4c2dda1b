#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>

#include "capture/capture_file.h"
#include "capture_test_support.h"

namespace {

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(CaptureFile, TakesTheFirstFreeNumberAndNeverOverwrites) {
    const TempFolder folder;
    const WorkingDirectory inFolder(folder.path);
    WriteText("drav-0001.png", "first");
    WriteText("drav-0003.png", "third");
    WriteText("drav-0002.gif", "a clip: other extensions do not take png numbers");
    char name[CaptureNameCapacity];
    ASSERT_TRUE(SaveCapture("png", {'n', 'e', 'w'}, name));
    EXPECT_STREQ(name, "drav-0002.png");
    ASSERT_TRUE(SaveCapture("png", {'n', 'e', 'x', 't'}, name));
    EXPECT_STREQ(name, "drav-0004.png");
    EXPECT_EQ(ReadText("drav-0001.png"), "first");
    EXPECT_EQ(ReadText("drav-0002.png"), "new");
    EXPECT_EQ(ReadText("drav-0003.png"), "third");
    EXPECT_EQ(ReadText("drav-0004.png"), "next");
}

// A working directory that has been removed takes no new file, even for root; the search
// stops at the first error that is not "exists" instead of trying every number.
TEST(CaptureFile, AFolderThatCannotTakeFilesFailsWithItsReason) {
    const TempFolder folder;
    const WorkingDirectory inFolder(folder.path);
    ASSERT_EQ(rmdir(folder.path.c_str()), 0);
    char name[CaptureNameCapacity];
    EXPECT_FALSE(SaveCapture("png", {1, 2, 3}, name));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_STREQ(name, "drav-0001.png");
}

} // namespace
