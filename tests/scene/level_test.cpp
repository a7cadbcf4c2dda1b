#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "scene/level.h"
#include "support/scene_test_support.h"

namespace {

TEST(LevelMap, HoldsThirteenRowsOfTwentySevenCharacters) {
    EXPECT_EQ(std::strlen(LevelMap), 351u);
    EXPECT_EQ(LevelMap[351], '\0');
    const std::string map(LevelMap);
    EXPECT_EQ(map.substr(0, 27), std::string(27, '='));
    EXPECT_EQ(map.substr(12 * 27), "=============     =====    ");
    for (int row = 1; row < 12; ++row) {
        EXPECT_EQ(map[row * 27], '=') << "row " << row;
    }
}

TEST(LevelMap, HoldsTheExpectedMixOfCells) {
    std::map<char, int> counts;
    for (const char* c = LevelMap; *c != '\0'; ++c) {
        ++counts[*c];
    }
    const std::map<char, int> expected = {{' ', 144}, {'=', 108}, {'*', 41}, {'h', 25},
                                          {'x', 18},  {'T', 14},  {'.', 1}};
    EXPECT_EQ(counts, expected);
    EXPECT_EQ(std::string(LevelMap).find('.'), 7u * 27 + 22);
}

// Fills the seven model slots with distinct empty models for one test and clears them after.
class LevelTest : public SceneTest {
  protected:
    void SetUp() override {
        for (int i = 0; i < ModelSlotCount; ++i) {
            *ModelSlots[i].slot = &models[i].model;
        }
        scene = BuildLevel();
    }
    void TearDown() override {
        SceneTest::TearDown();
        for (const ModelSlot& slot : ModelSlots) {
            *slot.slot = nullptr;
        }
    }
    SceneNode* Child(uint32_t index) const { return scene->root->children[index]; }
    EmptyModel models[ModelSlotCount];
};

TEST_F(LevelTest, RootHoldsEveryNodeDirectly) {
    EXPECT_EQ(scene->root->model, nullptr);
    ASSERT_EQ(scene->root->childCount, 903u);
    for (uint32_t i = 0; i < scene->root->childCount; ++i) {
        EXPECT_EQ(Child(i)->childCount, 0u) << "child " << i;
    }
}

TEST_F(LevelTest, CountsNodesPerModel) {
    std::map<const Model*, int> counts;
    for (uint32_t i = 0; i < scene->root->childCount; ++i) {
        ++counts[Child(i)->model];
    }
    EXPECT_EQ(counts[PlaneModel], 170);
    EXPECT_EQ(counts[CubeModel], 108);
    EXPECT_EQ(counts[ColumnModel], 41);
    EXPECT_EQ(counts[HeartModel], 25);
    EXPECT_EQ(counts[BrokenModel], 18);
    EXPECT_EQ(counts[TableModel], 14);
    EXPECT_EQ(counts[CeilModel], 527);
    EXPECT_EQ(counts.size(), 7u);
}

TEST_F(LevelTest, CellsComeInScanOrderWithHeartsAfterTheirFloor) {
    // First row: all walls from x = -26 to 26 at z = -12.
    EXPECT_EQ(Child(0)->model, CubeModel);
    ExpectTranslation(Child(0)->local, -26.0f, 0.0f, -12.0f);
    ExpectTranslation(Child(26)->local, 26.0f, 0.0f, -12.0f);
    // Second row, "= h x": wall, floor, heart floor, heart, floor, broken pillar.
    EXPECT_EQ(Child(27)->model, CubeModel);
    EXPECT_EQ(Child(28)->model, PlaneModel);
    EXPECT_EQ(Child(29)->model, PlaneModel);
    EXPECT_EQ(Child(30)->model, HeartModel);
    EXPECT_EQ(Child(31)->model, PlaneModel);
    EXPECT_EQ(Child(32)->model, BrokenModel);
    ExpectTranslation(Child(29)->local, -22.0f, 0.0f, -10.0f);
    ExpectTranslation(Child(30)->local, -22.0f, 0.0f, -10.0f);
    ExpectTranslation(Child(32)->local, -18.0f, 0.0f, -10.0f);
    // The last cell, a space in the last row, comes just before the ceiling.
    EXPECT_EQ(Child(375)->model, PlaneModel);
    ExpectTranslation(Child(375)->local, 26.0f, 0.0f, 12.0f);
}

TEST_F(LevelTest, CeilingReachesTwoTilesBeyondTheMap) {
    EXPECT_EQ(Child(376)->model, CeilModel);
    ExpectTranslation(Child(376)->local, -30.0f, 3.0f, -16.0f);
    ExpectTranslation(Child(377)->local, -28.0f, 3.0f, -16.0f);
    ExpectTranslation(Child(376 + 31)->local, -30.0f, 3.0f, -14.0f);
    ExpectTranslation(Child(902)->local, 30.0f, 3.0f, 16.0f);
}

TEST_F(LevelTest, EveryHeartHasAnAnimatorInScanOrder) {
    ASSERT_EQ(AnimatorList.count, 25u);
    const Animator& first = *AnimatorList.items[0];
    EXPECT_EQ(first.x, -22.0f);
    EXPECT_EQ(first.y, 0.0f);
    EXPECT_EQ(first.z, -10.0f);
    EXPECT_EQ(first.time, 0.0f);
    EXPECT_EQ(first.tick, HeartTick);
    EXPECT_EQ(first.node, Child(30));
    float previousZ = -12.0f, previousX = -28.0f;
    for (uint32_t i = 0; i < AnimatorList.count; ++i) {
        const Animator& animator = *AnimatorList.items[i];
        EXPECT_EQ(animator.node->model, HeartModel);
        ExpectTranslation(animator.node->local, animator.x, 0.0f, animator.z);
        EXPECT_TRUE(animator.z > previousZ || (animator.z == previousZ && animator.x > previousX))
            << "animator " << i << " out of scan order";
        previousZ = animator.z;
        previousX = animator.x;
    }
}

TEST_F(LevelTest, CameraStartsOnTheDotFacingYawOne) {
    ExpectCamera(*scene, 18.0f, 0.0f, 2.0f, 0.0f, 1.0f, 0.0f);
}

TEST(LevelWithoutModels, PlacesEmptyNodesForEverySlot) {
    Scene* scene = BuildLevel();
    EXPECT_EQ(scene->root->childCount, 903u);
    for (uint32_t i = 0; i < scene->root->childCount; ++i) {
        EXPECT_EQ(scene->root->children[i]->model, nullptr);
    }
    EXPECT_EQ(AnimatorList.count, 25u);
    DestroyLevel(scene);
}

} // namespace
