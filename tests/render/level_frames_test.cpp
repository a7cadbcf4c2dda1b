// Guards every pixel of the renderer: frames of the level at fixed cameras and tick counts are
// compared, by digest, with the frames the renderer drew before it was optimised. Any change of
// a single pixel anywhere in the pipeline (tick, view, culling, sort, setup, rasteriser, fog
// table) changes a digest.
//
// The digests depend on the generated data set as well: a change to the data generator needs
// them recorded again (a failure prints the new value of each frame).
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>

#include "render/palette.h"
#include "render/render_state.h"
#include "scene/level.h"
#include "scene/tick.h"
#include "support/level_fixture.h"

namespace {

struct Pose {
    const char* name;
    uint32_t ticks; // ticks with no key down before the frame
    float x, z, yaw, pitch, roll;
    uint64_t digest;
};

// Start of the level at (18, 2), yaw 1. World x is 2 * (column - 13), z is 2 * (row - 6).
constexpr float HalfPi = 1.57079633f;
constexpr float Pi = 3.14159265f;
const Pose Poses[] = {
    {"start", 0, 18.0f, 2.0f, 1.0f, 0.0f, 0.0f, 0x600f943c141fdd86},
    {"start after 100 ticks", 100, 18.0f, 2.0f, 1.0f, 0.0f, 0.0f, 0xcffa0dd0af91e195},
    {"start after 5000 ticks", 5000, 18.0f, 2.0f, 1.0f, 0.0f, 0.0f, 0x2a82d8efce7a3ec3},
    {"north corridor looking east", 0, -2.0f, -8.0f, -HalfPi, 0.0f, 0.0f, 0x8fde40fc9471ad08},
    {"north corridor looking west", 30, 24.0f, -9.0f, HalfPi, 0.0f, 0.0f, 0xd8c9d963f84c064c},
    {"row of tables looking west", 0, 18.0f, 0.0f, HalfPi, 0.0f, 0.0f, 0x4e256907c6b03704},
    {"east wall close up", 0, 25.2f, -2.0f, -HalfPi, 0.0f, 0.0f, 0x10eb715edd3c930b},
    {"wall at the near limit", 0, 25.0f, -2.0f, -HalfPi, 0.0f, 0.0f, 0x7f2c67a89a3f6ec1},
    {"inside a wall block", 0, 26.0f, 0.0f, 0.7f, 0.0f, 0.0f, 0x5b3b6ca04aacec8a},
    {"column close up", 0, -22.0f, -7.3f, Pi, 0.0f, 0.0f, 0xfc0584dd48ce46b4},
    {"heart ahead", 40, 12.0f, 2.0f, HalfPi, 0.0f, 0.0f, 0x5445236d83bbfba6},
    {"heart close up", 77, 22.5f, 0.0f, -HalfPi, -0.1f, 0.0f, 0x8100c602b53fd88f},
    {"looking up", 0, 18.0f, 2.0f, 1.0f, 0.6f, 0.0f, 0x98a8d645cc7e5e8d},
    {"ceiling", 0, 18.0f, 2.0f, 1.0f, 1.45f, 0.0f, 0x394367e27128e2b6},
    {"looking down", 0, 18.0f, 2.0f, 1.0f, -0.6f, 0.0f, 0x69281f11977bbe87},
    {"floor", 0, 18.0f, 2.0f, 1.0f, -1.5f, 0.0f, 0xc87dc5edfbba0d78},
    {"pitched past pi", 0, 0.0f, 0.0f, 0.3f, 3.5f, 0.0f, 0xa37c87f44ac37135},
    {"rolled", 0, 18.0f, 2.0f, 1.0f, 0.2f, 0.4f, 0x5e165d9c60ca1a3c},
    {"outside facing the level", 0, 0.0f, -17.0f, 0.0f, 0.0f, 0.0f, 0x95b4c8ffb7877bd8},
    {"outside facing away", 0, 0.0f, 100.0f, 0.0f, 0.0f, 0.0f, 0x3e698ade8fe59f25},
    {"over the open south edge", 0, 28.0f, 14.0f, 2.4f, -0.3f, 0.0f, 0x2ddcb373b98d383a},
};

class LevelFramesTest : public LevelFixture {
  protected:
    uint64_t RenderPose(uint32_t ticks, float x, float z, float yaw, float pitch, float roll) {
        for (uint32_t i = 0; i < ticks; ++i) {
            RunTick(*scene, [](Key) { return false; });
        }
        SetCameraPose(*scene, CameraPose{x, z, yaw, pitch});
        scene->roll = roll;
        RenderFrame(*renderer, *scene);
        return Fnv1a(frame.data(), frame.size());
    }
};

void ExpectDigest(const char* name, uint64_t actual, uint64_t expected) {
    EXPECT_EQ(actual, expected) << name << ": now 0x" << std::hex << actual;
}

TEST_F(LevelFramesTest, FogTableIsUnchanged) {
    ExpectDigest("fog table", Fnv1a(FogTable, FogTableSize), 0xc58c9d45b3f677c6);
}

TEST_F(LevelFramesTest, PosesAcrossTheLevelDrawTheRecordedFrames) {
    // Each pose starts from a fresh level so that its ticks count from zero.
    for (const Pose& pose : Poses) {
        DestroyLevel(scene);
        scene = BuildLevel();
        ExpectDigest(pose.name,
                     RenderPose(pose.ticks, pose.x, pose.z, pose.yaw, pose.pitch, pose.roll),
                     pose.digest);
    }
}

// Seeded cameras all over and around the level, one tick apart, at any heading and tilt.
TEST_F(LevelFramesTest, SeededCamerasDrawTheRecordedFrames) {
    const uint64_t expected[] = {
        0x4000a0f9656b6d00, 0xd6cf808e3733e8cf, 0xa2395ef0139707e6, 0x4e6fd7b7b0657972,
        0xd9683ea7daeaacbe, 0x2b54c6a42bfbaae8, 0x8d57ae86d05c998a, 0x95e66fbf4bde9578,
        0x4cb1221ee145ae01, 0xfb0782925d08cb7c, 0xab32042761cc6111, 0x30351d7d4afc6ec,
        0x3cf90613a6dc4497, 0xccae1002b917c3fb, 0x2ab655da3c95bbfd, 0xaf3e8f178bb8aa94,
        0x72a266b92d5ddb98, 0x21a6a35d632f17d,  0xcdb5ad6933738b5,  0x4cc7e78e979e45d3,
        0x519e6994d0424039, 0xadec383c93e52a4c, 0x59c3fa905d323e3a, 0xbaff64aa4e9991c,
        0xd2edf7b9ff8d3207, 0xa80f7a7764d155f6, 0xb3944aa3e2eee0ab, 0x62ddaf8b0d706e43,
        0x2426966f297da726, 0xa4dd8ba6ee96b528, 0x3d6dacbb18bf28e0, 0x7ff1033e3e044afd,
        0xec799c07d3c9efe5, 0xdfec00a2fd4ac919, 0x8585d26c65ec6412, 0x3db7101e6838bc3d,
        0x427871d298566f0,  0xfdd79b795dd15e6f, 0x7e7249e4c87861fc, 0x60b8c4f1e200d141};
    uint32_t state = 12345;
    auto next = [&state](int range) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<uint32_t>(range));
    };
    for (size_t i = 0; i < sizeof expected / sizeof expected[0]; ++i) {
        const float x = static_cast<float>(next(5600) - 2800) / 100.0f;
        const float z = static_cast<float>(next(2800) - 1400) / 100.0f;
        const float yaw = static_cast<float>(next(6284)) / 1000.0f;
        const float pitch = static_cast<float>(next(3000) - 1500) / 1000.0f;
        char name[32];
        std::snprintf(name, sizeof name, "seeded camera %zu", i);
        ExpectDigest(name, RenderPose(1, x, z, yaw, pitch, 0.0f), expected[i]);
    }
}

