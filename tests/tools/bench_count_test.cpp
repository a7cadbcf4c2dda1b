#include <gtest/gtest.h>

#include "frame_count.h"
#include "render/render_pass.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "support/raster_test_frame.h"
#include "support/scene_test_support.h"

namespace {

// A model three units ahead of the camera at the origin: a triangle that faces the camera
// (14706 pixels), the same triangle wound the other way, and one behind the camera.
class CountFrameTest : public SceneTest {
  protected:
    void SetUp() override {
        FillProjectionMatrix();
        const ModelVertex a = At(-1, -1, 0, 0, 0), b = At(0, 1, 0, 0.5f, 1), c = At(1, -1, 0, 1, 0);
        triangles[0] = ModelTriangle{{a, b, c}};
        triangles[1] = ModelTriangle{{a, c, b}};
        triangles[2] = ModelTriangle{{At(-1, -1, -8), At(0, 1, -8), At(1, -1, -8)}};
        scene = CreateScene();
        AddModelNode();
    }
    void AddModelNode() {
        Mat4 placement;
        SetTranslation(placement, 0.0f, 0.0f, 3.0f);
        CreateNode(scene->root, &model, &placement);
    }
    // Counts with a renderer of their own, as drav-bench does.
    FrameCounts Count() { return CountFrame(WholeFrameWorker(*counting), counting->frame, *scene); }
    Texture texture = ColumnTexture();
    ModelTriangle triangles[3];
    Model model{triangles, 3, &texture};
    std::unique_ptr<Renderer> counting = CreateRenderer(1, 1);
};

// The second model lies exactly behind the first: the pass writes its pixels once, the
// painter's order twice.
TEST_F(CountFrameTest, CountsModelsTrianglesAndPixelsOfTheFrame) {
    AddModelNode();
    const FrameCounts counts = Count();
    EXPECT_EQ(counts.models, 2u);
    EXPECT_EQ(counts.modelsReached, 2u);
    EXPECT_EQ(counts.nearToFar.submitted, 6u);
    EXPECT_EQ(counts.nearToFar.drawn, 2u);
    EXPECT_EQ(counts.nearToFar.pixels, 14706u);
    EXPECT_EQ(counts.farToNear.submitted, 6u);
    EXPECT_EQ(counts.farToNear.drawn, 2u);
    EXPECT_EQ(counts.farToNear.pixels, 2u * 14706u);
}

TEST_F(CountFrameTest, CountsThePixelsTheRenderPassWrites) {
    AddModelNode();
    GuardedFrame frame;
    FogPassesTexel();
    RenderScene(frame.FrameRenderer(), *scene);
    const FrameCounts counts = Count();
    EXPECT_EQ(counts.nearToFar.pixels, static_cast<uint64_t>(frame.WrittenCount()));
    EXPECT_EQ(counts.models, frame.FrameRenderer().frame.drawnModelCount);
}

} // namespace
