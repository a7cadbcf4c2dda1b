#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "render/render_pass.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "support/raster_test_frame.h"
#include "support/scene_test_support.h"

namespace {

constexpr float HalfPi = 1.57079633f;

class RenderPassTest : public SceneTest {
  protected:
    void SetUp() override {
        FillProjectionMatrix();
        scene = CreateScene();
    }
    void TearDown() override {
        SceneTest::TearDown();
        FillProjectionMatrix();
    }
    Renderer& renderer() { return frame.FrameRenderer(); }
    FrameState& state() { return renderer().frame; }
    DrawEntryList& drawList() { return state().drawList; }
    SceneNode* Place(Model* model, float x, float y, float z, SceneNode* parent = nullptr) {
        Mat4 placement;
        SetTranslation(placement, x, y, z);
        return CreateNode(parent != nullptr ? parent : scene->root, model, &placement);
    }
    void SetCamera(float x, float y, float z, float yaw = 0.0f) {
        scene->x = x;
        scene->y = y;
        scene->z = z;
        scene->yaw = yaw;
    }
    EmptyModel model;
    GuardedFrame frame;
};

TEST_F(RenderPassTest, EmptySceneDrawsNothing) {
    state().drawnModelCount = 77;
    RenderScene(renderer(), *scene);
    EXPECT_EQ(state().drawnModelCount, 0u);
    EXPECT_EQ(drawList().count, 0u);
}

TEST_F(RenderPassTest, CullsByTheProjectedOriginAlongTheViewAxis) {
    SetCamera(0.0f, 1.0f, 0.0f);
    Place(&model.model, 0.0f, 0.0f, 5.0f);
    Place(&model.model, 0.0f, 0.0f, -5.0f);
    Place(&model.model, 0.0f, 0.0f, 17.0f);
    Place(&model.model, 0.0f, 0.0f, 16.9f);
    CollectDrawList(state(), *scene);
    ASSERT_EQ(drawList().count, 2u);
    // -1.0338984 * 5 - 0.5084746 falls exactly halfway between two floats and rounds to even.
    EXPECT_EQ(drawList().entries[0].depth, 5.67796612f);
    EXPECT_EQ(drawList().entries[0].model, &model.model);
    ExpectTranslation(drawList().entries[0].world, 0.0f, 0.0f, 5.0f);
    EXPECT_EQ(drawList().entries[1].depth, 17.9813557f);
}

TEST_F(RenderPassTest, ModelsAboveAndBelowTheViewAreKept) {
    SetCamera(0.0f, 1.0f, 0.0f);
    Place(&model.model, 0.0f, 500.0f, 5.0f);
    Place(&model.model, 0.0f, -500.0f, 5.0f);
    RenderScene(renderer(), *scene);
    EXPECT_EQ(state().drawnModelCount, 2u);
}

TEST_F(RenderPassTest, ModelAtTheEyeOrStraightAboveItIsDropped) {
    SetCamera(3.0f, 1.0f, 4.0f);
    Place(&model.model, 3.0f, 1.0f, 4.0f);
    Place(&model.model, 3.0f, 40.0f, 4.0f);
    RenderScene(renderer(), *scene);
    EXPECT_EQ(state().drawnModelCount, 0u);
}

TEST_F(RenderPassTest, ViewMatrixAtTheLevelStart) {
    SetCamera(18.0f, 1.0f, 2.0f, 1.0f);
    CollectDrawList(state(), *scene);
    const float expected[16] = {
        0.540302277f,  0.0f, 0.841470957f, -11.4083824f, 0.0f, 1.0f, 0.0f, -1.0f,
        -0.841470957f, 0.0f, 0.540302277f, 14.0658722f,  0.0f, 0.0f, 0.0f, 1.0f};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(state().viewMatrix.m[i], expected[i]) << "element " << i;
    }
}

TEST_F(RenderPassTest, FloorTilesAroundTheLevelStart) {
    SetCamera(18.0f, 1.0f, 2.0f, 1.0f);
    EmptyModel left, behind, aside, ceiling;
    Place(&left.model, 16.0f, 0.0f, 2.0f);
    Place(&behind.model, 20.0f, 0.0f, 2.0f);
    Place(&aside.model, 18.0f, 0.0f, 4.0f);
    Place(&ceiling.model, 18.0f, 3.0f, 2.0f);
    CollectDrawList(state(), *scene);
    ASSERT_EQ(drawList().count, 2u);
    EXPECT_EQ(drawList().entries[0].model, &left.model);
    EXPECT_NEAR(drawList().entries[0].depth, 2.2485, 5e-5);
    EXPECT_EQ(drawList().entries[1].model, &aside.model);
}

