#include "platform/win32_mouse.h"

namespace {

// The generic desktop page's mouse, as raw input numbers it.
constexpr USHORT DesktopUsagePage = 0x01;
constexpr USHORT MouseUsage = 0x02;

bool MouseWanted = false;
bool Captured = false;
// Clipping moves a pointer that was outside into the client area, a jump that some systems
// (Wine) report as raw motion: the first motion after such a capture is dropped.
bool SkipNextMotion = false;
MouseMotion Gathered{};

RECT ClientAreaOnScreen(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// Holds the pointer inside the client area, so a click never lands on another window.
void ClipToClientArea(HWND window) {
    const RECT client = ClientAreaOnScreen(window);
    ClipCursor(&client);
}

void CapturePointer(HWND window) {
    if (!Captured) {
        const RECT client = ClientAreaOnScreen(window);
        POINT pointer;
        SkipNextMotion = GetCursorPos(&pointer) && !PtInRect(&client, pointer);
        ShowCursor(FALSE);
        Captured = true;
    }
    ClipToClientArea(window);
}

void ReleasePointer() {
    if (Captured) {
        ClipCursor(nullptr);
        ShowCursor(TRUE);
        Captured = false;
    }
}

// Relative motion of the mouse; a device that reports absolute places (a tablet, a remote
// desktop) turns nothing.
void GatherRawInput(LPARAM lParam) {
    RAWINPUT input;
    UINT size = sizeof input;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(lParam), RID_INPUT, &input, &size,
                        sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
        input.header.dwType != RIM_TYPEMOUSE ||
        (input.data.mouse.usFlags & MOUSE_MOVE_ABSOLUTE) != 0) {
        return;
    }
    if (SkipNextMotion) {
        SkipNextMotion = false;
        return;
    }
    Gathered.dx += input.data.mouse.lLastX;
    Gathered.dy += input.data.mouse.lLastY;
}

} // namespace

void EnableWin32Mouse(HWND window) {
    MouseWanted = true;
    RAWINPUTDEVICE device = {DesktopUsagePage, MouseUsage, 0, window};
    RegisterRawInputDevices(&device, 1, sizeof device);
    if (GetForegroundWindow() == window) {
        CapturePointer(window);
    }
}

void HandleMouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!MouseWanted) {
        return;
    }
    switch (message) {
    case WM_INPUT:
        if (Captured) {
            GatherRawInput(lParam);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        CapturePointer(window);
        break;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            ReleasePointer();
        }
        break;
    case WM_KILLFOCUS:
        ReleasePointer();
        break;
    case WM_MOVE:
    case WM_SIZE:
        // Moved or switched to fullscreen: the clip follows the client area.
        if (Captured) {
            ClipToClientArea(window);
        }
        break;
    }
}

MouseMotion TakeWin32MouseMotion() {
    const MouseMotion motion = Gathered;
    Gathered = MouseMotion{};
    return motion;
}
