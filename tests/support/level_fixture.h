// The level as the program builds it from the generated data set, for tests that render real
// frames. Everything it sets up is released again when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "demo/demo_format.h"
#include "render/frame.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/renderer.h"
#include "scene/level.h"
#include "startup/startup.h"
#include "support/scene_test_support.h"

class LevelFixture : public SceneTest {
  protected:
    void SetUp() override {
        BuildColourTables();
        ASSERT_EQ(LoadModelSet(DRAV_DATA_DIR), ModelSlotCount);
        scene = BuildWorld();
    }
    void TearDown() override {
        SceneTest::TearDown();
        FreeModelSet();
    }
    // The scale-1 frame and the single-threaded renderer that draws into it.
    std::vector<uint8_t> frame = std::vector<uint8_t>(FrameSize);
    std::unique_ptr<Renderer> renderer = CreateRenderer(1, 1, frame.data(), FrameWidth);
};

// 64-bit FNV-1a of a block of bytes, the digest demo files keep of frames.
inline uint64_t Fnv1a(const uint8_t* bytes, size_t size) {
    return DigestBytes(DigestStart, bytes, size);
}
