// Drawing a model through its shared positions must draw exactly what drawing it triangle by
// triangle draws: random models under random views, with vertices behind the camera, beyond
// the screen edges and too far out for 16-bit pixel positions.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "assets/shared_positions.h"
#include "render/coverage.h"
#include "render/render_pass.h"
#include "render/triangle_setup.h"
#include "support/level_fixture.h"
#include "support/raster_test_frame.h"

namespace {

class RandomModel {
  public:
    RandomModel(std::mt19937& random, int positionCount, int triangleCount) {
        std::uniform_real_distribution<float> place(-6.0f, 6.0f), texel(-0.5f, 1.5f);
        std::vector<ModelVertex> positions(positionCount);
        for (ModelVertex& p : positions) {
            p.x = place(random);
            p.y = place(random);
            p.z = place(random);
        }
        positions[0].x = 60.0f; // pixel positions past 16 bits once near-clamped
        std::uniform_int_distribution<int> pick(0, positionCount - 1);
        triangles_.resize(triangleCount);
        for (ModelTriangle& triangle : triangles_) {
            for (ModelVertex& corner : triangle.vertices) {
                corner = positions[pick(random)];
                corner.u = texel(random);
                corner.v = texel(random);
            }
        }
        model.triangles = triangles_.data();
        model.triangleCount = triangleCount;
        model.shared = FindSharedPositions(model.triangles, triangleCount);
    }
    ~RandomModel() { FreeSharedPositions(model.shared); }
    RandomModel(const RandomModel&) = delete;
    RandomModel& operator=(const RandomModel&) = delete;

    Model model{};

