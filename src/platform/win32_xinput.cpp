#include "platform/win32_xinput.h"

namespace {

static_assert(MaxControllers == XUSER_MAX_COUNT, "one state per XInput slot");

constexpr ULONGLONG EmptySlotInterval = 1000; // milliseconds between asks of an empty slot

bool Connected[MaxControllers];
ULONGLONG LastEmptySlotPoll = 0;
bool EmptySlotsPolled = false;

} // namespace

ControllerState ControllerFromXInput(const XINPUT_GAMEPAD& pad) {
    const auto held = [&pad](WORD button) { return (pad.wButtons & button) != 0; };
    ControllerState state{};
    state.dpadUp = held(XINPUT_GAMEPAD_DPAD_UP);
    state.dpadDown = held(XINPUT_GAMEPAD_DPAD_DOWN);
    state.dpadLeft = held(XINPUT_GAMEPAD_DPAD_LEFT);
    state.dpadRight = held(XINPUT_GAMEPAD_DPAD_RIGHT);
    state.leftShoulder = held(XINPUT_GAMEPAD_LEFT_SHOULDER);
    state.rightShoulder = held(XINPUT_GAMEPAD_RIGHT_SHOULDER);
    state.faceButton = held(XINPUT_GAMEPAD_A);
    state.stickX = pad.sThumbLX;
    // Full up (32767) becomes full up (-32767); full down (-32768) has no positive twin in
    // 16 bits and becomes 32767.
    state.stickY = pad.sThumbLY == -32768 ? int16_t{32767} : static_cast<int16_t>(-pad.sThumbLY);
    return state;
}

void PollXInputControllers(ControllerState (&states)[MaxControllers]) {
    const ULONGLONG now = GetTickCount64();
    const bool askEmptySlots = !EmptySlotsPolled || now - LastEmptySlotPoll >= EmptySlotInterval;
    if (askEmptySlots) {
        EmptySlotsPolled = true;
        LastEmptySlotPoll = now;
    }
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        if (!Connected[slot] && !askEmptySlots)
            continue;
        XINPUT_STATE state = {};
        Connected[slot] = XInputGetState(slot, &state) == ERROR_SUCCESS;
        states[slot] = Connected[slot] ? ControllerFromXInput(state.Gamepad) : ControllerState{};
    }
}
