// The renderer drops a triangle when the back-face value E of its projected vertices is
// positive. These tests tie that rule to the models' winding: seen through the real view and
// projection matrices, a triangle whose (b - a) x (c - a) points towards the eye gets E < 0
// and is drawn, one that points away gets E > 0 and is culled. With the solids facing outward
// (models_solids_test), the outside of every model is drawn and the inside culled.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "math/mat4.h"
#include "support/models_geometry.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr float NearLimit = 0.25f;

struct Projected {
    double xn, yn;
    float depth; // view-space z
};

Mat4 Projection() {
    Mat4 projection;
    SetPerspective(projection, static_cast<float>(50.0 * Pi / 180.0), 640.0f / 480.0f, 0.25f,
                   15.0f);
    return projection;
}

// World to view space for a camera at (x, y, z) turned by yaw, built the way the render pass
// builds it: translation, then rotations about Z, Y and X, each applied after the last.
Mat4 ViewFrom(float x, float y, float z, float yaw, float pitch) {
    Mat4 view, step;
    SetIdentity(view);
    SetTranslation(step, -x, -y, -z);
    PreMultiply(view, step);
    SetRotation(step, 0, 0, 1, 0);
    PreMultiply(view, step);
    SetRotation(step, 0, 1, 0, yaw);
    PreMultiply(view, step);
    SetRotation(step, 1, 0, 0, pitch);
    PreMultiply(view, step);
    return view;
}

Projected Project(const Mat4& modelView, const Mat4& projection, const Vec3& position) {
    Vec3 view;
    TransformPoint(modelView, view, position);
    Vec4 clip = {view.x, view.y, view.z, 1};
    TransformVec4(projection, clip, clip);
    return {static_cast<float>(clip.x / clip.w), static_cast<float>(clip.y / clip.w), view.z};
}

// The back-face value of the projected vertices: positive drops the triangle.
double BackFaceValue(const Projected& a, const Projected& b, const Projected& c) {
    return (c.yn - b.yn) * (c.xn - a.xn) - (c.yn - a.yn) * (c.xn - b.xn);
}

struct Verdicts {
    int drawn = 0;
    int culled = 0;
};

// Looks at every triangle of the model, placed at world position (0, lift, 0) and turned by
// spin about the vertical axis, from a camera at eye height 1 looking at (0, 1, 0); checks that
// the renderer draws exactly the triangles that face the eye.
void ExpectDrawnExactlyWhenFacingTheEye(const Model& model, float lift, float spin, float eyeX,
                                        float eyeZ, Verdicts& verdicts) {
    const Mat4 projection = Projection();
    Mat4 modelView = ViewFrom(eyeX, 1.0f, eyeZ, static_cast<float>(std::atan2(eyeX, -eyeZ)), 0);
    Mat4 world;
    SetRotation(world, 0, 1, 0, spin);
    world.at(1, 3) = lift;
    PostMultiply(modelView, world);
    for (const ModelTriangle& triangle : TrianglesOf(model)) {
        Projected corner[3];
        Vec3 placed[3];
        for (int i = 0; i < 3; ++i) {
            const ModelVertex& vertex = triangle.vertices[i];
            TransformPoint(world, placed[i], {vertex.x, vertex.y, vertex.z});
            corner[i] = Project(modelView, projection, {vertex.x, vertex.y, vertex.z});
        }
        if (corner[0].depth < NearLimit || corner[1].depth < NearLimit ||
            corner[2].depth < NearLimit) {
            continue; // clamped onto the near plane: the projection no longer shows its facing
        }
        ModelTriangle turned = triangle;
        for (int i = 0; i < 3; ++i) {
            turned.vertices[i].x = placed[i].x;
            turned.vertices[i].y = placed[i].y;
            turned.vertices[i].z = placed[i].z;
        }
        const Point3 normal = FaceNormal(turned);
        const double towardsEye = (eyeX - placed[0].x) * normal.x + (1.0 - placed[0].y) * normal.y +
                                  (eyeZ - placed[0].z) * normal.z;
        const double length =
            std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
        if (std::fabs(towardsEye) < 1e-3 * length) {
            continue; // seen edge-on
        }
        const double e = BackFaceValue(corner[0], corner[1], corner[2]);
        if (towardsEye > 0) {
            EXPECT_LT(e, 0) << "facing the eye at (" << eyeX << ", " << eyeZ << ") but culled";
            ++verdicts.drawn;
        } else {
            EXPECT_GT(e, 0) << "facing away from (" << eyeX << ", " << eyeZ << ") but drawn";
            ++verdicts.culled;
        }
    }
}

TEST(BackFaceRule, CounterClockwiseSeenFromTheEyeIsDrawn) {
    // In view space with the identity model-view: a, b, c wind so that (b - a) x (c - a) =
    // (0, 0, -4) points back at the eye.
    const Mat4 projection = Projection();
    Mat4 identity;
    SetIdentity(identity);
    const Projected a = Project(identity, projection, {-1, -1, 3});
    const Projected b = Project(identity, projection, {0, 1, 3});
    const Projected c = Project(identity, projection, {1, -1, 3});
    EXPECT_NEAR(BackFaceValue(a, b, c), -1.5329700, 1e-6);
    EXPECT_NEAR(BackFaceValue(a, c, b), 1.5329700, 1e-6);
}

TEST(BackFaceRule, FloorTileSeenFromEyeHeightIsDrawnEverywhere) {
    const auto models = LoadDataSet();
    ASSERT_STREQ(ModelSlots[0].modelFileName, "plane.hgm");
    ASSERT_NE(models[0], nullptr);
    Verdicts verdicts;
    ExpectDrawnExactlyWhenFacingTheEye(*models[0], 0, 0, 0.5f, -3.5f, verdicts);
    EXPECT_EQ(verdicts.drawn, models[0]->triangleCount);
}

TEST(BackFaceRule, GeneratedModelsShowTheirOutsideFromEveryDirection) {
    const auto models = LoadDataSet();
    for (int slot = 0; slot < ModelSlotCount; ++slot) {
        SCOPED_TRACE(ModelSlots[slot].modelFileName);
        ASSERT_NE(models[slot], nullptr);
        const bool ceiling = std::strcmp(ModelSlots[slot].modelFileName, "ceil.hgm") == 0;
        Verdicts verdicts;
        for (int heading = 0; heading < 16; ++heading) {
            const double angle = 2 * Pi * heading / 16;
            for (float distance : {2.5f, 4.0f, 7.0f}) {
                ExpectDrawnExactlyWhenFacingTheEye(
                    *models[slot], ceiling ? 3.0f : 0.0f, static_cast<float>(0.7 * heading),
                    static_cast<float>(distance * std::sin(angle)),
                    static_cast<float>(distance * std::cos(angle)), verdicts);
            }
        }
        EXPECT_GT(verdicts.drawn, 0);
        if (slot != 0 && !ceiling) {
            EXPECT_GT(verdicts.culled, 0) << "a solid always has faces turned away";
        }
    }
}

} // namespace