TEST_F(RenderPassTest, ViewLooksAlongPositiveZAndTurnsWithYaw) {
    SetCamera(0.0f, 0.0f, 0.0f, HalfPi);
    EmptyModel front, back;
    Place(&front.model, -1.0f, 0.0f, 0.0f);
    Place(&back.model, 1.0f, 0.0f, 0.0f);
    CollectDrawList(state(), *scene);
    ASSERT_EQ(drawList().count, 1u);
    EXPECT_EQ(drawList().entries[0].model, &front.model);
    // View-space z 1 projects to q.z = -1.0338984 - 0.5084746.
    EXPECT_EQ(drawList().entries[0].depth, 1.54237294f);
}

// With an identity projection q is the view-space origin with w = 1: q.z is the world z and r
// the world x, so the exact culling bounds can be placed directly.
TEST_F(RenderPassTest, CullingBoundsAreStrict) {
    SetIdentity(ProjectionMatrix);
    const float justInside = std::nextafter(-0.25f, -1.0f);
    const struct {
        float x, z;
        bool kept;
    } cases[] = {
        {0.0f, -0.25f, false}, {0.0f, justInside, true},
        {0.0f, -18.0f, false}, {0.0f, std::nextafter(-18.0f, 0.0f), true},
        {3.0f, -1.0f, false},  {std::nextafter(3.0f, 0.0f), -1.0f, true},
        {-3.0f, -1.0f, false}, {std::nextafter(-3.0f, 0.0f), -1.0f, true},
    };
    for (const auto& c : cases) {
        DestroyScene(scene);
        scene = CreateScene();
        Place(&model.model, c.x, 0.0f, c.z);
        CollectDrawList(state(), *scene);
        EXPECT_EQ(drawList().count, c.kept ? 1u : 0u) << "x " << c.x << " z " << c.z;
    }
}

TEST_F(RenderPassTest, OriginsWithTinyWAreDropped) {
    SetIdentity(ProjectionMatrix);
    Place(&model.model, 0.0f, 0.0f, -1.0f);
    ProjectionMatrix.at(3, 3) = 0.01f;
    CollectDrawList(state(), *scene);
    EXPECT_EQ(drawList().count, 0u);
    ProjectionMatrix.at(3, 3) = -0.01f;
    CollectDrawList(state(), *scene);
    EXPECT_EQ(drawList().count, 0u);
    ProjectionMatrix.at(3, 3) = std::nextafter(0.01f, 1.0f);
    CollectDrawList(state(), *scene);
    EXPECT_EQ(drawList().count, 1u);
}

TEST_F(RenderPassTest, NestedLocalMatricesActFromTheRootDown) {
    Mat4 turn;
    SetRotation(turn, 0.0f, 1.0f, 0.0f, HalfPi);
    SceneNode* moved = Place(nullptr, 10.0f, 0.0f, 0.0f);
    CreateNode(moved, &model.model, &turn);
    // Looking along -z, where the child's origin ends up.
    SetCamera(0.0f, 0.0f, 0.0f, 2.0f * HalfPi);
    CollectDrawList(state(), *scene);
    ASSERT_EQ(drawList().count, 1u);
    const Mat4& world = drawList().entries[0].world;
    EXPECT_NEAR(world.at(0, 3), 0.0f, 1e-5);
    EXPECT_EQ(world.at(1, 3), 0.0f);
    EXPECT_FLOAT_EQ(world.at(2, 3), -10.0f);
}

TEST_F(RenderPassTest, TraversalComposesOntoTheParentsMatrix) {
    SceneNode* group = Place(nullptr, 1.0f, 2.0f, 3.0f);
    Place(&model.model, 4.0f, 5.0f, 6.0f, group);
    Mat4 parent;
    SetTranslation(parent, -5.0f, -6.0f, -3.0f);
    SetIdentity(state().viewMatrix);
    drawList().count = 0;
    TraverseNode(state(), *scene->root, parent);
    // The model's origin lies at z = 6 in view space, inside the culling bounds.
    ASSERT_EQ(drawList().count, 1u);
    ExpectTranslation(drawList().entries[0].world, 0.0f, 1.0f, 6.0f);
}

