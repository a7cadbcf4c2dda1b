// Frames above scale 1: the level drawn by the renderer against a plain per-pixel painter of
// the same rules written for the test, pixel positions of a worked triangle, and the picture
// being drawn at its own resolution rather than enlarged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "render/palette.h"
#include "render/render_pass.h"
#include "render/render_state.h"
#include "support/level_fixture.h"
#include "support/raster_test_frame.h"

namespace {

// A vertex on the pixel grid, in 64 bits so that nothing the reference computes can wrap.
struct PixelVertex {
    int64_t x, y, u, v, shade;
};

// The value of attribute k of the edge from upper to lower at row r, in 16.16: the upper
// vertex's value plus (r - upper.y) increments, each increment truncated once.
int64_t EdgeAt(const PixelVertex& upper, const PixelVertex& lower, int64_t PixelVertex::*k,
               int64_t row) {
    const int64_t step = (lower.*k - upper.*k) * 65536 / (lower.y - upper.y);
    return upper.*k * 65536 + (row - upper.y) * step;
}

// Paints the triangle one pixel at a time from the closed forms of its edges and spans.
void PaintTriangle(const RenderTarget& frame, const Texture& texture, PixelVertex p[3]) {
    std::stable_sort(p, p + 3,
                     [](const PixelVertex& a, const PixelVertex& b) { return a.y < b.y; });
    const PixelVertex &top = p[0], &middle = p[1], &bottom = p[2];
    for (int64_t row = std::max<int64_t>(top.y, 0); row < std::min<int64_t>(bottom.y, frame.height);
         ++row) {
        const PixelVertex& upper = row < middle.y ? top : middle;
        const PixelVertex& lower = row < middle.y ? middle : bottom;
        int64_t one[4], other[4];
        int64_t PixelVertex::*const attributes[4] = {&PixelVertex::x, &PixelVertex::u,
                                                     &PixelVertex::v, &PixelVertex::shade};
        for (int k = 0; k < 4; ++k) {
            one[k] = EdgeAt(upper, lower, attributes[k], row);
            other[k] = EdgeAt(top, bottom, attributes[k], row);
        }
        const bool oneLeft = (one[0] >> 16) < (other[0] >> 16);
        const int64_t* left = oneLeft ? one : other;
        const int64_t* right = oneLeft ? other : one;
        const int64_t x0 = left[0] >> 16, x1 = right[0] >> 16;
        for (int64_t x = std::max<int64_t>(x0, 0); x < std::min<int64_t>(x1, frame.width); ++x) {
            int64_t at[4];
            for (int k = 1; k < 4; ++k) {
                at[k] = left[k] + (x - x0) * ((right[k] - left[k]) / (x1 - x0));
            }
            const uint8_t texel = texture.texels[((at[2] >> 16) & 63) * 64 + ((at[1] >> 16) & 63)];
            TargetRow(frame, static_cast<int32_t>(row))[x] = FogTable[(at[3] >> 16) * 256 + texel];
        }
    }
}

// x = W/2 - nearest(xn * -W/2), and likewise for y with H.
int64_t Pixel(float normalised, int32_t size) {
    const double half = size / 2;
    return static_cast<int64_t>(half - std::nearbyint(normalised * -half));
}

// Sets up one triangle by the rules of triangle setup and paints it; false when dropped.
bool PaintModelTriangle(const RenderTarget& frame, const Mat4& modelView, const Model& model,
                        const ModelTriangle& triangle) {
    Vec3 view[3];
    for (int i = 0; i < 3; ++i) {
        const ModelVertex& m = triangle.vertices[i];
        TransformPoint(modelView, view[i], Vec3{m.x, m.y, m.z});
    }
    if (view[0].z < 0.25f && view[1].z < 0.25f && view[2].z < 0.25f) {
        return false;
    }
    float xn[3], yn[3];
    PixelVertex p[3];
    for (int i = 0; i < 3; ++i) {
        const float z = std::max(view[i].z, 0.25f);
        const double t = (1.0 - (static_cast<double>(z) - 0.25) * 0.06779661f) * 255.0;
        Vec4 q{view[i].x, view[i].y, z, 1.0f};
        TransformVec4(ProjectionMatrix, q, q);
        xn[i] = static_cast<float>(static_cast<double>(q.x) / q.w);
        yn[i] = static_cast<float>(static_cast<double>(q.y) / q.w);
        const ModelVertex& m = triangle.vertices[i];
        p[i].shade = static_cast<int64_t>(std::clamp(std::nearbyint(t), 0.0, 255.0));
        p[i].u = static_cast<int64_t>(std::nearbyint(m.u * 63.0)) & 255;
        p[i].v = static_cast<int64_t>(std::nearbyint(m.v * 63.0)) & 255;
    }
    const double facing =
        (static_cast<double>(yn[2]) - yn[1]) * (static_cast<double>(xn[2]) - xn[0]) -
        (static_cast<double>(yn[2]) - yn[0]) * (static_cast<double>(xn[2]) - xn[1]);
    auto allBeyond = [](const float* n, float limit, bool below) {
        return std::all_of(n, n + 3, [&](float c) { return below ? c < limit : c > limit; });
    };
    if (facing > 0.0 || allBeyond(xn, -1.0f, true) || allBeyond(yn, -1.0f, true) ||
        allBeyond(xn, 1.0f, false) || allBeyond(yn, 1.0f, false)) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        p[i].x = Pixel(xn[i], frame.width);
        p[i].y = Pixel(yn[i], frame.height);
    }
    PaintTriangle(frame, *model.texture, p);
    return true;
}

