#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "render/renderer.h"
#include "render_options.h"

namespace {

CommandLineOutcome Parse(std::vector<const char*> arguments, RenderOptions& options) {
    arguments.insert(arguments.begin(), "drav-render");
    return ParseRenderOptions(static_cast<int>(arguments.size()), arguments.data(), options);
}

TEST(RenderOptions, DefaultsWithoutArguments) {
    RenderOptions options;
    options.dataDirectory = "stale";
    ASSERT_TRUE(Parse({}, options).run);
    // No --data: the program searches for its data.
    EXPECT_EQ(options.dataDirectory, "");
    EXPECT_EQ(options.ticks, 0u);
    EXPECT_FALSE(options.camera.given);
    EXPECT_EQ(options.pngPath, "");
    EXPECT_EQ(options.rawPath, "");
    EXPECT_EQ(options.fogTablePath, "");
    EXPECT_EQ(options.frame.scale, 1);
    EXPECT_EQ(options.frame.threads, DefaultThreadCount());
}

TEST(RenderOptions, TakesEveryOption) {
    RenderOptions options;
    ASSERT_TRUE(
        Parse({"--data", "d", "--ticks", "120", "--camera", "1.5,-2,0.25", "--png", "f.png",
               "--raw", "f.raw", "--fog-table", "fog.bin", "--scale", "8", "--threads", "64"},
              options)
            .run);
    EXPECT_EQ(options.dataDirectory, "d");
    EXPECT_EQ(options.ticks, 120u);
    EXPECT_TRUE(options.camera.given);
    EXPECT_EQ(options.camera.pose.x, 1.5f);
    EXPECT_EQ(options.camera.pose.z, -2.0f);
    EXPECT_EQ(options.camera.pose.yaw, 0.25f);
    EXPECT_EQ(options.camera.pose.pitch, 0.0f);
    EXPECT_EQ(options.pngPath, "f.png");
    EXPECT_EQ(options.rawPath, "f.raw");
    EXPECT_EQ(options.fogTablePath, "fog.bin");
    EXPECT_EQ(options.frame.scale, 8);
    EXPECT_EQ(options.frame.threads, 64);
}

// Each bad command line exits 2 with a message naming what was wrong, then the usage.
TEST(RenderOptions, RefusesBadArgumentsNamingThem) {
    const std::vector<std::pair<std::vector<const char*>, const char*>> bad = {
        {{"--frames", "3"}, "--frames"},
        {{"--png"}, "--png"},
        {{"frame.png"}, "frame.png"},
        {{"--ticks", "3", "extra"}, "extra"},
        {{"--ticks", "abc"}, "--ticks: 'abc' is not a whole number from 0 to 1000000"},
        {{"--ticks", "1000001"}, "--ticks: '1000001'"},
        {{"--ticks", "4294967295"}, "--ticks: '4294967295'"},
        {{"--camera", "1,2"}, "--camera: '1,2' is not a list of three or four decimal numbers"},
        {{"--scale", "0"}, "--scale: '0' is not a whole number from 1 to 8"},
        {{"--scale", "9"}, "--scale: '9'"},
        {{"--scale", "2.0"}, "--scale: '2.0'"},
        {{"--threads", "0"}, "--threads: '0' is not a whole number from 1 to 64"},
        {{"--threads", "65"}, "--threads: '65'"},
        {{"--png", "--raw", "f.raw"}, "--png: '--raw' is not a FILE name"},
        {{"--data", ""}, "--data: '' is not a DIR name"},
    };
    for (const auto& [arguments, named] : bad) {
        RenderOptions options;
        const CommandLineOutcome outcome = Parse(arguments, options);
        EXPECT_FALSE(outcome.run) << named;
        EXPECT_EQ(outcome.exitStatus, ExitBadArguments) << named;
        EXPECT_EQ(outcome.text.rfind("drav-render: ", 0), 0u) << outcome.text;
        EXPECT_NE(outcome.text.find(named), std::string::npos) << outcome.text;
        EXPECT_NE(outcome.text.find("\nusage: drav-render"), std::string::npos) << outcome.text;
    }
}

TEST(RenderOptions, HelpListsTheOptionsAndExitsZero) {
    RenderOptions options;
    const CommandLineOutcome outcome = Parse({"--help"}, options);
    EXPECT_FALSE(outcome.run);
    EXPECT_EQ(outcome.exitStatus, 0);
    for (const char* option : {"usage: drav-render", "--data", "--ticks", "--camera", "--png",
                               "--raw", "--fog-table", "--scale", "--threads"}) {
        EXPECT_NE(outcome.text.find(option), std::string::npos) << option;
    }
}

TEST(RenderOptions, CameraNumbersAreDecimalFloats) {
    CameraOverride camera{};
    ASSERT_TRUE(ParseCamera("18,2,1,-0.5", camera));
    EXPECT_EQ(camera.pose.x, 18.0f);
    EXPECT_EQ(camera.pose.z, 2.0f);
    EXPECT_EQ(camera.pose.yaw, 1.0f);
    EXPECT_EQ(camera.pose.pitch, -0.5f);
    ASSERT_TRUE(ParseCamera("0.1,1e-3,+2.5E1", camera));
    EXPECT_EQ(camera.pose.x, 0.1f);
    EXPECT_EQ(camera.pose.z, 0.001f);
    EXPECT_EQ(camera.pose.yaw, 25.0f);
    // Rounded once from the decimal text, not through double.
    ASSERT_TRUE(ParseCamera("1.00000005960464477539062500000001,0,0", camera));
    EXPECT_EQ(camera.pose.x, 1.00000012f);
}

TEST(RenderOptions, CameraRejectsMalformedLists) {
    CameraOverride camera{};
    for (const char* bad : {"", "1,2", "1,2,3,4,5", "1,,3", "1,2,3,", ",1,2,3", "1,2,x", "1,2,3a",
                            "1, 2,3", "inf,0,0", "nan,0,0", "0x1p3,0,0", "1e50,0,0"}) {
        EXPECT_FALSE(ParseCamera(bad, camera)) << '"' << bad << '"';
        EXPECT_FALSE(camera.given);
    }
}

TEST(RenderOptions, DecimalFloatParsesOnlyTheGivenRange) {
    const char* text = "2.5,7";
    float value = 0.0f;
    EXPECT_TRUE(ParseDecimalFloat(text, text + 3, value));
    EXPECT_EQ(value, 2.5f);
    EXPECT_FALSE(ParseDecimalFloat(text, text + 4, value));
}

} // namespace
