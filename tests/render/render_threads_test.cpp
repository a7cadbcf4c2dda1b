// Frames drawn by several threads, each into its own band of rows, against the same frames
// drawn by one; and the renderer's limits. The thread-sanitizer build runs these.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/renderer.h"
#include "support/level_fixture.h"

namespace {

// Open views, walls at the near limit, a view from inside a block and from outside the level.
const CameraPose Cameras[] = {
    {18.0f, 2.0f, 1.0f, 0.0f},  {-2.0f, -8.0f, -1.5708f, 0.0f}, {25.0f, -2.0f, -1.5708f, 0.0f},
    {26.0f, 0.0f, 0.7f, 0.0f},  {18.0f, 2.0f, 1.0f, 1.45f},     {0.0f, 0.0f, 0.3f, 3.5f},
    {0.0f, -17.0f, 0.0f, 0.0f}, {12.0f, 2.0f, 1.5708f, -0.3f},
};

class RendererThreadsTest : public LevelFixture {
  protected:
    void Render(Renderer& renderer, const CameraPose& c) {
        SetCameraPose(*scene, c);
        RenderFrame(renderer, *scene);
    }
};

TEST_F(RendererThreadsTest, AnyThreadCountDrawsTheSameBytesAtAnyScale) {
    for (const int32_t scale : {1, 2, 4}) {
        const std::unique_ptr<Renderer> single = CreateRenderer(scale, 1);
        std::vector<std::unique_ptr<Renderer>> several;
        for (const int32_t threads : {2, 3, 8}) {
            several.push_back(CreateRenderer(scale, threads));
        }
        const size_t bytes = static_cast<size_t>(single->target.width) * single->target.height;
        for (const CameraPose& c : Cameras) {
            Render(*single, c);
            for (const std::unique_ptr<Renderer>& renderer : several) {
                // A stale frame must not pass for a drawn one.
                std::memset(renderer->target.pixels, 0xEE, bytes);
                Render(*renderer, c);
                EXPECT_EQ(std::memcmp(renderer->target.pixels, single->target.pixels, bytes), 0)
                    << "scale " << scale << ", " << renderer->workers.size() << " threads, camera "
                    << c.x << "," << c.z;
                EXPECT_EQ(renderer->frame.drawnModelCount, single->frame.drawnModelCount);
            }
        }
    }
}

// Two renderers on different threads' worth of state draw side by side without disturbing
// each other, as the window's frame and a side frame do.
TEST_F(RendererThreadsTest, TwoRenderersDrawIndependently) {
    const std::unique_ptr<Renderer> window = CreateRenderer(2, 2);
    const std::unique_ptr<Renderer> side = CreateRenderer(1, 1);
    const std::unique_ptr<Renderer> alone = CreateRenderer(1, 1);
    Render(*alone, Cameras[1]);
    Render(*side, Cameras[1]);
    Render(*window, Cameras[0]);
    EXPECT_EQ(std::memcmp(side->target.pixels, alone->target.pixels, FrameSize), 0);
}

// Rows at a pitch wider than the frame: the bytes between rows are left alone.
TEST_F(RendererThreadsTest, DrawsIntoCallerPixelsAtTheirPitch) {
    constexpr int32_t Pitch = 2 * FrameWidth + 24;
    constexpr uint8_t Gap = 0xA5;
    std::vector<uint8_t> pixels(static_cast<size_t>(Pitch) * 2 * FrameHeight, Gap);
    const std::unique_ptr<Renderer> pitched = CreateRenderer(2, 3, pixels.data(), Pitch);
    const std::unique_ptr<Renderer> packed = CreateRenderer(2, 1);
    ASSERT_NE(pitched, nullptr);
    Render(*pitched, Cameras[0]);
    Render(*packed, Cameras[0]);
    for (int32_t row = 0; row < 2 * FrameHeight; ++row) {
        const uint8_t* drawn = pixels.data() + static_cast<size_t>(row) * Pitch;
        ASSERT_EQ(std::memcmp(drawn, TargetRow(packed->target, row), 2 * FrameWidth), 0) << row;
        for (int32_t x = 2 * FrameWidth; x < Pitch; ++x) {
            ASSERT_EQ(drawn[x], Gap) << "row " << row << " column " << x;
        }
    }
}

TEST(CreateRenderer, RefusesValuesOutOfRange) {
    uint8_t pixels[FrameSize];
    EXPECT_EQ(CreateRenderer(0, 1), nullptr);
    EXPECT_EQ(CreateRenderer(MaxFrameScale + 1, 1), nullptr);
    EXPECT_EQ(CreateRenderer(1, 0), nullptr);
    EXPECT_EQ(CreateRenderer(1, MaxRenderThreads + 1), nullptr);
    EXPECT_EQ(CreateRenderer(1, 1, pixels, FrameWidth - 1), nullptr);
    const std::unique_ptr<Renderer> largest = CreateRenderer(MaxFrameScale, 2);
    ASSERT_NE(largest, nullptr);
    EXPECT_EQ(largest->target.width, 2560);
    EXPECT_EQ(largest->target.height, 1920);
}

} // namespace
