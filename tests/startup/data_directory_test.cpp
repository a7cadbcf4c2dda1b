#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "startup/data_directory.h"
#include "support/assets_test_files.h"

namespace {

using Places = std::vector<std::string>;

#ifndef _WIN32
TEST(DataDirectoryCandidates, WorkingDirectoryThenShareBesideTheExecutablesFolder) {
    EXPECT_EQ(DataDirectoryCandidates("/usr/bin/drav"), (Places{"", "/usr/share/drav"}));
    EXPECT_EQ(DataDirectoryCandidates("/opt/drav/bin/drav-render"),
              (Places{"", "/opt/drav/share/drav"}));
    EXPECT_EQ(DataDirectoryCandidates("/drav"), (Places{"", "/share/drav"}));
    // Where the platform cannot tell (the browser), only the working directory is searched.
    EXPECT_EQ(DataDirectoryCandidates(""), (Places{""}));
}
#endif

// A scratch tree laid out as an installation, entered as the working directory for the test.
class DataSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_TRUE(std::filesystem::create_directories(scratch.PathOf("work")));
        ASSERT_TRUE(std::filesystem::create_directories(installed));
        ASSERT_EQ(chdir(scratch.PathOf("work").c_str()), 0);
    }
    void TearDown() override { EXPECT_EQ(chdir(previous), 0); }

    // A data file in "work" (the working directory) or "share/drav" of the scratch tree.
    void Put(const char* folder, const char* name) {
        scratch.Write(std::string(folder) + '/' + name, Bytes{1, 2, 3});
    }

    ScratchDirectory scratch;
    std::string installed = scratch.PathOf("share/drav");
    Places candidates{"", installed};
    char previous[4096];
};

TEST_F(DataSearchTest, TheWorkingDirectoryWinsWhenItHoldsAnyDataFile) {
    Put("share/drav", "plane.hgm");
    Put("work", "heart.raw");
    std::string found = "stale";
    ASSERT_TRUE(FindDataDirectory(candidates, found));
    EXPECT_EQ(found, "");
}

TEST_F(DataSearchTest, TheInstalledFolderServesAnEmptyWorkingDirectory) {
    // A folder that only bears a data file's name is not a data file.
    ASSERT_TRUE(std::filesystem::create_directory("plane.hgm"));
    Put("share/drav", "tex6.raw");
    std::string found;
    ASSERT_TRUE(FindDataDirectory(candidates, found));
    EXPECT_EQ(found, installed);
}

TEST_F(DataSearchTest, NothingFoundNamesEveryPlaceAndLeavesTheSlotsEmpty) {
    std::string found;
    EXPECT_FALSE(FindDataDirectory(candidates, found));
    const std::string message = MissingDataMessage(candidates);
    EXPECT_NE(message.find("the working directory (" + scratch.PathOf("work") + ")"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find(" or in " + installed + " "), std::string::npos) << message;
    EXPECT_NE(message.find("heart.hgm"), std::string::npos) << message;

    // The test program has no share/drav beside it, and the working directory is empty.
    Model stale{};
    PlaneModel = &stale;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadDataSet("drav-test", "", "; try --data DIR"));
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.rfind("drav-test: no data files in the working directory", 0), 0u) << printed;
    EXPECT_EQ(printed.find('\n'), printed.size() - 1) << printed;
    EXPECT_NE(printed.find("; try --data DIR"), std::string::npos) << printed;
    EXPECT_EQ(PlaneModel, nullptr);

    // A folder named with --data that holds no data file is refused the same way, in one line.
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(LoadDataSet("drav-test", installed, "; try --data DIR"));
    const std::string named = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(named.rfind("drav-test: no data files in " + installed + " (looked for", 0), 0u)
        << named;
    EXPECT_EQ(named.find('\n'), named.size() - 1) << named;
}

} // namespace
