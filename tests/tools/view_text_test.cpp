#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <string>

#include "capture/view_text.h"
#include "render_options.h"

namespace {

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The camera drav-render reads from the text after "--camera".
CameraOverride CameraOf(const char* text) {
    const char* camera = std::strstr(text, "--camera ");
    EXPECT_NE(camera, nullptr);
    CameraOverride parsed{};
    EXPECT_TRUE(ParseCamera(camera + std::strlen("--camera "), parsed)) << text;
    return parsed;
}

TEST(ViewText, EveryCameraValueReadsBackToTheSameBits) {
    const float values[] = {0.0f,        -0.0f,      1.0f,        0.1f,    -0.0125f,
                            1.0f / 3.0f, FLT_MAX,    -FLT_MAX,    FLT_MIN, FLT_TRUE_MIN,
                            16777217.0f, 123456.79f, 0.30000001f, 2.5e-20f};
    for (float value : values) {
        Scene scene{};
        scene.x = value;
        scene.z = -value;
        scene.yaw = value * 0.5f;
        scene.pitch = value;
        char text[ViewTextCapacity];
        FormatViewText(text, 7, scene);
        const CameraOverride camera = CameraOf(text);
        EXPECT_TRUE(SameBits(camera.pose.x, scene.x)) << text;
        EXPECT_TRUE(SameBits(camera.pose.z, scene.z)) << text;
        EXPECT_TRUE(SameBits(camera.pose.yaw, scene.yaw)) << text;
        EXPECT_TRUE(SameBits(camera.pose.pitch, scene.pitch)) << text;
    }
}

} // namespace
