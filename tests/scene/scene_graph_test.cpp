#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "scene/heap.h"
#include "scene/scene.h"
#include "support/scene_test_support.h"

namespace {

class SceneGraphTest : public SceneTest {
  protected:
    // A new scene with one node driven by a HeartTick animator at the given base position.
    Animator* HeartAt(float x, float y, float z) {
        scene = CreateScene();
        return CreateAnimator(HeartTick, CreateNode(scene->root, nullptr, nullptr), x, y, z);
    }
};

void ExpectIdentity(const Mat4& m) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(m.at(r, c), r == c ? 1.0f : 0.0f) << r << "," << c;
        }
    }
}

TEST_F(SceneGraphTest, NewSceneIsZeroedWithAnEmptyIdentityRoot) {
    scene = CreateScene();
    ExpectCamera(*scene, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    ASSERT_NE(scene->root, nullptr);
    EXPECT_EQ(scene->root->childCount, 0u);
    EXPECT_EQ(scene->root->children, nullptr);
    EXPECT_EQ(scene->root->model, nullptr);
    ExpectIdentity(scene->root->local);
}

TEST_F(SceneGraphTest, ChildrenKeepTheOrderTheyWereAddedIn) {
    scene = CreateScene();
    EmptyModel model;
    Mat4 placement;
    SetTranslation(placement, 1.0f, 2.0f, 3.0f);
    SceneNode* first = CreateNode(scene->root, &model.model, &placement);
    SceneNode* second = CreateNode(scene->root, nullptr, nullptr);
    SceneNode* grandchild = CreateNode(first, nullptr, nullptr);
    SceneNode* third = CreateNode(scene->root, nullptr, &placement);

    ASSERT_EQ(scene->root->childCount, 3u);
    EXPECT_EQ(scene->root->children[0], first);
    EXPECT_EQ(scene->root->children[1], second);
    EXPECT_EQ(scene->root->children[2], third);
    ASSERT_EQ(first->childCount, 1u);
    EXPECT_EQ(first->children[0], grandchild);
    EXPECT_EQ(second->childCount, 0u);
    EXPECT_EQ(first->model, &model.model);
    EXPECT_EQ(second->model, nullptr);
    ExpectTranslation(first->local, 1.0f, 2.0f, 3.0f);
    ExpectIdentity(second->local);
}

TEST_F(SceneGraphTest, InitialMatrixIsCopiedNotReferenced) {
    scene = CreateScene();
    Mat4 placement;
    SetTranslation(placement, 4.0f, 5.0f, 6.0f);
    SceneNode* node = CreateNode(scene->root, nullptr, &placement);
    SetIdentity(placement);
    ExpectTranslation(node->local, 4.0f, 5.0f, 6.0f);
}

TEST_F(SceneGraphTest, NodeWithoutParentBelongsToNoTree) {
    SceneNode* orphan = CreateNode(nullptr, nullptr, nullptr);
    CreateNode(orphan, nullptr, nullptr);
    EXPECT_EQ(orphan->childCount, 1u);
    // The sanitizer build reports anything of the subtree that this leaves behind.
    DestroyNode(orphan);
}

TEST_F(SceneGraphTest, CreateAnimatorPlacesItsNodeAndJoinsTheList) {
    scene = CreateScene();
    SceneNode* node = CreateNode(scene->root, nullptr, nullptr);
    node->local.at(0, 0) = 7.0f;
    Animator* animator = CreateAnimator(HeartTick, node, 2.0f, 0.5f, -4.0f);

    EXPECT_EQ(animator->x, 2.0f);
    EXPECT_EQ(animator->y, 0.5f);
    EXPECT_EQ(animator->z, -4.0f);
    EXPECT_EQ(animator->tick, HeartTick);
    EXPECT_EQ(animator->node, node);
    EXPECT_EQ(animator->time, 0.0f);
    EXPECT_EQ(node->local.at(0, 0), 1.0f);
    ExpectTranslation(node->local, 2.0f, 0.5f, -4.0f);
    ASSERT_EQ(AnimatorList.count, 1u);
    EXPECT_EQ(AnimatorList.items[0], animator);
}

TEST_F(SceneGraphTest, AnimatorWithoutNodeStillJoinsTheList) {
    Animator* animator = CreateAnimator(nullptr, nullptr, 1.0f, 2.0f, 3.0f);
    ASSERT_EQ(AnimatorList.count, 1u);
    EXPECT_EQ(AnimatorList.items[0], animator);
    EXPECT_EQ(animator->node, nullptr);
}

TEST_F(SceneGraphTest, RemoveAnimatorKeepsTheOrderOfTheOthers) {
    Animator* a = CreateAnimator(nullptr, nullptr, 0.0f, 0.0f, 0.0f);
    Animator* b = CreateAnimator(nullptr, nullptr, 1.0f, 0.0f, 0.0f);
    Animator* c = CreateAnimator(nullptr, nullptr, 2.0f, 0.0f, 0.0f);
    Animator* d = CreateAnimator(nullptr, nullptr, 3.0f, 0.0f, 0.0f);

    RemoveAnimator(b);
    ASSERT_EQ(AnimatorList.count, 3u);
    EXPECT_EQ(AnimatorList.items[0], a);
    EXPECT_EQ(AnimatorList.items[1], c);
    EXPECT_EQ(AnimatorList.items[2], d);

    RemoveAnimator(d);
    ASSERT_EQ(AnimatorList.count, 2u);
    EXPECT_EQ(AnimatorList.items[0], a);
    EXPECT_EQ(AnimatorList.items[1], c);

    RemoveAnimator(a);
    RemoveAnimator(c);
    EXPECT_EQ(AnimatorList.count, 0u);
    EXPECT_EQ(AnimatorList.items, nullptr);
}

TEST_F(SceneGraphTest, RemoveAnimatorTakesOnlyTheFirstOccurrence) {
    Animator* twice = CreateAnimator(nullptr, nullptr, 0.0f, 0.0f, 0.0f);
    Animator* other = CreateAnimator(nullptr, nullptr, 1.0f, 0.0f, 0.0f);
    // List the first record a second time in place of a third one.
    Animator* placeholder = CreateAnimator(nullptr, nullptr, 2.0f, 0.0f, 0.0f);
    AnimatorList.items[2] = twice;
    std::free(placeholder);
    const auto twiceAddress = reinterpret_cast<uintptr_t>(twice);

    RemoveAnimator(twice);
    ASSERT_EQ(AnimatorList.count, 2u);
    EXPECT_EQ(AnimatorList.items[0], other);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(AnimatorList.items[1]), twiceAddress);
    // The record is freed now; forget the stale entry so the clean-up never touches it.
    AnimatorList.count = 1;
}