TEST_F(RenderPassTest, CulledModelsStillPassTheirMatrixToChildren) {
    SetCamera(0.0f, 0.0f, 0.0f);
    EmptyModel parent, child;
    SceneNode* behind = Place(&parent.model, 0.0f, 0.0f, -5.0f);
    Place(&child.model, 0.0f, 0.0f, 10.0f, behind);
    CollectDrawList(state(), *scene);
    ASSERT_EQ(drawList().count, 1u);
    EXPECT_EQ(drawList().entries[0].model, &child.model);
    ExpectTranslation(drawList().entries[0].world, 0.0f, 0.0f, 5.0f);
}

TEST_F(RenderPassTest, RootWithAModelIsCulledAndDrawnLikeAnyNode) {
    scene->root->model = &model.model;
    SetTranslation(scene->root->local, 0.0f, 0.0f, 4.0f);
    RenderScene(renderer(), *scene);
    EXPECT_EQ(state().drawnModelCount, 1u);
}

TEST_F(RenderPassTest, AFullListKeepsTheFirstModelsInTraversalOrder) {
    EmptyModel far, near;
    for (int i = 0; i < 1024; ++i) {
        Place(&far.model, 0.0f, 0.0f, 8.0f);
    }
    for (int i = 0; i < 76; ++i) {
        Place(&near.model, 0.0f, 0.0f, 2.0f);
    }
    RenderScene(renderer(), *scene);
    EXPECT_EQ(state().drawnModelCount, 1024u);
    // The near ones never made it into the list: only far models were drawn.
    for (uint32_t i = 0; i < drawList().count; ++i) {
        ASSERT_EQ(drawList().entries[i].model, &far.model);
    }
    EXPECT_EQ(frame.Worker().currentTexture, &far.texture);
}

// A model of one triangle of one colour that, placed depth units ahead of a camera at the
// origin, covers the middle of the picture (about 14700 pixels, the same at any depth).
struct FlatModel {
    FlatModel(uint8_t colour, float depth) {
        std::memset(texture.texels, colour, sizeof texture.texels);
        const float r = depth / 3.0f;
        triangle.vertices[0] = At(-r, -r, 0.0f);
        triangle.vertices[1] = At(0.0f, r, 0.0f);
        triangle.vertices[2] = At(r, -r, 0.0f);
    }
    Texture texture;
    ModelTriangle triangle;
    Model model{&triangle, 1, &texture};
};

class RenderPassDrawingTest : public RenderPassTest {
  protected:
    void SetUp() override {
        RenderPassTest::SetUp();
        FogPassesTexel();
    }
    // Renders in both orders; both must leave the same frame. Returns the middle pixel.
    uint8_t RenderMiddlePixel() {
        frame.Clear();
        RenderSceneIn(renderer(), DrawOrder::FarToNear, *scene);
        std::vector<uint8_t> farToNear(frame.Pixels(), frame.Pixels() + FrameSize);
        frame.Clear();
        RenderScene(renderer(), *scene);
        EXPECT_EQ(std::memcmp(frame.Pixels(), farToNear.data(), FrameSize), 0);
        return frame.At(160, 120);
    }
};

