// The SDL2 backend on SDL's offscreen video driver: the presented picture, fullscreen with
// whole-factor scaling, and game controllers plugged in and out while the program runs, with
// SDL's virtual joysticks standing in for real ones. Built once for each frame scale in
// DRAV_TEST_SCALE, since SDL opens its video driver once per process.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/platform.h"
#include "platform/sdl2.h"
#include "render/frame_layout.h"
#include "render/palette.h"

namespace {

RgbQuad TestPalette[PaletteSize];
const FrameLayout Layout = LayoutForScale(DRAV_TEST_SCALE);
const int FramePixelCount = Layout.width * Layout.height;

// A palette entry as read back from the window, 0x00RRGGBB.
Uint32 ColourOf(uint8_t index) {
    const RgbQuad& entry = TestPalette[index];
    return Uint32{entry.red} << 16 | Uint32{entry.green} << 8 | entry.blue;
}

// SDL can open its one video driver once per process: every test shares the window.
class Sdl2Backend : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        // SDL's own software renderer, whose picture can be read back after it is presented.
        setenv("SDL_RENDER_DRIVER", "software", 0);
        // An offscreen window never has the keyboard focus, without which SDL holds back
        // controller input, as it should for a program in the background.
        setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
        BuildPalette(TestPalette);
        OpenFailure = PlatformOpenWindow(Layout);
        if (OpenFailure == nullptr) {
            Pixels = PlatformCreateFrameBuffer(TestPalette, Layout);
        }
    }

    void SetUp() override {
        ASSERT_EQ(OpenFailure, nullptr) << OpenFailure;
        ASSERT_NE(Pixels, nullptr);
        PlatformPumpEvents();
    }

    // The window's picture after presenting the frame of PaintCorners, as 0x00RRGGBB per pixel.
    static std::vector<Uint32> PresentCornersAndRead(int& width, int& height) {
        PaintCorners();
        PlatformPresent();
        SDL_GetRendererOutputSize(Renderer, &width, &height);
        std::vector<Uint32> picture(static_cast<size_t>(width) * height);
        SDL_RenderReadPixels(Renderer, nullptr, SDL_PIXELFORMAT_RGB888, picture.data(), width * 4);
        for (Uint32& pixel : picture) {
            pixel &= 0xFFFFFF;
        }
        return picture;
    }

    // Frame pixels that tell the corners apart; everything else is index 0.
    static void PaintCorners() {
        std::fill(Pixels, Pixels + FramePixelCount, uint8_t{0});
        Pixels[0] = 5;
        Pixels[Layout.width - 1] = 100;
        Pixels[FramePixelCount - Layout.width] = 180;
        Pixels[FramePixelCount - 1] = 255;
    }

    static const char* OpenFailure;
    static uint8_t* Pixels;
};

const char* Sdl2Backend::OpenFailure = nullptr;
uint8_t* Sdl2Backend::Pixels = nullptr;

// The corners PaintCorners set, in a picture of the given width that shows the frame from
// (left, top) with every frame pixel a block x block square.
void ExpectCornerBlocks(const std::vector<Uint32>& picture, int width, int left, int top,
                        int block) {
    const auto at = [&](int x, int y) { return picture[static_cast<size_t>(y) * width + x]; };
    const int right = left + Layout.width * block;
    const int bottom = top + Layout.height * block;
    EXPECT_EQ(at(left, top), ColourOf(5));
    EXPECT_EQ(at(left + block - 1, top + block - 1), ColourOf(5));
    EXPECT_EQ(at(left + block, top), ColourOf(0));
    EXPECT_EQ(at(right - block, top), ColourOf(100));
    EXPECT_EQ(at(right - block - 1, top), ColourOf(0));
    EXPECT_EQ(at(left, bottom - 1), ColourOf(180));
    EXPECT_EQ(at(right - 1, bottom - 1), ColourOf(255));
    EXPECT_EQ(at(right - block, bottom - block), ColourOf(255));
}

// At scale 1 every frame pixel is a 2x2 block of the 640x480 window; above, one window pixel.
TEST_F(Sdl2Backend, AWindowShowsEveryFramePixelAsABlockOfTheShownSize) {
    int width = 0;
    int height = 0;
    const std::vector<Uint32> picture = PresentCornersAndRead(width, height);
    ASSERT_EQ(width, Layout.shownWidth);
    ASSERT_EQ(height, Layout.shownHeight);
    ExpectCornerBlocks(picture, width, 0, 0, ShownPixelSize(Layout));
}

