#include <gtest/gtest.h>

#include <vector>

#include "render/frame.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "startup/startup.h"
#include "support/scene_test_support.h"

namespace {

// A renderer drawing into a guarded array, so a clear that strays past the frame shows up.
class FrameTest : public SceneTest {
  protected:
    static constexpr int Guard = 16;
    void SetUp() override {
        pixels.assign(FrameSize + 2 * Guard, 0x55);
        renderer = CreateRenderer(1, 1, pixels.data() + Guard, FrameWidth);
        savedFog = FogTable[0];
        scene = CreateScene();
    }
    void TearDown() override {
        SceneTest::TearDown();
        FogTable[0] = savedFog;
    }
    uint8_t* Frame() { return pixels.data() + Guard; }
    std::vector<uint8_t> pixels;
    std::unique_ptr<Renderer> renderer;
    uint8_t savedFog = 0;
};

TEST_F(FrameTest, ClearFillsExactlyTheFrameWithFogTableByteZero) {
    FogTable[0] = 0xA7;
    FogTable[1] = 0x11;
    ClearFrame(*renderer);
    for (int i = 0; i < Guard; ++i) {
        ASSERT_EQ(pixels[i], 0x55) << "before the frame";
        ASSERT_EQ(pixels[Guard + FrameSize + i], 0x55) << "after the frame";
    }
    for (int i = 0; i < FrameSize; ++i) {
        ASSERT_EQ(Frame()[i], 0xA7) << "pixel " << i;
    }
}

TEST_F(FrameTest, EyeHeightIsOneWithoutAnimators) {
    scene->y = 7.0f;
    SetEyeHeight(*scene);
    EXPECT_EQ(scene->y, 1.0f);
}

TEST_F(FrameTest, EyeHeightBobsWithTheFirstAnimatorsPhase) {
    Animator* first = CreateAnimator(nullptr, nullptr, 0.0f, 0.0f, 0.0f);
    Animator* second = CreateAnimator(nullptr, nullptr, 0.0f, 0.0f, 0.0f);
    second->time = 1.0f;
    SetEyeHeight(*scene);
    EXPECT_EQ(scene->y, 1.0f);
    first->time = 0.0500000007f;
    SetEyeHeight(*scene);
    EXPECT_EQ(scene->y, 1.00049984f);
    first->time = 1.57079637f;
    SetEyeHeight(*scene);
    EXPECT_EQ(scene->y, 1.00999999f);
}

TEST_F(FrameTest, RenderFrameClearsSetsTheEyeAndRenders) {
    FogTable[0] = 3;
    EmptyModel model;
    Mat4 placement;
    SetTranslation(placement, 0.0f, 0.0f, 5.0f);
    CreateNode(scene->root, &model.model, &placement);
    FillProjectionMatrix();
    RenderFrame(*renderer, *scene);
    EXPECT_EQ(scene->y, 1.0f);
    EXPECT_EQ(renderer->frame.drawnModelCount, 1u);
    EXPECT_EQ(Frame()[0], 3);
    EXPECT_EQ(Frame()[FrameSize - 1], 3);
}

} // namespace
