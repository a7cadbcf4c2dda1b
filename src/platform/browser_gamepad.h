// A gamepad as the browser's Gamepad API reports it, read as a game controller.
#pragma once

#include "platform/controller.h"

// The controller a gamepad of the API's "standard" layout stands for: button 0 is the bottom
// face button, 4 and 5 the left and right shoulders, 12 to 15 the d-pad's up, down, left and
// right; axes 0 and 1 the left stick from -1 (left, up) to 1 (right, down). pressed[i] is
// non-zero while button i is down; buttons and axes past the counts read as released and
// centred.
ControllerState ControllerFromStandardGamepad(const double* axes, int axisCount, const int* pressed,
                                              int buttonCount);