  private:
    std::vector<ModelTriangle> triangles_;
};

// A camera somewhere near the model, turned any way.
void RandomView(std::mt19937& random, Mat4& modelView) {
    std::uniform_real_distribution<float> angle(-3.2f, 3.2f), offset(-3.0f, 9.0f);
    Mat4 step;
    SetTranslation(modelView, offset(random) - 3.0f, offset(random) - 3.0f, offset(random));
    SetRotation(step, 0.0f, 1.0f, 0.0f, angle(random));
    PreMultiply(modelView, step);
    SetRotation(step, 1.0f, 0.0f, 0.0f, angle(random) / 3.0f);
    PreMultiply(modelView, step);
}

class SharedSetupTest : public GuardedDrawingTest {
  protected:
    void SetUp() override {
        GuardedDrawingTest::SetUp();
        FillProjectionMatrix();
        for (int i = 0; i < TextureBytes; ++i) {
            texture_.texels[i] = static_cast<uint8_t>(i * 7 % 251);
        }
    }
};

TEST_F(SharedSetupTest, DrawsWhatTriangleByTriangleSetupDraws) {
    std::mt19937 random(99);
    std::vector<uint8_t> expected(FrameSize);
    int drawnModels = 0;
    for (int trial = 0; trial < 400 && !HasFailure(); ++trial) {
        // Few triangles, so that every triangle's pixels show; many, so that sharing is heavy.
        const int triangles = trial % 2 == 0 ? 1 + trial % 5 : 120;
        RandomModel subject(random, 2 + trial % 40, triangles);
        ASSERT_TRUE(CanDrawShared(subject.model));
        RandomView(random, worker().modelViewMatrix);
        frame_.Clear();
        for (int i = 0; i < triangles; ++i) {
            const ModelVertex* v = subject.model.triangles[i].vertices;
            DrawTriangle(worker(), v[0], v[1], v[2]);
        }
        std::memcpy(expected.data(), frame_.Pixels(), FrameSize);
        drawnModels += frame_.WrittenCount() > 0;
        frame_.Clear();
        DrawSharedTriangles(worker(), subject.model, DrawOrder::FarToNear);
        ASSERT_EQ(std::memcmp(frame_.Pixels(), expected.data(), FrameSize), 0) << "trial " << trial;
        frame_.Clear();
        ClearCoverage(worker());
        DrawSharedTriangles(worker(), subject.model, DrawOrder::NearToFar);
        ASSERT_EQ(std::memcmp(frame_.Pixels(), expected.data(), FrameSize), 0)
            << "trial " << trial << ", nearest first";
    }
    EXPECT_GT(drawnModels, 150);
}

// One triangle's model: the worked example's triangle, scaled by s at depth z and moved by
// (dx, dy), for the identity as the model-view matrix.
struct ExampleModel {
    ExampleModel(float s, float z, float dx = 0.0f, float dy = 0.0f) {
        triangle.vertices[0] = At(dx - s, dy - s, z);
        triangle.vertices[1] = At(dx, dy + s, z);
        triangle.vertices[2] = At(dx + s, dy - s, z);
        model.shared = FindSharedPositions(&triangle, 1);
    }
    ~ExampleModel() { FreeSharedPositions(model.shared); }
    ExampleModel(const ExampleModel&) = delete;
    ExampleModel& operator=(const ExampleModel&) = delete;
    ModelTriangle triangle;
    Model model{&triangle, 1, nullptr};
};

TEST_F(SharedSetupTest, AModelBehindWhatIsDrawnIsHiddenAndDrawsNothing) {
    SetIdentity(worker().modelViewMatrix);
    // The wall's apex is at the top middle; the top left corner of the picture stays open.
    ExampleModel wall(3.0f, 3.0f), behind(1.0f, 8.0f), beside(1.0f, 8.0f, 4.0f, 2.5f);
    ClearCoverage(worker());
    EXPECT_FALSE(SharedModelHidden(worker(), behind.model)) << "nothing is drawn yet";
    DrawSharedTriangles(worker(), wall.model, DrawOrder::NearToFar);
    const int wallPixels = frame_.WrittenCount();
    EXPECT_GT(wallPixels, 30000);
    EXPECT_TRUE(SharedModelHidden(worker(), behind.model));
    EXPECT_FALSE(SharedModelHidden(worker(), beside.model)) << "reaches past the wall's edge";
    texture_ = RowTexture();
    std::vector<uint8_t> before(frame_.Pixels(), frame_.Pixels() + FrameSize);
    DrawSharedTriangles(worker(), behind.model, DrawOrder::NearToFar);
    EXPECT_EQ(std::memcmp(frame_.Pixels(), before.data(), FrameSize), 0);
    DrawSharedTriangles(worker(), beside.model, DrawOrder::NearToFar);
    EXPECT_GT(frame_.WrittenCount(), wallPixels);
}

TEST(CanDrawShared, NeedsSharedPositionsOfModestNumber) {
    ModelTriangle triangle{};
    Model model{&triangle, 1, nullptr};
    EXPECT_FALSE(CanDrawShared(model));
    SharedPositions shared{1, nullptr, nullptr};
    model.shared = &shared;
    EXPECT_TRUE(CanDrawShared(model));
    shared.count = 1 << 20;
    EXPECT_FALSE(CanDrawShared(model));
}

// The whole level drawn with and without the shared positions of its models, and in the
// painter's order.
TEST_F(LevelFixture, LevelFramesAreTheSameWithoutSharedPositionsOrInThePaintersOrder) {
    std::vector<SharedPositions*> kept;
    for (const ModelSlot& slot : ModelSlots) {
        kept.push_back((*slot.slot)->shared);
    }
    auto setShared = [&](bool on) {
        for (int i = 0; i < ModelSlotCount; ++i) {
            (*ModelSlots[i].slot)->shared = on ? kept[i] : nullptr;
        }
    };
    std::vector<uint8_t> shared(FrameSize);
    std::mt19937 random(5);
    std::uniform_real_distribution<float> x(-27.0f, 27.0f), z(-13.0f, 13.0f), yaw(-3.2f, 3.2f);
    for (int i = 0; i < 40; ++i) {
        // A braced list draws the four values in order: x, z, yaw, pitch.
        SetCameraPose(*scene, CameraPose{x(random), z(random), yaw(random), yaw(random) / 4.0f});
        setShared(true);
        RenderFrame(*renderer, *scene);
        std::memcpy(shared.data(), frame.data(), FrameSize);
        setShared(false);
        RenderFrame(*renderer, *scene);
        EXPECT_EQ(std::memcmp(shared.data(), frame.data(), FrameSize), 0) << "camera " << i;
        ClearFrame(*renderer);
        RenderSceneIn(*renderer, DrawOrder::FarToNear, *scene);
        EXPECT_EQ(std::memcmp(shared.data(), frame.data(), FrameSize), 0)
            << "camera " << i << ", painter's order";
    }
    setShared(true);
}

} // namespace
