// Mouse turning on Windows: the mouse's raw motion (WM_INPUT) while the pointer is captured,
// hidden and held inside the client area. Escape and losing the focus (Alt+Tab, a click on
// another window) let it go; a click in the window takes it again.
#pragma once

#include "platform/win32.h"
#include "scene/tick.h"

// Registers the window for the mouse's raw input and captures the pointer when the window is
// in front.
void EnableWin32Mouse(HWND window);

// Gathers motion and moves the capture; called by the window procedure with every message,
// which then gets its usual treatment.
void HandleMouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The motion gathered since the last call; none from then on.
MouseMotion TakeWin32MouseMotion();
