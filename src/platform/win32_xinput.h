// Game controllers on Windows through XInput, which numbers up to four controllers by slot and
// needs no messages: each pump asks every slot for its state.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <xinput.h>

#include "platform/controller.h"

// XInput's stick y grows upward; the controller state's grows downward.
ControllerState ControllerFromXInput(const XINPUT_GAMEPAD& pad);

// Refreshes the four slots; a slot without a controller reads all zero. Plugging in or out
// shows at the next poll, or within a second for a slot that was empty, since asking an
// empty slot is slow enough to matter at thousands of frames a second.
void PollXInputControllers(ControllerState (&states)[MaxControllers]);