// Sends a key press through SDL's queue, as the keyboard would, and lets the backend pump it.
void PressKey(SDL_Scancode scancode, Uint16 modifiers) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(Window);
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    event.key.keysym.mod = modifiers;
    SDL_PushEvent(&event);
    event.type = SDL_KEYUP;
    SDL_PushEvent(&event);
    PlatformPumpEvents();
    // The window's new size arrives as events of the next pump.
    PlatformPumpEvents();
}

bool IsFullscreen() {
    return (SDL_GetWindowFlags(Window) & SDL_WINDOW_FULLSCREEN) != 0;
}

TEST_F(Sdl2Backend, F11AndAltEnterToggleFullscreenWithAWholeFactorAndBlackBorders) {
    SDL_Rect display;
    ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0);
    PressKey(SDL_SCANCODE_F11, KMOD_NONE);
    ASSERT_TRUE(IsFullscreen());

    int width = 0;
    int height = 0;
    const std::vector<Uint32> picture = PresentCornersAndRead(width, height);
    ASSERT_EQ(width, display.w);
    ASSERT_EQ(height, display.h);
    const int factor = std::min(width / Layout.width, height / Layout.height);
    ASSERT_GE(factor, 1);
    const int left = (width - Layout.width * factor) / 2;
    const int top = (height - Layout.height * factor) / 2;
    ExpectCornerBlocks(picture, width, left, top, factor);
    const auto at = [&](int x, int y) { return picture[static_cast<size_t>(y) * width + x]; };
    if (left > 0) {
        EXPECT_EQ(at(left - 1, top), 0u);
        EXPECT_EQ(at(left + Layout.width * factor, height - 1), 0u);
    }
    if (top > 0) {
        EXPECT_EQ(at(left, top - 1), 0u);
        EXPECT_EQ(at(width - 1, top + Layout.height * factor), 0u);
    }

    // Alt+Enter leaves fullscreen and the window has its own size again; a plain Enter does
    // nothing.
    PressKey(SDL_SCANCODE_RETURN, KMOD_NONE);
    EXPECT_TRUE(IsFullscreen());
    PressKey(SDL_SCANCODE_RETURN, KMOD_LALT);
    EXPECT_FALSE(IsFullscreen());
    SDL_GetWindowSize(Window, &width, &height);
    EXPECT_EQ(width, Layout.shownWidth);
    EXPECT_EQ(height, Layout.shownHeight);
    PresentCornersAndRead(width, height);
    EXPECT_EQ(width, Layout.shownWidth);
    EXPECT_EQ(height, Layout.shownHeight);
}

// A virtual joystick laid out as a game controller: buttons and axes numbered as SDL's.
struct VirtualController {
    SDL_Joystick* joystick;
};

VirtualController PlugInController() {
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    return VirtualController{index < 0 ? nullptr : SDL_JoystickOpen(index)};
}

// Device indices move down as joysticks go, so the one to detach is found by its instance.
void Unplug(VirtualController& controller) {
    const SDL_JoystickID instance = SDL_JoystickInstanceID(controller.joystick);
    SDL_JoystickClose(controller.joystick);
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instance) {
            SDL_JoystickDetachVirtual(index);
        }
    }
}

TEST_F(Sdl2Backend, ControllersPluggedInWhileRunningActAsKeysUntilUnplugged) {
    VirtualController first = PlugInController();
    ASSERT_NE(first.joystick, nullptr) << SDL_GetError();
    SDL_JoystickSetVirtualButton(first.joystick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(first.joystick, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1);
    SDL_JoystickSetVirtualAxis(first.joystick, SDL_CONTROLLER_AXIS_LEFTY, -30000);
    PlatformPumpEvents();
    EXPECT_TRUE(PlatformKeyDown(Key::End));
    EXPECT_TRUE(PlatformKeyDown(Key::PageDown));
    EXPECT_TRUE(PlatformKeyDown(Key::Up));
    EXPECT_FALSE(PlatformKeyDown(Key::PageUp));
    EXPECT_FALSE(PlatformKeyDown(Key::Down));

    VirtualController second = PlugInController();
    ASSERT_NE(second.joystick, nullptr) << SDL_GetError();
    SDL_JoystickSetVirtualButton(second.joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
    PlatformPumpEvents();
    EXPECT_TRUE(PlatformKeyDown(Key::Left));
    EXPECT_TRUE(PlatformKeyDown(Key::End));

    Unplug(first);
    PlatformPumpEvents();
    EXPECT_FALSE(PlatformKeyDown(Key::End));
    EXPECT_FALSE(PlatformKeyDown(Key::Up));
    EXPECT_TRUE(PlatformKeyDown(Key::Left));

    Unplug(second);
    PlatformPumpEvents();
    EXPECT_FALSE(PlatformKeyDown(Key::Left));
}

} // namespace
