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

#include "app/tick.h"
#include "demo_level.h"
#include "render/palette.h"
#include "render/render_state.h"

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
    {"start", 0, 18.0f, 2.0f, 1.0f, 0.0f, 0.0f, 0x275a01e851ff668d},
    {"start after 100 ticks", 100, 18.0f, 2.0f, 1.0f, 0.0f, 0.0f, 0x393c3a2aaa42f991},
    {"start after 5000 ticks", 5000, 18.0f, 2.0f, 1.0f, 0.0f, 0.0f, 0xde113c90fe1d1ae7},
    {"north corridor looking east", 0, -2.0f, -8.0f, -HalfPi, 0.0f, 0.0f, 0xf1487091f2448d9f},
    {"north corridor looking west", 30, 24.0f, -9.0f, HalfPi, 0.0f, 0.0f, 0x7954c0c688b3513d},
    {"row of tables looking west", 0, 18.0f, 0.0f, HalfPi, 0.0f, 0.0f, 0x491f38b2e216ee15},
    {"east wall close up", 0, 25.2f, -2.0f, -HalfPi, 0.0f, 0.0f, 0xc2e95e627e9b39b2},
    {"wall at the near limit", 0, 25.0f, -2.0f, -HalfPi, 0.0f, 0.0f, 0xca3d656adfa762da},
    {"inside a wall block", 0, 26.0f, 0.0f, 0.7f, 0.0f, 0.0f, 0xc53bc51e899c848e},
    {"column close up", 0, -22.0f, -7.3f, Pi, 0.0f, 0.0f, 0xfc0584dd48ce46b4},
    {"heart ahead", 40, 12.0f, 2.0f, HalfPi, 0.0f, 0.0f, 0x5f84af4f2b82825},
    {"heart close up", 77, 22.5f, 0.0f, -HalfPi, -0.1f, 0.0f, 0xc67b8aa2707779e3},
    {"looking up", 0, 18.0f, 2.0f, 1.0f, 0.6f, 0.0f, 0x53870e4cddf6daff},
    {"ceiling", 0, 18.0f, 2.0f, 1.0f, 1.45f, 0.0f, 0x3d9504fc41bc4444},
    {"looking down", 0, 18.0f, 2.0f, 1.0f, -0.6f, 0.0f, 0x72972ff4948d6ee5},
    {"floor", 0, 18.0f, 2.0f, 1.0f, -1.5f, 0.0f, 0xec1b1d54e5ae8c45},
    {"pitched past pi", 0, 0.0f, 0.0f, 0.3f, 3.5f, 0.0f, 0xc82d6dce4578f913},
    {"rolled", 0, 18.0f, 2.0f, 1.0f, 0.2f, 0.4f, 0x24e8b607470eb930},
    {"outside facing the level", 0, 0.0f, -17.0f, 0.0f, 0.0f, 0.0f, 0x95b4c8ffb7877bd8},
    {"outside facing away", 0, 0.0f, 100.0f, 0.0f, 0.0f, 0.0f, 0x3e698ade8fe59f25},
    {"over the open south edge", 0, 28.0f, 14.0f, 2.4f, -0.3f, 0.0f, 0xb1ef025afcbb247c},
};

class LevelFramesTest : public DemoLevelTest {
  protected:
    uint64_t RenderPose(uint32_t ticks, float x, float z, float yaw, float pitch, float roll) {
        for (uint32_t i = 0; i < ticks; ++i) {
            RunTick(*scene, [](Key) { return false; });
        }
        scene->x = x;
        scene->z = z;
        scene->yaw = yaw;
        scene->pitch = pitch;
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
        RemoveAllAnimators();
        DestroyScene(scene);
        scene = BuildLevel();
        ExpectDigest(pose.name,
                     RenderPose(pose.ticks, pose.x, pose.z, pose.yaw, pose.pitch, pose.roll),
                     pose.digest);
    }
}

// Seeded cameras all over and around the level, one tick apart, at any heading and tilt.
TEST_F(LevelFramesTest, SeededCamerasDrawTheRecordedFrames) {
    const uint64_t expected[] = {
        0xd183533e3a866cdc, 0xd6cf808e3733e8cf, 0xe11019725ede5f11, 0x4e6fd7b7b0657972,
        0xfa143406e18c4041, 0x904d4532111a784a, 0xcbd3c4f0ffe68e4f, 0x2336471f3cfb84c6,
        0x32c216a8ec82e5a,  0xd00d1cd905ec2f6,  0x3d5031aa9710b066, 0xabe85869355f726c,
        0x5aef6fcac1904742, 0x16cd1c5325dbace9, 0xb35008061272c3f2, 0xf31279627cb1cd93,
        0xa6ea2dc748ab9680, 0x3d76b354504f354a, 0xcdb5ad6933738b5,  0x500039b0c921e0cf,
        0xd3ea13ab1dd4640d, 0xad1a1f60b91335dc, 0x5c85df74906e0488, 0x22405997f398ffc5,
        0x3bb7306e4b0f1ceb, 0x2acbdbadf7482451, 0x7fc40846cb1efa98, 0x655b4c81f453f6cb,
        0x740e356a4503136a, 0xab1dd4b77e4e8f37, 0x3d6dacbb18bf28e0, 0x4aecee0ff919dfda,
        0x12abb5896bb1646f, 0xdfec00a2fd4ac919, 0xb46f7e7ab221bd41, 0x56d0f4858facbe17,
        0xcf2e177be60a3d0e, 0x45540cee7d2aa125, 0xc792a73402e2deb4, 0x3a5214216e732ca3};
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
        {Key::Up, Key::Up, 300, 0x8398fd3b010c0330},
        {Key::Right, Key::Right, 63, 0x7b88a30e30f02b47},
        {Key::Up, Key::Right, 80, 0x16e6d435ef6e7309},
        {Key::PageUp, Key::PageUp, 40, 0x3248f941b7cbd438},
        {Key::Down, Key::Down, 120, 0xc7a3bd3879efaccf},
        {Key::End, Key::Left, 126, 0xbdc221124bc4cd97},
        {Key::Up, Key::PageDown, 200, 0x6c9f822e991aa419},
        {Key::Up, Key::Up, 400, 0xcc5ab02c5de0fb84},
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
