#include "platform/controller.h"
#include "support/loop_fixture.h"

namespace {

// A scripted controller, seen by the ticks through the headless backend's key answers.
class ControllerTest : public LoopTest {
  protected:
    void SetUp() override {
        LoopTest::SetUp();
        loop = StartMainLoop();
    }

    // Runs exactly one tick with the controllers as scripted.
    void RunOneTick() {
        tickEnd += 16 * Millisecond;
        IterateAt(tickEnd + 1);
    }

    ControllerState& pad(int index) { return Headless.controllers[index]; }

    int64_t tickEnd = 0;
};

TEST_F(ControllerTest, TheStickCountsOnlyPastTheDeadZone) {
    pad(0).stickX = StickDeadZone;
    pad(0).stickY = -StickDeadZone;
    RunOneTick();
    EXPECT_EQ(scene->yaw, 0.0f);
    EXPECT_EQ(scene->z, 0.0f);

    pad(0).stickX = StickDeadZone + 1;
    pad(0).stickY = -StickDeadZone - 1;
    RunOneTick();
    EXPECT_EQ(scene->yaw, 0.025f);
    const float forward = scene->z;
    EXPECT_GT(forward, 0.0f);

    pad(0).stickX = -32768;
    pad(0).stickY = 32767;
    RunOneTick();
    EXPECT_EQ(scene->yaw, 0.0f);
    EXPECT_LT(scene->z, forward - 0.02f);
}

// A stick resting exactly at the dead zone in any of the four directions holds no key.
TEST(ControllerDeadZone, AStickRestingAtTheDeadZoneHoldsNothing) {
    const int16_t edge = StickDeadZone;
    const ControllerState resting[] = {
        {false, false, false, false, false, false, false, static_cast<int16_t>(-edge), 0},
        {false, false, false, false, false, false, false, edge, 0},
        {false, false, false, false, false, false, false, 0, static_cast<int16_t>(-edge)},
        {false, false, false, false, false, false, false, 0, edge},
    };
    for (const ControllerState& state : resting) {
        for (int key = 0; key < KeyCount; ++key) {
            EXPECT_FALSE(ControllerHoldsKey(state, static_cast<Key>(key)))
                << "stick at " << state.stickX << "," << state.stickY << ", key " << key;
        }
    }
}

TEST_F(ControllerTest, TheDPadWalksAndTurnsLikeTheArrowKeys) {
    pad(0).dpadUp = true;
    pad(0).dpadLeft = true;
    RunOneTick();
    const float x = scene->x;
    const float z = scene->z;
    EXPECT_EQ(scene->yaw, -0.025f);

    // The same tick driven by the keyboard lands on the same camera.
    pad(0) = ControllerState{};
    scene->x = scene->z = scene->yaw = 0.0f;
    HeadlessKey(Key::Up) = true;
    HeadlessKey(Key::Left) = true;
    RunOneTick();
    EXPECT_EQ(scene->x, x);
    EXPECT_EQ(scene->z, z);

    HeadlessKey(Key::Up) = false;
    HeadlessKey(Key::Left) = false;
    pad(0).dpadDown = true;
    pad(0).dpadRight = true;
    RunOneTick();
    EXPECT_EQ(scene->yaw, 0.0f);
    EXPECT_EQ(scene->z, z - 0.025f);
}

TEST_F(ControllerTest, ShouldersTiltAndTheFaceButtonLevels) {
    pad(0).leftShoulder = true;
    RunOneTick();
    EXPECT_EQ(scene->pitch, 0.0125f);
    pad(0).leftShoulder = false;
    pad(0).rightShoulder = true;
    RunOneTick();
    RunOneTick();
    EXPECT_EQ(scene->pitch, -0.0125f);
    pad(0).rightShoulder = false;
    pad(0).faceButton = true;
    RunOneTick();
    EXPECT_EQ(scene->pitch, 0.0f);
}

TEST_F(ControllerTest, AnyControllerAndTheKeyboardCombine) {
    pad(3).dpadUp = true;
    HeadlessKey(Key::Down) = true; // Down wins over Up, whoever holds which
    RunOneTick();
    EXPECT_EQ(scene->z, -0.025f);

    // Unplugged, the controller's slot is empty again and holds nothing.
    HeadlessKey(Key::Down) = false;
    pad(3) = ControllerState{};
    RunOneTick();
    EXPECT_EQ(scene->z, -0.025f);
}

} // namespace
