// Game controllers read as the keyboard: the d-pad and the left stick are the arrow keys, the
// left and right shoulder buttons Page Up and Page Down, the lowest face button End. Backends
// keep one ControllerState per connected controller, refreshed when they pump events, and
// answer a key as held when the keyboard or any controller holds it, so a tick cannot tell
// the two apart.
#pragma once

#include <cstdint>

#include "scene/tick.h"

// Controllers a backend follows at once; four is as many as XInput reports.
constexpr int MaxControllers = 4;

// A stick must be pushed past this much of its full deflection of 32767 along an axis before
// it counts as an arrow key: worn sticks rest a little off centre.
constexpr int StickDeadZone = 8000;

// One controller's inputs as the mapping needs them. An unplugged controller is all zero,
// which holds nothing.
struct ControllerState {
    bool dpadUp, dpadDown, dpadLeft, dpadRight;
    bool leftShoulder, rightShoulder;
    bool faceButton; // the bottom face button
    int16_t stickX;  // left stick, -32768 full left to 32767 full right
    int16_t stickY;  // left stick, -32768 full up to 32767 full down
};

bool ControllerHoldsKey(const ControllerState& state, Key key);

bool AnyControllerHoldsKey(const ControllerState (&controllers)[MaxControllers], Key key);
