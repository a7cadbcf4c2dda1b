// The Win32 backend of the platform seam: one window with a fixed (or resizable) client area, an
// 8-bit device-independent bitmap section as the frame buffer, the message pump, the keyboard, game
// controllers through XInput and the performance counter. F11 and Alt+Enter switch the window
// to a borderless one over the whole monitor and back.
#include "platform/win32.h"

#include <algorithm>
#include <cmath>
#include <dwmapi.h>
#include <iterator>
#include <string>
#include <timeapi.h>
#include <vector>

#include "app/platform.h"
#include "capture/capture.h"
#include "cli/option_values.h"
#include "platform/integer_fit.h"
#include "platform/key_names.h"
#include "platform/win32_mouse.h"
#include "platform/win32_xinput.h"

HINSTANCE ProgramInstance;
int ProgramShowState;
HWND Window;
HDC WindowContext;
HDC MemoryContext;
HBITMAP FrameBitmap;

namespace {

constexpr char WindowClassName[] = "DRAVWINCLASS";
constexpr char StartTitle[] = "DRAV";
// The icon's number in drav.rc.
constexpr WORD DravIconResource = 1;
constexpr DWORD WindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
static_assert(WindowStyle == 0x00CA0000, "caption, system menu and minimise box only");
constexpr DWORD WindowExStyle = WS_EX_CLIENTEDGE;

// The frame's size, for the bitmap and for presenting.
FrameLayout Layout;

// A BITMAPINFO with room for the whole 256-entry colour table.
struct FrameBitmapInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[PaletteSize];
};
static_assert(sizeof(FrameBitmapInfo) == 1064, "40-byte header and 256 four-byte colours");

// Kept between frames: a failed GetClientRect (the window is already gone in the last
// iteration) leaves the previous rectangle in place.
RECT ClientRect;

// The window's style: fixed, or with a sizing border and a maximise box when resizable.
DWORD Style = WindowStyle;
bool Resizable = false;
// The client size to open with, and the one last presented outside fullscreen and minimised.
int OpeningWidth = 0;
int OpeningHeight = 0;
int WindowedWidth = 0;
int WindowedHeight = 0;
bool Fullscreen = false;
bool WaitForComposition = false;
// Where the window was, and how large, before it went fullscreen.
WINDOWPLACEMENT WindowedPlacement;
ControllerState ControllerStates[MaxControllers];

bool RegisterWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = ProgramInstance;
    // The heart from drav.exe's resources; a program built without them gets the default.
    const HICON heart = LoadIconA(ProgramInstance, MAKEINTRESOURCEA(DravIconResource));
    windowClass.hIcon = heart != nullptr ? heart : LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = WindowClassName;
    return RegisterClassA(&windowClass) != 0;
}

// The window is sized from the rectangle its client area must fill, grown by the caption,
// borders and client edge of its style.
HWND CreateMainWindow() {
    RECT outer = {0, 0, OpeningWidth, OpeningHeight};
    AdjustWindowRectEx(&outer, Style, FALSE, WindowExStyle);
    return CreateWindowExA(WindowExStyle, WindowClassName, StartTitle, Style, CW_USEDEFAULT,
                           CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                           nullptr, nullptr, ProgramInstance, nullptr);
}

// The frame's size, 8 bits per pixel, top row first (negative height), the palette as colour
// table. Rows of a width that is a multiple of 4 (320 scale) need no padding.
void DescribeFrameBitmap(FrameBitmapInfo& info, const RgbQuad* palette) {
    info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = Layout.width;
    info.header.biHeight = -Layout.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = 8;
    info.header.biCompression = BI_RGB;
    for (int index = 0; index < PaletteSize; ++index) {
        info.colours[index].rgbBlue = palette[index].blue;
        info.colours[index].rgbGreen = palette[index].green;
        info.colours[index].rgbRed = palette[index].red;
        info.colours[index].rgbReserved = 0;
    }
}

// The virtual keys bound to each KeyAction, made from the names when the window opens.
std::vector<int> BoundKeys[KeyActionCount];