// The frame painted far to near from the renderer's own sorted draw list (culling and depth
// order do not depend on the scale).
void PaintFrame(const RenderTarget& frame, const FrameState& state) {
    for (int32_t row = 0; row < frame.height; ++row) {
        std::memset(TargetRow(frame, row), FogTable[0], static_cast<size_t>(frame.width));
    }
    for (uint32_t i = state.drawList.count; i > 0; --i) {
        const DrawEntry& entry = state.drawList.entries[i - 1];
        Mat4 modelView;
        SetIdentity(modelView);
        PostMultiply(modelView, state.viewMatrix);
        PostMultiply(modelView, entry.world);
        for (int32_t t = 0; t < entry.model->triangleCount; ++t) {
            PaintModelTriangle(frame, modelView, *entry.model, entry.model->triangles[t]);
        }
    }
}

class ScaledFramesTest : public LevelFixture {
  protected:
    void PlaceCamera(float x, float z, float yaw, float pitch) {
        SetCameraPose(*scene, CameraPose{x, z, yaw, pitch});
    }
};

TEST_F(ScaledFramesTest, LevelFramesMatchAPlainPainterAtEveryPixel) {
    struct Camera {
        int32_t scale;
        float x, z, yaw, pitch;
    };
    const Camera cameras[] = {
        {2, 18.0f, 2.0f, 1.0f, 0.0f},      {2, -2.0f, -8.0f, -1.5708f, 0.0f},
        {2, 25.0f, -2.0f, -1.5708f, 0.0f}, {2, 18.0f, 2.0f, 1.0f, 1.45f},
        {2, 0.0f, 0.0f, 0.3f, 3.5f},       {2, 26.0f, 0.0f, 0.7f, 0.0f},
        {3, 12.0f, 2.0f, 1.5708f, -0.3f},  {4, 18.0f, 0.0f, 1.5708f, 0.0f},
        {4, -22.0f, -7.3f, 3.1416f, 0.0f}, {4, 28.0f, 14.0f, 2.4f, -0.3f},
    };
    for (const Camera& c : cameras) {
        const std::unique_ptr<Renderer> renderer = CreateRenderer(c.scale, 1);
        PlaceCamera(c.x, c.z, c.yaw, c.pitch);
        RenderFrame(*renderer, *scene);
        const RenderTarget& drawn = renderer->target;
        std::vector<uint8_t> painted(static_cast<size_t>(drawn.width) * drawn.height);
        PaintFrame(PackedTarget(painted.data(), drawn.width, drawn.height), renderer->frame);
        size_t differing = 0;
        for (size_t i = 0; i < painted.size(); ++i) {
            differing += painted[i] != drawn.pixels[i];
        }
        EXPECT_EQ(differing, 0u) << "scale " << c.scale << " camera " << c.x << "," << c.z;
    }
}

// The worked triangle of triangle setup: at scale 2 its corners map to columns 320 -+ 172 and
// rows 240 -+ 172 (half of 640 and 480 times 0.5361267 and 0.7148356, rounded).
TEST(ScaledTriangleSetup, CornersLandWhereTheScaledMappingPutsThem) {
    const std::unique_ptr<Renderer> renderer = CreateRenderer(2, 1);
    WorkerState& worker = WholeFrameWorker(*renderer);
    FillProjectionMatrix();
    SetIdentity(worker.modelViewMatrix);
    ScreenVertex screen[3];
    ASSERT_TRUE(SetUpTriangle(worker, At(-1, -1, 3), At(0, 1, 3), At(1, -1, 3), screen));
    EXPECT_EQ(screen[0].x, 492);
    EXPECT_EQ(screen[0].y, 412);
    EXPECT_EQ(screen[1].x, 320);
    EXPECT_EQ(screen[1].y, 68);
    EXPECT_EQ(screen[2].x, 148);
    EXPECT_EQ(screen[2].y, 412);

    // Drawn, its apex row is empty, the next holds column 319 alone, and its last row runs
    // from column 148 to 490; nothing lies below.
    const Texture texture = ColumnTexture();
    FogPassesTexel();
    worker.currentTexture = &texture;
    uint8_t* const pixels = renderer->target.pixels;
    std::memset(pixels, Untouched, 640 * 480);
    RasteriseTriangle(worker, screen[0], screen[1], screen[2]);
    auto written = [&](int x, int y) { return pixels[y * 640 + x] != Untouched; };
    auto rowCount = [&](int y) {
        return std::count_if(pixels + y * 640, pixels + (y + 1) * 640,
                             [](uint8_t p) { return p != Untouched; });
    };
    EXPECT_EQ(rowCount(68), 0);
    EXPECT_EQ(rowCount(69), 1);
    EXPECT_TRUE(written(319, 69));
    EXPECT_EQ(rowCount(411), 490 - 148 + 1);
    EXPECT_TRUE(written(148, 411));
    EXPECT_TRUE(written(490, 411));
    EXPECT_EQ(rowCount(412), 0);
}

// A frame at scale 2 is drawn at its own resolution: it is not the scale-1 frame with every
// pixel doubled, though it shows the same view.
TEST_F(ScaledFramesTest, TheStartViewAtScaleTwoIsNotAnEnlargedScaleOneFrame) {
    const std::unique_ptr<Renderer> single = CreateRenderer(1, 1);
    const std::unique_ptr<Renderer> doubled = CreateRenderer(2, 1);
    PlaceCamera(18.0f, 2.0f, 1.0f, 0.0f);
    RenderFrame(*single, *scene);
    RenderFrame(*doubled, *scene);
    size_t differing = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            differing +=
                doubled->target.pixels[y * 640 + x] != single->target.pixels[(y / 2) * 320 + x / 2];
        }
    }
    EXPECT_GT(differing, 640u * 480u / 20u);
    EXPECT_LT(differing, 640u * 480u / 2u);
    EXPECT_EQ(doubled->frame.drawnModelCount, single->frame.drawnModelCount);
}

} // namespace
