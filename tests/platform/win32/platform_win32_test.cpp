// The Win32 backend against the real window system: the window, the frame bitmap, the pump,
// the keys, the clock and the title.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "app/platform.h"
#include "platform/win32.h"
#include "platform/win32_xinput.h"
#include "render/frame_buffer.h"
#include "render/palette.h"

namespace {

RgbQuad TestPalette[PaletteSize];

COLORREF ColourOf(uint8_t index) {
    const RgbQuad& entry = TestPalette[index];
    return RGB(entry.red, entry.green, entry.blue);
}

// The window class can be registered once per process, so every test shares one window and
// one frame bitmap, made the way the demo makes them.
class Win32Backend : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ProgramInstance = GetModuleHandleA(nullptr);
        ProgramShowState = SW_SHOWNORMAL;
        BuildPalette(TestPalette);
        OpenFailure = PlatformOpenWindow(LayoutForScale(1));
        if (OpenFailure == nullptr)
            Pixels = PlatformCreateFrameBuffer(TestPalette, LayoutForScale(1));
    }

    void SetUp() override {
        ASSERT_EQ(OpenFailure, nullptr) << OpenFailure;
        ASSERT_NE(Pixels, nullptr);
        PlatformPumpEvents();
    }

    static const char* OpenFailure;
    static uint8_t* Pixels;
};

const char* Win32Backend::OpenFailure = nullptr;
uint8_t* Win32Backend::Pixels = nullptr;

