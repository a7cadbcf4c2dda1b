// The level as the demo builds it from the generated data set, for tests that render real
// frames. Everything it sets up is released again when the test ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/demo_format.h"
#include "app/frame.h"
#include "app/startup.h"
#include "render/frame_buffer.h"
#include "scene/level.h"
#include "scene_test_support.h"

class DemoLevelTest : public SceneTest {
  protected:
    void SetUp() override {
        FrameBuffer = frame.data();
        BuildColourTables();
        ASSERT_EQ(LoadModelSet(DRAV_DATA_DIR), ModelSlotCount);
        FillProjectionMatrix();
        scene = BuildLevel();
    }
    void TearDown() override {
        SceneTest::TearDown();
        for (const ModelSlot& slot : ModelSlots) {
            FreeModel(*slot.slot);
            *slot.slot = nullptr;
        }
        FrameBuffer = nullptr;
    }
    std::vector<uint8_t> frame = std::vector<uint8_t>(FrameSize);
};

// 64-bit FNV-1a of a block of bytes, the digest demo files keep of frames.
inline uint64_t Fnv1a(const uint8_t* bytes, size_t size) {
    return DigestBytes(DigestStart, bytes, size);
}
