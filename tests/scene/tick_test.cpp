#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "scene/tick.h"
#include "support/scene_test_support.h"

namespace {

// The keys held during a tick, and every question RunTick asked.
std::vector<Key> HeldKeys;
std::vector<Key> AskedKeys;

bool IsHeld(Key key) {
    AskedKeys.push_back(key);
    for (Key held : HeldKeys) {
        if (held == key) {
            return true;
        }
    }
    return false;
}

class TickTest : public SceneTest {
  protected:
    void SetUp() override {
        scene = CreateScene();
        HeldKeys.clear();
        AskedKeys.clear();
    }
    void Tick(std::vector<Key> keys) {
        HeldKeys = std::move(keys);
        RunTick(*scene, IsHeld);
    }
};

TEST_F(TickTest, AsksEveryKeyOnceInOrder) {
    Tick({Key::Up});
    const std::vector<Key> order = {Key::End,   Key::PageUp, Key::PageDown, Key::Left,
                                    Key::Right, Key::Up,     Key::Down};
    EXPECT_EQ(AskedKeys, order);
}

TEST_F(TickTest, EndLevelsBeforeThePageKeysTilt) {
    scene->pitch = 0.5f;
    Tick({Key::End, Key::PageUp});
    EXPECT_EQ(scene->pitch, 0.0125000002f);
    scene->pitch = 0.5f;
    Tick({Key::End, Key::PageDown});
    EXPECT_EQ(scene->pitch, -0.0125000002f);
    Tick({Key::PageUp, Key::PageDown});
    EXPECT_EQ(scene->pitch, -0.0125000002f);
}

TEST_F(TickTest, LeftAndRightTurnByTheYawStepUnclamped) {
    scene->yaw = 1.0f;
    Tick({Key::Right});
    EXPECT_EQ(scene->yaw, 1.02499998f);
    scene->yaw = 100.0f;
    Tick({Key::Left});
    EXPECT_EQ(scene->yaw, 100.0f - 0.025f);
    Tick({Key::Left, Key::Right});
    EXPECT_EQ(scene->yaw, (100.0f - 0.025f) - 0.025f + 0.025f);
}

TEST_F(TickTest, WalkingFollowsTheHeadingAndIgnoresPitch) {
    Tick({Key::Up});
    EXPECT_EQ(scene->x, 0.0f);
    EXPECT_EQ(scene->z, 0.025f);

    scene->x = scene->z = 0.0f;
    scene->yaw = 1.57079637f;
    scene->pitch = 1.0f;
    Tick({Key::Up});
    EXPECT_FLOAT_EQ(scene->x, -0.025f);
    EXPECT_NEAR(scene->z, 0.0f, 1e-8);
    EXPECT_EQ(scene->y, 0.0f);
}

TEST_F(TickTest, OneStepFromTheLevelStart) {
    scene->x = 18.0f;
    scene->z = 2.0f;
    scene->y = 1.0f;
    scene->yaw = 1.0f;
    Tick({Key::Up});
    EXPECT_EQ(scene->x, 18.0f - 0.0210367739f);
    EXPECT_EQ(scene->z, 2.0f + 0.0135075571f);
    EXPECT_EQ(scene->y, 1.0f);
}

TEST_F(TickTest, DownWinsOverUp) {
    Tick({Key::Up, Key::Down});
    EXPECT_EQ(scene->z, -0.025f);
    Tick({Key::Down});
    EXPECT_EQ(scene->z, -0.05f);
}

// Mouse motion: right turns right, forward tilts up (down when inverted), the turn comes
// before the step, and the mouse stops at straight up or down where the keys do not.
TEST_F(TickTest, MouseMotionTurnsBeforeTheStepAndTiltsUpToTheLimit) {
    const MouseTurning turning{150, false};
    HeldKeys = {Key::Up};
    RunTick(*scene, IsHeld, MouseMotion{40, -10}, turning);
    const double turn = 40.0 * 150.0 * (0.002 / 100.0);
    EXPECT_EQ(scene->yaw, static_cast<float>(turn));
    EXPECT_EQ(scene->pitch, static_cast<float>(10.0 * 150.0 * (0.002 / 100.0)));
    EXPECT_FLOAT_EQ(scene->x, static_cast<float>(-std::sin(turn) * 0.025));

    scene->pitch = 0.0f;
    RunTick(*scene, IsHeld, MouseMotion{0, -10}, MouseTurning{150, true});
    EXPECT_LT(scene->pitch, 0.0f);

    scene->pitch = 1.5f;
    RunTick(*scene, NoKeyDown, MouseMotion{0, -1000}, turning);
    EXPECT_EQ(scene->pitch, static_cast<float>(MouseTiltLimit));
    scene->pitch = 2.0f; // tilted there by the keys
    RunTick(*scene, NoKeyDown, MouseMotion{0, -5}, turning);
    EXPECT_EQ(scene->pitch, 2.0f);
    RunTick(*scene, NoKeyDown, MouseMotion{0, 5}, turning);
    EXPECT_LT(scene->pitch, 2.0f);
}

TEST_F(TickTest, TicksAnimatorsInOrderAndSkipsNullTicks) {
    SceneNode* node = CreateNode(scene->root, nullptr, nullptr);
    Animator* heart = CreateAnimator(HeartTick, node, 2.0f, 0.0f, -4.0f);
    Animator* idle = CreateAnimator(nullptr, nullptr, 0.0f, 0.0f, 0.0f);
    Tick({});
    Tick({});
    EXPECT_EQ(heart->time, 0.1f);
    EXPECT_EQ(idle->time, 0.0f);
    EXPECT_EQ(node->local.at(0, 3), 2.0f);
}

// A tick that appends another animator: the list count is read again before every step, so
// the new one is ticked in the same pass.
int AppendedTicks = 0;
void CountTick(Animator*) {
    ++AppendedTicks;
}
void AppendOnce(Animator* animator) {
    animator->tick = nullptr;
    CreateAnimator(CountTick, nullptr, 0.0f, 0.0f, 0.0f);
}

TEST_F(TickTest, AnimatorsAddedDuringATickAreTickedInIt) {
    AppendedTicks = 0;
    CreateAnimator(AppendOnce, nullptr, 0.0f, 0.0f, 0.0f);
    Tick({});
    EXPECT_EQ(AnimatorList.count, 2u);
    EXPECT_EQ(AppendedTicks, 1);
}

} // namespace
