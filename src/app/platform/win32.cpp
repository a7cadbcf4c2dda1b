// The Win32 backend of the platform seam: one window with a 640x480 client area, an 8-bit
// device-independent bitmap section as the frame buffer, the message pump, the keyboard and
// the performance counter.
#include "app/platform/win32.h"

#include "app/capture/capture.h"
#include "app/platform.h"

HINSTANCE ProgramInstance;
int ProgramShowState;
HWND Window;
HDC WindowContext;
HDC MemoryContext;
HBITMAP FrameBitmap;

namespace {

constexpr char WindowClassName[] = "DRAVWINCLASS";
constexpr char StartTitle[] = "DRAV";
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

bool RegisterWindowClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = ProgramInstance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = nullptr;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = WindowClassName;
    return RegisterClassA(&windowClass) != 0;
}

// The window is sized from the rectangle its client area must fill, grown by the caption,
// borders and client edge of its style.
HWND CreateMainWindow() {
    RECT outer = {0, 0, Layout.shownWidth, Layout.shownHeight};
    AdjustWindowRectEx(&outer, WindowStyle, FALSE, WindowExStyle);
    return CreateWindowExA(WindowExStyle, WindowClassName, StartTitle, WindowStyle, CW_USEDEFAULT,
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

int VirtualKeyOf(Key key) {
    switch (key) {
    case Key::End:
        return VK_END;
    case Key::PageUp:
        return VK_PRIOR;
    case Key::PageDown:
        return VK_NEXT;
    case Key::Left:
        return VK_LEFT;
    case Key::Right:
        return VK_RIGHT;
    case Key::Up:
        return VK_UP;
    case Key::Down:
        return VK_DOWN;
    }
    return 0;
}

} // namespace

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    // Bit 30 of lParam is set for auto-repeats of a held key; only the first press counts.
    if (message == WM_KEYDOWN && (lParam & (1 << 30)) == 0) {
        if (wParam == VK_F12)
            RequestScreenshot();
        else if (wParam == VK_F9)
            RequestClipToggle();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* PlatformOpenWindow(const FrameLayout& layout) {
    Layout = layout;
    if (!RegisterWindowClass())
        return "cannot register the window class";
    Window = CreateMainWindow();
    if (Window == nullptr)
        return "cannot create the window";
    ShowWindow(Window, ProgramShowState);
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

// Down when the high-order bit of the key state is set.
bool PlatformKeyDown(Key key) {
    return GetKeyState(VirtualKeyOf(key)) < 0;
}

void PlatformPresent() {
    GetClientRect(Window, &ClientRect);
    StretchBlt(WindowContext, 0, 0, ClientRect.right, ClientRect.bottom, MemoryContext, 0, 0,
               Layout.width, Layout.height, SRCCOPY);
}

void PlatformSetTitle(const char* title) {
    SetWindowTextA(Window, title);
}
