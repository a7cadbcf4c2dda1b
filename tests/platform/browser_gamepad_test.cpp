#include <gtest/gtest.h>

#include "platform/browser_gamepad.h"

namespace {

// A standard gamepad with every button released and the stick at rest.
struct Gamepad {
    double axes[4] = {0, 0, 0, 0};
    int pressed[17] = {};

    ControllerState Read(int axisCount = 4, int buttonCount = 17) const {
        return ControllerFromStandardGamepad(axes, axisCount, pressed, buttonCount);
    }
};

TEST(BrowserGamepad, StandardButtonsHoldTheKeysOfTheirControllerButtons) {
    // Face button, shoulders, then the d-pad, and the key each must hold.
    const int buttons[] = {0, 4, 5, 12, 13, 14, 15};
    const Key keys[] = {Key::End,  Key::PageUp, Key::PageDown, Key::Up,
                        Key::Down, Key::Left,   Key::Right};
    for (int index = 0; index < 7; ++index) {
        Gamepad pad;
        pad.pressed[buttons[index]] = 1;
        const ControllerState state = pad.Read();
        for (int key = 0; key < KeyCount; ++key) {
            EXPECT_EQ(ControllerHoldsKey(state, static_cast<Key>(key)),
                      static_cast<Key>(key) == keys[index])
                << "button " << buttons[index] << ", key " << key;
        }
    }
}

TEST(BrowserGamepad, TheStickSpansTheControllerRangeWithItsDeadZone) {
    Gamepad pad;
    pad.axes[0] = -1.5; // beyond the range some pads report
    pad.axes[1] = 1.0;
    ControllerState state = pad.Read();
    EXPECT_EQ(state.stickX, -32767);
    EXPECT_EQ(state.stickY, 32767);
    EXPECT_TRUE(ControllerHoldsKey(state, Key::Left));
    EXPECT_TRUE(ControllerHoldsKey(state, Key::Down));

    // 8000 of 32767 is 0.2441: a pad resting at 0.24 holds nothing, one at 0.25 holds Up.
    pad.axes[0] = 0.24;
    pad.axes[1] = -0.25;
    state = pad.Read();
    EXPECT_FALSE(ControllerHoldsKey(state, Key::Right));
    EXPECT_TRUE(ControllerHoldsKey(state, Key::Up));
}

TEST(BrowserGamepad, MissingButtonsAndAxesHoldNothing) {
    Gamepad pad;
    pad.axes[1] = -1.0;
    pad.pressed[12] = 1;
    const ControllerState state = pad.Read(1, 12);
    for (int key = 0; key < KeyCount; ++key) {
        EXPECT_FALSE(ControllerHoldsKey(state, static_cast<Key>(key))) << key;
    }
}

} // namespace
