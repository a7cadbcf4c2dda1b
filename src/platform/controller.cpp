#include "platform/controller.h"

bool ControllerHoldsKey(const ControllerState& state, Key key) {
    switch (key) {
    case Key::End:
        return state.faceButton;
    case Key::PageUp:
        return state.leftShoulder;
    case Key::PageDown:
        return state.rightShoulder;
    case Key::Left:
        return state.dpadLeft || state.stickX < -StickDeadZone;
    case Key::Right:
        return state.dpadRight || state.stickX > StickDeadZone;
    case Key::Up:
        return state.dpadUp || state.stickY < -StickDeadZone;
    case Key::Down:
        return state.dpadDown || state.stickY > StickDeadZone;
    }
    return false;
}

bool AnyControllerHoldsKey(const ControllerState (&controllers)[MaxControllers], Key key) {
    for (const ControllerState& state : controllers) {
        if (ControllerHoldsKey(state, key)) {
            return true;
        }
    }
    return false;
}