TEST_F(RenderPassDrawingTest, NearerModelsCoverFartherOnesInEitherOrder) {
    FlatModel far(7, 9.0f), near(9, 2.0f);
    Place(&near.model, 0.0f, 0.0f, 2.0f);
    Place(&far.model, 0.0f, 0.0f, 9.0f);
    SetCamera(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(RenderMiddlePixel(), 9);
    EXPECT_EQ(state().drawnModelCount, 2u);
    EXPECT_GT(frame.WrittenCount(), 14000);
}

TEST_F(RenderPassDrawingTest, FarToNearLeavesTheNearestModelsState) {
    EmptyModel far, near;
    Place(&near.model, 0.0f, 0.0f, 2.0f);
    Place(&far.model, 0.0f, 0.0f, 9.0f);
    SetCamera(0.0f, 0.0f, -1.0f);
    RenderSceneIn(renderer(), DrawOrder::FarToNear, *scene);
    EXPECT_EQ(state().drawnModelCount, 2u);
    EXPECT_EQ(frame.Worker().currentTexture, &near.texture);
    ExpectTranslation(frame.Worker().modelViewMatrix, 0.0f, 0.0f, 3.0f);
}

TEST_F(RenderPassDrawingTest, EqualDepthsKeepTraversalOrderSoTheFirstEndsOnTop) {
    FlatModel floor(3, 5.0f), heart(4, 5.0f);
    Place(&floor.model, 0.0f, 0.0f, 5.0f);
    Place(&heart.model, 0.0f, 0.0f, 5.0f);
    SetCamera(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(RenderMiddlePixel(), 3);
}

TEST_F(RenderPassDrawingTest, ACoveredFrameHidesTheModelsBehindIt) {
    // Three triangles at depth 0.5 that together cover the whole picture, a model behind.
    FlatModel wall(5, 0.5f), behind(6, 4.0f);
    ModelTriangle cover[2];
    cover[0].vertices[0] = At(-9.0f, -9.0f, 0.0f);
    cover[0].vertices[1] = At(-9.0f, 9.0f, 0.0f);
    cover[0].vertices[2] = At(9.0f, -9.0f, 0.0f);
    cover[1].vertices[0] = At(9.0f, 9.0f, 0.0f);
    cover[1].vertices[1] = At(9.0f, -9.0f, 0.0f);
    cover[1].vertices[2] = At(-9.0f, 9.0f, 0.0f);
    wall.model.triangles = cover;
    wall.model.triangleCount = 2;
    Place(&wall.model, 0.0f, 0.0f, 0.5f);
    Place(&behind.model, 0.0f, 0.0f, 4.0f);
    SetCamera(0.0f, 0.0f, 0.0f);
    EXPECT_EQ(RenderMiddlePixel(), 5);
    EXPECT_EQ(frame.WrittenCount(), FrameSize);
    EXPECT_EQ(state().drawnModelCount, 2u);
    // Nearest first, the pass stopped after the wall.
    EXPECT_EQ(frame.Worker().currentTexture, &wall.texture);
}

TEST(CompareDepth, OrdersByDepthOnly) {
    DrawEntry a{}, b{};
    a.depth = 1.0f;
    b.depth = 2.0f;
    EXPECT_EQ(CompareDepth(a, b), -1);
    EXPECT_EQ(CompareDepth(b, a), 1);
    b.depth = 1.0f;
    EXPECT_EQ(CompareDepth(a, b), 0);
}

TEST(SortDrawList, SortsNearestFirstAndKeepsEqualDepthsInOrder) {
    const std::unique_ptr<Renderer> renderer = CreateRenderer(1, 1);
    DrawEntryList& list = renderer->frame.drawList;
    // Depths with many repeats; the model field records each entry's original position.
    Model tags[1000];
    list.count = 1000;
    for (uint32_t i = 0; i < list.count; ++i) {
        list.entries[i].depth = static_cast<float>((i * 37) % 50) * 0.25f;
        list.entries[i].model = &tags[i];
        SetTranslation(list.entries[i].world, static_cast<float>(i), 0.0f, 0.0f);
    }
    SortDrawList(renderer->frame);
    for (uint32_t i = 1; i < list.count; ++i) {
        const DrawEntry& previous = list.entries[i - 1];
        const DrawEntry& entry = list.entries[i];
        ASSERT_LE(previous.depth, entry.depth) << "at " << i;
        if (previous.depth == entry.depth) {
            ASSERT_LT(previous.model, entry.model) << "at " << i;
        }
        ASSERT_EQ(entry.world.at(0, 3), static_cast<float>(entry.model - tags));
    }
}

TEST(SortDrawList, HandlesShortLists) {
    const std::unique_ptr<Renderer> renderer = CreateRenderer(1, 1);
    DrawEntryList& list = renderer->frame.drawList;
    Model tags[3];
    const float depths[3] = {3.0f, 1.0f, 2.0f};
    for (uint32_t count = 0; count <= 3; ++count) {
        list.count = count;
        for (uint32_t i = 0; i < count; ++i) {
            list.entries[i].depth = depths[i];
            list.entries[i].model = &tags[i];
        }
        SortDrawList(renderer->frame);
        for (uint32_t i = 1; i < count; ++i) {
            EXPECT_LT(list.entries[i - 1].depth, list.entries[i].depth);
        }
    }
    EXPECT_EQ(list.entries[0].model, &tags[1]);
}

} // namespace
