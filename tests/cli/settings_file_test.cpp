#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "cli/drav_options.h"
#include "cli/settings_file.h"

namespace {

TEST(SettingsFile, UnknownKeysWarnAndABadValueStopsNamingFileLineKeyAndValue) {
    DravOptions settings = DefaultDravOptions();
    std::string warnings;
    const std::string problem =
        ReadSettingsText("# comment\n\nfullscreen = true\n bogus = 1\n[window]\nscale = 2\n",
                         "a.ini", settings, warnings);
    EXPECT_EQ(problem, "");
    EXPECT_EQ(warnings, "drav: warning: a.ini:4: unknown key 'bogus' (ignored)\n"
                        "drav: warning: a.ini:6: unknown key 'window.scale' (ignored)\n");
    EXPECT_TRUE(settings.present.display.fullscreen);
    EXPECT_EQ(settings.frame.scale, 1);

    warnings.clear();
    EXPECT_EQ(ReadSettingsText("scale = 2\nvsync = maybe\n", "b.ini", settings, warnings),
              "drav: b.ini:2: vsync = 'maybe': 'maybe' is not true or false");
    EXPECT_EQ(ReadSettingsText("threads = 1\n\nscale = 9", "c.ini", settings, warnings),
              "drav: c.ini:3: scale = '9': '9' is not a whole number from 1 to 8");
    EXPECT_EQ(ReadSettingsText("scale = 2\nscale = 3", "c.ini", settings, warnings),
              "drav: c.ini:1: scale = '2,3': one value only");
    EXPECT_EQ(ReadSettingsText("config = x.ini", "d.ini", settings, warnings), "");
    EXPECT_EQ(warnings, "drav: warning: d.ini:1: unknown key 'config' (ignored)\n");
}

// Spaces and commas inside values (a folder's name, "Left Shift") survive the round trip.
TEST(SettingsFile, WrittenSettingsReadBackAsTheSameOptions) {
    DravOptions written = DefaultDravOptions();
    written.frame.scale = 3;
    written.present.display.fullscreen = true;
    written.capturesFolder = "My Pictures, 2";
    written.present.display.keys.action[static_cast<int>(KeyAction::Forward)] = "W,Left Shift";
    DravOptions read = DefaultDravOptions();
    std::string warnings;
    EXPECT_EQ(ReadSettingsText(SettingsFileText(written), "e.ini", read, warnings), "");
    EXPECT_EQ(warnings, "");
    EXPECT_EQ(SettingsFileText(read), SettingsFileText(written));
    EXPECT_EQ(read.capturesFolder, "My Pictures, 2");
    EXPECT_EQ(read.present.display.keys.action[static_cast<int>(KeyAction::Forward)],
              "W,Left Shift");
}

TEST(SettingsFile, TheCommandLineWinsOverTheFileAndANamedFileMustExist) {
    const std::string path = testing::TempDir() + "drav_settings_test.ini";
    std::ofstream(path) << "scale = 2\nfullscreen = true\n";
    const char* argv[] = {"drav", "--config", path.c_str(), "--scale", "1"};
    DravOptions options;
    ASSERT_TRUE(ParseDravOptions(5, argv, options).run);
    EXPECT_TRUE(ApplySettingsFile(options).run);
    EXPECT_EQ(options.frame.scale, 1);
    EXPECT_TRUE(options.present.display.fullscreen);

    std::remove(path.c_str());
    ASSERT_TRUE(ParseDravOptions(3, argv, options).run);
    const CommandLineOutcome missing = ApplySettingsFile(options);
    EXPECT_EQ(missing.exitStatus, ExitBadArguments);
    EXPECT_EQ(missing.text, "drav: cannot read the settings file " + path + "\n");
}

// The window's size goes into the file without touching the user's other lines.
TEST(SettingsFile, AKeptSettingReplacesItsLineOrEndsTheFile) {
    EXPECT_EQ(SettingsTextWith("# mine\nwindow-size = 1x1\r\nscale = 2", "window-size", "9x8"),
              "# mine\nwindow-size = 9x8\r\nscale = 2");
    EXPECT_EQ(SettingsTextWith("scale = 2", "window-size", "9x8"),
              "scale = 2\nwindow-size = 9x8\n");
    EXPECT_EQ(SettingsTextWith("", "window-size", "9x8"), "window-size = 9x8\n");
}

} // namespace