TEST_F(Win32Backend, WindowHasA640By480ClientAreaAndTheStartTitle) {
    RECT client;
    ASSERT_TRUE(GetClientRect(Window, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);

    RECT outer;
    ASSERT_TRUE(GetWindowRect(Window, &outer));
    EXPECT_GT(outer.right - outer.left, 640);
    EXPECT_GT(outer.bottom - outer.top, 480);

    char text[64] = {};
    GetWindowTextA(Window, text, sizeof text);
    EXPECT_STREQ(text, "DRAV");
    GetClassNameA(Window, text, sizeof text);
    EXPECT_STREQ(text, "DRAVWINCLASS");
    EXPECT_TRUE(IsWindowVisible(Window));
}

TEST_F(Win32Backend, WindowCanBeMinimisedButNotResized) {
    const LONG style = GetWindowLongA(Window, GWL_STYLE);
    EXPECT_EQ(style & 0x00CA0000, 0x00CA0000);
    EXPECT_EQ(style & WS_THICKFRAME, 0);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(GetWindowLongA(Window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST_F(Win32Backend, WindowClassHasTheStandardIconAndArrowAndNoBackground) {
    WNDCLASSA windowClass;
    ASSERT_TRUE(GetClassInfoA(ProgramInstance, "DRAVWINCLASS", &windowClass));
    EXPECT_EQ(windowClass.style, 0u);
    EXPECT_EQ(windowClass.lpfnWndProc, &WindowProcedure);
    EXPECT_EQ(windowClass.hIcon, LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_EQ(windowClass.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(windowClass.hbrBackground, nullptr);
    EXPECT_EQ(windowClass.lpszMenuName, nullptr);
}

TEST_F(Win32Backend, FrameBitmapIsTheFrameBufferWithThePaletteAsColourTable) {
    DIBSECTION section;
    ASSERT_EQ(GetObjectA(FrameBitmap, sizeof section, &section), int(sizeof section));
    EXPECT_EQ(section.dsBm.bmBits, Pixels);
    EXPECT_EQ(section.dsBm.bmWidth, 320);
    EXPECT_EQ(section.dsBm.bmHeight, 240);
    EXPECT_EQ(section.dsBm.bmWidthBytes, 320);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 8);
    EXPECT_EQ(GetCurrentObject(MemoryContext, OBJ_BITMAP), FrameBitmap);

    RGBQUAD table[PaletteSize];
    ASSERT_EQ(GetDIBColorTable(MemoryContext, 0, PaletteSize, table), UINT(PaletteSize));
    for (int index = 0; index < PaletteSize; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(table[index].rgbBlue, TestPalette[index].blue);
        EXPECT_EQ(table[index].rgbGreen, TestPalette[index].green);
        EXPECT_EQ(table[index].rgbRed, TestPalette[index].red);
        EXPECT_EQ(table[index].rgbReserved, 0);
    }
}

// Distinct grey-ramp and cube colours for the corners, on a cube colour background.
constexpr uint8_t Background = 43;
constexpr uint8_t TopLeft = 215;
constexpr uint8_t TopRight = 5;
constexpr uint8_t SecondRow = 30;
constexpr uint8_t BottomRight = 180;

void DrawCornerPattern(uint8_t* pixels) {
    std::memset(pixels, Background, FrameSize);
    pixels[0] = TopLeft;
    pixels[319] = TopRight;
    pixels[320] = SecondRow;
    pixels[76799] = BottomRight;
    GdiFlush();
}

struct PixelAt {
    int x, y;
    uint8_t index;
};

void ExpectPixels(HDC context, std::initializer_list<PixelAt> expected) {
    for (const PixelAt& pixel : expected) {
        SCOPED_TRACE(testing::Message() << "at " << pixel.x << "," << pixel.y);
        EXPECT_EQ(GetPixel(context, pixel.x, pixel.y), ColourOf(pixel.index));
    }
}

TEST_F(Win32Backend, FrameBufferRowsRunTopDownWith320BytesEach) {
    DrawCornerPattern(Pixels);
    ExpectPixels(MemoryContext, {{0, 0, TopLeft},
                                 {319, 0, TopRight},
                                 {0, 1, SecondRow},
                                 {319, 239, BottomRight},
                                 {1, 0, Background},
                                 {0, 239, Background}});
}

TEST_F(Win32Backend, PresentStretchesEveryFramePixelToTwoByTwo) {
    DrawCornerPattern(Pixels);
    PlatformPresent();
    GdiFlush();
    ExpectPixels(WindowContext, {{0, 0, TopLeft},
                                 {1, 1, TopLeft},
                                 {2, 0, Background},
                                 {638, 0, TopRight},
                                 {639, 1, TopRight},
                                 {0, 2, SecondRow},
                                 {1, 3, SecondRow},
                                 {638, 478, BottomRight},
                                 {639, 479, BottomRight},
                                 {637, 477, Background}});
}

TEST_F(Win32Backend, DestroyingAWindowOfTheClassQuitsThePump) {
    EXPECT_FALSE(PlatformPumpEvents());
    HWND other = CreateWindowExA(0, "DRAVWINCLASS", "other", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                 nullptr, ProgramInstance, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(PlatformPumpEvents());
    DestroyWindow(other);
    EXPECT_TRUE(PlatformPumpEvents());
    EXPECT_FALSE(PlatformPumpEvents());
}

TEST_F(Win32Backend, WindowProcedureGivesEveryMessageTheDefaultTreatment) {
    char title[64] = {};
    const int length = GetWindowTextA(Window, title, sizeof title);
    ASSERT_GT(length, 0);
    EXPECT_EQ(WindowProcedure(Window, WM_GETTEXTLENGTH, 0, 0), length);
    EXPECT_EQ(WindowProcedure(Window, WM_NCHITTEST, 0, MAKELPARAM(-30000, -30000)),
              DefWindowProcA(Window, WM_NCHITTEST, 0, MAKELPARAM(-30000, -30000)));
}

TEST_F(Win32Backend, PumpEmptiesTheQueuePastTheQuitMessage) {
    const DWORD thread = GetCurrentThreadId();
    ASSERT_TRUE(PostThreadMessageA(thread, WM_QUIT, 0, 0));
    ASSERT_TRUE(PostThreadMessageA(thread, WM_APP, 0, 0));
    EXPECT_TRUE(PlatformPumpEvents());
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, WM_APP, WM_APP, PM_NOREMOVE));

    ASSERT_TRUE(PostThreadMessageA(thread, WM_APP, 0, 0));
    EXPECT_FALSE(PlatformPumpEvents());
}

struct KeyBinding {
    Key key;
    int virtualKey;
};

constexpr KeyBinding Bindings[] = {
    {Key::End, VK_END},     {Key::PageUp, VK_PRIOR}, {Key::PageDown, VK_NEXT}, {Key::Left, VK_LEFT},
    {Key::Right, VK_RIGHT}, {Key::Up, VK_UP},        {Key::Down, VK_DOWN},
};

// Only the held key reads as down; a toggled but released key does not.
TEST_F(Win32Backend, EachKeyReadsTheHighBitOfItsOwnVirtualKey) {
    for (const KeyBinding& held : Bindings) {
        BYTE state[256] = {};
        state[held.virtualKey] = 0x80;
        ASSERT_TRUE(SetKeyboardState(state));
        for (const KeyBinding& asked : Bindings) {
            SCOPED_TRACE(asked.virtualKey);
            EXPECT_EQ(PlatformKeyDown(asked.key), asked.virtualKey == held.virtualKey);
        }
        state[held.virtualKey] = 0x01;
        ASSERT_TRUE(SetKeyboardState(state));
        EXPECT_FALSE(PlatformKeyDown(held.key));
    }
}

TEST_F(Win32Backend, ClockReadsTheWholePerformanceCounter) {
    LARGE_INTEGER before, after, frequency;
    QueryPerformanceCounter(&before);
    const int64_t count = PlatformCounter();
    QueryPerformanceCounter(&after);
    EXPECT_LE(before.QuadPart, count);
    EXPECT_LE(count, after.QuadPart);
    QueryPerformanceFrequency(&frequency);
    EXPECT_EQ(PlatformCounterFrequency(), frequency.QuadPart);
    EXPECT_GT(frequency.QuadPart, 0);
}

TEST_F(Win32Backend, TitleIsSetOnTheWindow) {
    PlatformSetTitle("59.88 FPS (16.70 ms) models=42");
    char text[64] = {};
    GetWindowTextA(Window, text, sizeof text);
    EXPECT_STREQ(text, "59.88 FPS (16.70 ms) models=42");
}

// Key data as the system sends it: a repeat count of 1, and bit 29 when Alt is held, bit 30
// when the key was already down.
void SendKey(UINT message, WPARAM key, bool alt, bool repeat) {
    LPARAM data = 1;
    if (alt)
        data |= LPARAM{1} << 29;
    if (repeat)
        data |= LPARAM{1} << 30;
    SendMessageA(Window, message, key, data);
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(Win32Backend, F11FillsTheMonitorAtAWholeFactorAndAltEnterRestoresTheWindow) {
    RECT windowed;
    ASSERT_TRUE(GetWindowRect(Window, &windowed));
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST), &monitor));
    const int width = monitor.rcMonitor.right - monitor.rcMonitor.left;
    const int height = monitor.rcMonitor.bottom - monitor.rcMonitor.top;

    SendKey(WM_KEYDOWN, VK_F11, false, false);
    RECT client;
    ASSERT_TRUE(GetClientRect(Window, &client));
    EXPECT_EQ(client.right, width);
    EXPECT_EQ(client.bottom, height);

    DrawCornerPattern(Pixels);
    PlatformPresent();
    GdiFlush();
    const int factor = std::min(width / 320, height / 240);
    const int left = (width - 320 * factor) / 2;
    const int top = (height - 240 * factor) / 2;
    const int right = left + 320 * factor;
    const int bottom = top + 240 * factor;
    ExpectPixels(WindowContext, {{left, top, TopLeft},
                                 {left + factor - 1, top + factor - 1, TopLeft},
                                 {left + factor, top, Background},
                                 {right - 1, top, TopRight},
                                 {right - 1, bottom - 1, BottomRight}});
    if (left > 0) {
        EXPECT_EQ(GetPixel(WindowContext, left - 1, top), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(WindowContext, right, bottom - 1), RGB(0, 0, 0));
    }
    if (top > 0) {
        EXPECT_EQ(GetPixel(WindowContext, left, top - 1), RGB(0, 0, 0));
        EXPECT_EQ(GetPixel(WindowContext, right - 1, bottom), RGB(0, 0, 0));
    }

    // A held key's repeats and a plain Enter change nothing.
    SendKey(WM_KEYDOWN, VK_F11, false, true);
    SendKey(WM_KEYDOWN, VK_RETURN, false, false);
    ASSERT_TRUE(GetClientRect(Window, &client));
    EXPECT_EQ(client.right, width);

    SendKey(WM_SYSKEYDOWN, VK_RETURN, true, false);
    RECT restored;
    ASSERT_TRUE(GetWindowRect(Window, &restored));
    EXPECT_TRUE(SameRect(restored, windowed));
    ASSERT_TRUE(GetClientRect(Window, &client));
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(GetWindowLongA(Window, GWL_STYLE) & 0x00CF0000, 0x00CA0000);
    EXPECT_NE(GetWindowLongA(Window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
}

TEST(XInputMapping, StickUpIsUpAndTheButtonsAreTheirKeys) {
    XINPUT_GAMEPAD pad = {};
    pad.sThumbLY = 32767;
    pad.sThumbLX = -9000;
    pad.wButtons = XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_RIGHT_SHOULDER;
    ControllerState state = ControllerFromXInput(pad);
    EXPECT_TRUE(ControllerHoldsKey(state, Key::Up));
    EXPECT_FALSE(ControllerHoldsKey(state, Key::Down));
    EXPECT_TRUE(ControllerHoldsKey(state, Key::Left));
    EXPECT_TRUE(ControllerHoldsKey(state, Key::End));
    EXPECT_TRUE(ControllerHoldsKey(state, Key::PageDown));
    EXPECT_FALSE(ControllerHoldsKey(state, Key::PageUp));

    pad = {};
    pad.sThumbLY = -32768; // full down, whose negation does not fit 16 bits
    pad.wButtons = XINPUT_GAMEPAD_DPAD_RIGHT | XINPUT_GAMEPAD_LEFT_SHOULDER;
    state = ControllerFromXInput(pad);
    EXPECT_EQ(state.stickY, 32767);
    EXPECT_TRUE(ControllerHoldsKey(state, Key::Down));
    EXPECT_TRUE(ControllerHoldsKey(state, Key::Right));
    EXPECT_TRUE(ControllerHoldsKey(state, Key::PageUp));
    EXPECT_FALSE(ControllerHoldsKey(state, Key::Up));
}

} // namespace