// A walk from the start through the demo's own tick: keys held for a number of ticks each, with
// a frame after every segment.
struct Segment {
    Key first, second;
    uint32_t ticks;
    uint64_t digest;
};

Key HeldKeys[2];

bool WalkKeyDown(Key key) {
    return key == HeldKeys[0] || key == HeldKeys[1];
}

TEST_F(LevelFramesTest, WalkFromTheStartDrawsTheRecordedFrames) {
    const Segment walk[] = {
        {Key::Up, Key::Up, 300, 0x7ef14e50ca9bf3f7},
        {Key::Right, Key::Right, 63, 0x5f46a7b0132df745},
        {Key::Up, Key::Right, 80, 0xfecb7fb958f40d4a},
        {Key::PageUp, Key::PageUp, 40, 0x3248f941b7cbd438},
        {Key::Down, Key::Down, 120, 0x124bdbdacba5b8e8},
        {Key::End, Key::Left, 126, 0xbacd5246848821ec},
        {Key::Up, Key::PageDown, 200, 0x9438454298a8da5},
        {Key::Up, Key::Up, 400, 0x4cee329ac7846cbe},
    };
    uint32_t segmentIndex = 0;
    for (const Segment& segment : walk) {
        HeldKeys[0] = segment.first;
        HeldKeys[1] = segment.second;
        for (uint32_t i = 0; i < segment.ticks; ++i) {
            RunTick(*scene, WalkKeyDown);
        }
        RenderFrame(*renderer, *scene);
        char name[32];
        std::snprintf(name, sizeof name, "walk segment %u", segmentIndex++);
        ExpectDigest(name, Fnv1a(frame.data(), frame.size()), segment.digest);
    }
}

} // namespace
