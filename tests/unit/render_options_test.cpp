#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render_options.h"

namespace {

bool Parse(std::vector<const char*> arguments, RenderOptions& options) {
    arguments.insert(arguments.begin(), "drav-render");
    return ParseRenderOptions(static_cast<int>(arguments.size()), arguments.data(), "default",
                              options);
}

TEST(RenderOptions, DefaultsWithoutArguments) {
    RenderOptions options;
    ASSERT_TRUE(Parse({}, options));
    EXPECT_STREQ(options.dataDirectory, "default");
    EXPECT_EQ(options.ticks, 0u);
    EXPECT_FALSE(options.camera.given);
    EXPECT_EQ(options.pngPath, nullptr);
    EXPECT_EQ(options.rawPath, nullptr);
    EXPECT_EQ(options.fogTablePath, nullptr);
}

TEST(RenderOptions, TakesEveryOption) {
    RenderOptions options;
    ASSERT_TRUE(Parse({"--data", "d", "--ticks", "120", "--camera", "1.5,-2,0.25", "--png", "f.png",
                       "--raw", "f.raw", "--fog-table", "fog.bin"},
                      options));
    EXPECT_STREQ(options.dataDirectory, "d");
    EXPECT_EQ(options.ticks, 120u);
    EXPECT_TRUE(options.camera.given);
    EXPECT_EQ(options.camera.x, 1.5f);
    EXPECT_EQ(options.camera.z, -2.0f);
    EXPECT_EQ(options.camera.yaw, 0.25f);
    EXPECT_EQ(options.camera.pitch, 0.0f);
    EXPECT_STREQ(options.pngPath, "f.png");
    EXPECT_STREQ(options.rawPath, "f.raw");
    EXPECT_STREQ(options.fogTablePath, "fog.bin");
}

TEST(RenderOptions, RejectsUnknownMissingAndStrayArguments) {
    RenderOptions options;
    EXPECT_FALSE(Parse({"--frames", "3"}, options));
    EXPECT_FALSE(Parse({"--png"}, options));
    EXPECT_FALSE(Parse({"frame.png"}, options));
    EXPECT_FALSE(Parse({"--ticks", "3", "extra"}, options));
}

TEST(RenderOptions, TickCountIsAPlainNonNegativeInteger) {
    uint32_t ticks = 9;
    EXPECT_TRUE(ParseTickCount("0", ticks));
    EXPECT_EQ(ticks, 0u);
    EXPECT_TRUE(ParseTickCount("4294967295", ticks));
    EXPECT_EQ(ticks, 4294967295u);
    for (const char* bad : {"", "-1", "+1", " 1", "1x", "1.5", "4294967296", "0x10"}) {
        EXPECT_FALSE(ParseTickCount(bad, ticks)) << '"' << bad << '"';
    }
}

TEST(RenderOptions, CameraNumbersAreDecimalFloats) {
    CameraOverride camera{};
    ASSERT_TRUE(ParseCamera("18,2,1,-0.5", camera));
    EXPECT_EQ(camera.x, 18.0f);
    EXPECT_EQ(camera.z, 2.0f);
    EXPECT_EQ(camera.yaw, 1.0f);
    EXPECT_EQ(camera.pitch, -0.5f);
    ASSERT_TRUE(ParseCamera("0.1,1e-3,+2.5E1", camera));
    EXPECT_EQ(camera.x, 0.1f);
    EXPECT_EQ(camera.z, 0.001f);
    EXPECT_EQ(camera.yaw, 25.0f);
    // Rounded once from the decimal text, not through double.
    ASSERT_TRUE(ParseCamera("1.00000005960464477539062500000001,0,0", camera));
    EXPECT_EQ(camera.x, 1.00000012f);
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
