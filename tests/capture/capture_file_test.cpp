#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
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
    CaptureFile saved;
    ASSERT_TRUE(SaveCapture("", "png", {'n', 'e', 'w'}, saved));
    EXPECT_STREQ(saved.name, "drav-0002.png");
    ASSERT_TRUE(SaveCapture("", "png", {'n', 'e', 'x', 't'}, saved));
    EXPECT_STREQ(saved.name, "drav-0004.png");
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
    CaptureFile saved;
    EXPECT_FALSE(SaveCapture("", "png", {1, 2, 3}, saved));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_STREQ(saved.name, "drav-0001.png");
}

// A missing captures folder is made; a capture being written elsewhere (its .part) keeps its
// number, and a name taken while a capture was written is not replaced: the capture takes the
// next free one.
TEST(CaptureFile, MakesTheFolderAndNeverTakesANameInUse) {
    const TempFolder parent;
    const std::string folder = parent.path + "/pictures/drav";
    CaptureFile saved;
    ASSERT_TRUE(SaveCapture(folder, "png", {'a'}, saved));
    EXPECT_EQ(ReadText(folder + "/drav-0001.png"), "a");
    WriteText(folder + "/drav-0002.png.part", "another program's capture");
    CaptureFile clip;
    ASSERT_TRUE(CreateCaptureFile(folder, "png", clip));
    EXPECT_STREQ(clip.name, "drav-0003.png");
    WriteText(folder + "/drav-0003.png", "made meanwhile");
    std::fputs("clip", clip.stream);
    ASSERT_TRUE(PublishCaptureFile(clip));
    EXPECT_STREQ(clip.name, "drav-0004.png");
    EXPECT_EQ(ReadText(folder + "/drav-0003.png"), "made meanwhile");
    EXPECT_EQ(ReadText(folder + "/drav-0004.png"), "clip");
    EXPECT_FALSE(std::filesystem::exists(folder + "/drav-0003.png.part"));
}

} // namespace
