#include "platform/browser_gamepad.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int FaceButton = 0;
constexpr int LeftShoulder = 4;
constexpr int RightShoulder = 5;
constexpr int DpadUp = 12;
constexpr int DpadDown = 13;
constexpr int DpadLeft = 14;
constexpr int DpadRight = 15;

// An axis from -1 to 1 in the controller's 16-bit range; a missing axis rests at 0.
int16_t StickValue(const double* axes, int axisCount, int axis) {
    if (axis >= axisCount) {
        return 0;
    }
    const double clamped = std::min(1.0, std::max(-1.0, axes[axis]));
    return static_cast<int16_t>(std::nearbyint(clamped * 32767.0));
}

} // namespace

ControllerState ControllerFromStandardGamepad(const double* axes, int axisCount, const int* pressed,
                                              int buttonCount) {
    const auto held = [pressed, buttonCount](int button) {
        return button < buttonCount && pressed[button] != 0;
    };
    ControllerState state{};
    state.dpadUp = held(DpadUp);
    state.dpadDown = held(DpadDown);
    state.dpadLeft = held(DpadLeft);
    state.dpadRight = held(DpadRight);
    state.leftShoulder = held(LeftShoulder);
    state.rightShoulder = held(RightShoulder);
    state.faceButton = held(FaceButton);
    state.stickX = StickValue(axes, axisCount, 0);
    state.stickY = StickValue(axes, axisCount, 1);
    return state;
}