void BindKeys(const KeyNames& names) {
    for (int action = 0; action < KeyActionCount; ++action) {
        BoundKeys[action].clear();
        for (const std::string& name : ActionKeyNames(names, static_cast<KeyAction>(action))) {
            BoundKeys[action].push_back(VirtualKeyFromName(name));
        }
    }
}

bool IsBound(KeyAction action, WPARAM virtualKey) {
    const std::vector<int>& keys = BoundKeys[static_cast<int>(action)];
    return std::find(keys.begin(), keys.end(), static_cast<int>(virtualKey)) != keys.end();
}

// A borderless popup over the whole monitor the window is on; the window's place and size are
// kept so that leaving puts it back exactly.
void EnterFullscreen() {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    WindowedPlacement.length = sizeof WindowedPlacement;
    if (!GetWindowPlacement(Window, &WindowedPlacement) ||
        !GetMonitorInfoA(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& screen = monitor.rcMonitor;
    SetWindowLongA(Window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    SetWindowLongA(Window, GWL_EXSTYLE, 0);
    SetWindowPos(Window, HWND_TOP, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    Fullscreen = true;
}

void LeaveFullscreen() {
    SetWindowLongA(Window, GWL_STYLE, Style | WS_VISIBLE);
    SetWindowLongA(Window, GWL_EXSTYLE, WindowExStyle);
    SetWindowPlacement(Window, &WindowedPlacement);
    SetWindowPos(Window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    Fullscreen = false;
}

// A fullscreen key, or Enter with Alt held (a system key, bit 29 of the key data); not a held
// key's repeats (bit 30: the key was already down).
bool IsFullscreenToggle(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool firstPress = (lParam & (1L << 30)) == 0;
    const bool altHeld = (lParam & (1L << 29)) != 0;
    return firstPress && ((message == WM_KEYDOWN && IsBound(KeyAction::Fullscreen, wParam)) ||
                          (message == WM_SYSKEYDOWN && wParam == VK_RETURN && altHeld));
}

// The frame at the largest whole factor that fits the client area (the monitor in fullscreen),
// centred, and the four strips around it painted black.
void PresentFitted() {
    const ScreenRect fit =
        FitFrameByWholeFactor(Layout.width, Layout.height, ClientRect.right, ClientRect.bottom);
    const int right = fit.x + fit.width;
    const int bottom = fit.y + fit.height;
    PatBlt(WindowContext, 0, 0, ClientRect.right, fit.y, BLACKNESS);
    PatBlt(WindowContext, 0, bottom, ClientRect.right, ClientRect.bottom - bottom, BLACKNESS);
    PatBlt(WindowContext, 0, fit.y, fit.x, fit.height, BLACKNESS);
    PatBlt(WindowContext, right, fit.y, ClientRect.right - right, fit.height, BLACKNESS);
    StretchBlt(WindowContext, fit.x, fit.y, fit.width, fit.height, MemoryContext, 0, 0,
               Layout.width, Layout.height, SRCCOPY);
}

} // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    if (window == Window)
        HandleMouseMessage(window, message, wParam, lParam);
    if (window == Window && IsFullscreenToggle(message, wParam, lParam)) {
        ToggleFullscreen();
        return 0;
    }
    // Alt+Enter would otherwise end in the system's warning beep for a menu key it cannot find.
    if (message == WM_SYSCHAR && wParam == VK_RETURN)
        return 0;
    // Bit 30 of lParam is set for auto-repeats of a held key; only the first press counts.
    if (message == WM_KEYDOWN && (lParam & (1 << 30)) == 0) {
        if (IsBound(KeyAction::Screenshot, wParam))
            RequestScreenshot();
        else if (IsBound(KeyAction::Clip, wParam))
            RequestClipToggle();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ToggleFullscreen() {
    if (Fullscreen)
        LeaveFullscreen();
    else
        EnterFullscreen();
}

const char* PlatformOpenWindow(const FrameLayout& layout, const DisplayOptions& options) {
    Layout = layout;
    BindKeys(options.keys);
    Resizable = options.resizable;
    if (Resizable)
        Style = WindowStyle | WS_THICKFRAME | WS_MAXIMIZEBOX;
    OpeningWidth = layout.shownWidth;
    OpeningHeight = layout.shownHeight;
    if (Resizable && !options.windowSize.empty())
        ParseSize(options.windowSize, OpeningWidth, OpeningHeight);
    if (!RegisterWindowClass())
        return "cannot register the window class";
    Window = CreateMainWindow();
    if (Window == nullptr)
        return "cannot create the window";
    ShowWindow(Window, ProgramShowState);
    if (options.fullscreen)
        EnterFullscreen();
    WaitForComposition = options.vsync;
    WindowContext = GetDC(Window);
    if (WindowContext == nullptr)
        return "cannot get the window's device context";
    MemoryContext = CreateCompatibleDC(WindowContext);
    if (MemoryContext == nullptr)
        return "cannot create a memory device context";
    return nullptr;
}

uint8_t* PlatformCreateFrameBuffer(const RgbQuad* palette, const FrameLayout& layout) {
    Layout = layout;
    FrameBitmapInfo info;
    DescribeFrameBitmap(info, palette);
    void* pixels = nullptr;
    FrameBitmap = CreateDIBSection(MemoryContext, reinterpret_cast<const BITMAPINFO*>(&info),
                                   DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (FrameBitmap == nullptr || pixels == nullptr)
        return nullptr;
    // Without the bitmap in the memory context nothing drawn would ever reach the window.
    if (SelectObject(MemoryContext, FrameBitmap) == nullptr)
        return nullptr;
    return static_cast<uint8_t*>(pixels);
}

bool PlatformPumpEvents() {
    bool quit = false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
        if (message.message == WM_QUIT)
            quit = true;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // Like the keyboard, which reaches only the focused window, controllers steer the walk only
    // while its window is in front.
    if (GetForegroundWindow() == Window)
        PollXInputControllers(ControllerStates);
    else
        std::fill(std::begin(ControllerStates), std::end(ControllerStates), ControllerState{});
    return quit;
}

int64_t PlatformCounter() {
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

int64_t PlatformCounterFrequency() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart;
}

// Sleep counts whole milliseconds of the system timer, whose default period of about 15.6 ms
// would hold a 60 Hz cap near 32 frames a second; the first sleep asks for 1 ms periods for the
// rest of the run. Rounding up keeps a sleep from waking before the frame is due.
void PlatformSleep(double milliseconds) {
    static const bool FineTimer = timeBeginPeriod(1) == TIMERR_NOERROR;
    (void)FineTimer;
    Sleep(static_cast<DWORD>(std::ceil(milliseconds)));
}

// Down when the high-order bit of any bound key's state is set.
bool PlatformKeyDown(Key key) {
    for (int virtualKey : BoundKeys[static_cast<int>(key)]) {
        if (GetKeyState(virtualKey) < 0)
            return true;
    }
    return AnyControllerHoldsKey(ControllerStates, key);
}

void PlatformEnableMouse() {
    EnableWin32Mouse(Window);
}

MouseMotion PlatformTakeMouseMotion() {
    return TakeWin32MouseMotion();
}

// The fixed window keeps the plain stretch over its whole client area, which is the frame at the
// whole factor of its layout.
void PlatformPresent() {
    GetClientRect(Window, &ClientRect);
    if (!Fullscreen && !IsIconic(Window) && ClientRect.right > 0 && ClientRect.bottom > 0) {
        WindowedWidth = ClientRect.right;
        WindowedHeight = ClientRect.bottom;
    }
    if (Fullscreen || Resizable)
        PresentFitted();
    else
        StretchBlt(WindowContext, 0, 0, ClientRect.right, ClientRect.bottom, MemoryContext, 0, 0,
                   Layout.width, Layout.height, SRCCOPY);
    // With --vsync, wait for the desktop compositor's next frame; without composition the
    // call fails at once and presenting goes on unpaced.
    if (WaitForComposition)
        DwmFlush();
}

void PlatformSetTitle(const char* title) {
    SetWindowTextA(Window, title);
}

bool PlatformWindowSize(int& width, int& height) {
    width = WindowedWidth;
    height = WindowedHeight;
    return width > 0 && height > 0;
}