TEST_F(SceneGraphTest, RemovingAnUnlistedAnimatorLeavesTheListAlone) {
    Animator* listed = CreateAnimator(nullptr, nullptr, 0.0f, 0.0f, 0.0f);
    Animator* unlisted = CreateAnimator(nullptr, nullptr, 1.0f, 0.0f, 0.0f);
    AnimatorList.count = 1; // forget the second entry
    RemoveAnimator(unlisted);
    ASSERT_EQ(AnimatorList.count, 1u);
    EXPECT_EQ(AnimatorList.items[0], listed);
}

TEST_F(SceneGraphTest, HeartTickSpinsAndBobsAboutTheBasePosition) {
    Animator* animator = HeartAt(2.0f, 0.0f, -4.0f);
    SceneNode* node = animator->node;
    HeartTick(animator);

    const float expected[16] = {
        -0.416146845f, 0.0f, -0.909297407f, 2.0f,  0.0f, 1.0f, 0.0f, -0.181859478f,
        0.909297407f,  0.0f, -0.416146845f, -4.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(node->local.m[i], expected[i]) << "element " << i;
    }
    EXPECT_EQ(animator->time, 0.0500000007f);
}

TEST_F(SceneGraphTest, HeartTickCarriesItsArithmeticInDouble) {
    Animator* animator = HeartAt(-22.0f, 0.0f, -10.0f);
    SceneNode* node = animator->node;
    HeartTick(animator);
    // 0.2f * sinf(...) would give a different last bit here.
    EXPECT_EQ(node->local.at(1, 3), -0.110285334f);
    for (int tick = 1; tick < 1000; ++tick) {
        HeartTick(animator);
    }
    // The phase drifts from 50 by the float rounding of every single step.
    EXPECT_EQ(animator->time, 49.9995232f);
    EXPECT_EQ(node->local.at(1, 3), -0.135160476f);
    EXPECT_EQ(node->local.at(0, 0), 0.621584892f);
}

TEST_F(SceneGraphTest, HeartTickRebuildsTheMatrixFromTheAnimatorEveryTime) {
    Animator* animator = HeartAt(0.0f, 1.0f, 0.0f);
    SceneNode* node = animator->node;
    animator->time = 0.0f;
    HeartTick(animator);
    const Mat4 afterFirst = node->local;
    node->local.at(0, 3) = 99.0f;
    animator->time = 0.0f;
    HeartTick(animator);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(node->local.m[i], afterFirst.m[i]) << "element " << i;
    }
    // At the origin with phase 0 the heart has not turned and sits at its base height.
    EXPECT_EQ(node->local.at(0, 0), 1.0f);
    EXPECT_EQ(node->local.at(1, 3), 1.0f);
}

TEST_F(SceneGraphTest, HeartPhaseStopsAdvancingWhereFloatsRunOutOfPrecision) {
    Animator* animator = HeartAt(0.0f, 0.0f, 0.0f);
    animator->time = 1048576.0f;
    HeartTick(animator);
    EXPECT_EQ(animator->time, 1048576.0f);
    animator->time = 524288.0f;
    HeartTick(animator);
    EXPECT_GT(animator->time, 524288.0f);
}

TEST(HeapDeathTest, FailedAllocationEndsTheProcessWithAMessage) {
    EXPECT_EXIT(EnsureAllocated(nullptr, "scene node"), ::testing::ExitedWithCode(EXIT_FAILURE),
                "out of memory \\(scene node\\)");
}

TEST(Heap, SuccessfulAllocationIsPassedThrough) {
    int value = 0;
    EXPECT_EQ(EnsureAllocated(&value, "anything"), &value);
}

} // namespace
