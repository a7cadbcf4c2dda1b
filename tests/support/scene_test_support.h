// Helpers shared by the tests of the scene, the level and the render pass.
#pragma once

#include <gtest/gtest.h>

#include "assets/model.h"
#include "scene/scene.h"

// A model without triangles: culled, listed and counted like any other, but draws nothing.
struct EmptyModel {
    Texture texture{};
    Model model{nullptr, 0, &texture};
};

inline void ExpectTranslation(const Mat4& m, float x, float y, float z) {
    EXPECT_EQ(m.at(0, 3), x);
    EXPECT_EQ(m.at(1, 3), y);
    EXPECT_EQ(m.at(2, 3), z);
}

inline void ExpectCamera(const Scene& scene, float x, float y, float z, float pitch, float yaw,
                         float roll) {
    EXPECT_EQ(scene.x, x);
    EXPECT_EQ(scene.y, y);
    EXPECT_EQ(scene.z, z);
    EXPECT_EQ(scene.pitch, pitch);
    EXPECT_EQ(scene.yaw, yaw);
    EXPECT_EQ(scene.roll, roll);
}

// Leaves no animators or scene behind, whatever the test did.
class SceneTest : public ::testing::Test {
  protected:
    void TearDown() override {
        RemoveAllAnimators();
        if (scene != nullptr) {
            DestroyScene(scene);
        }
    }
    Scene* scene = nullptr;
};
