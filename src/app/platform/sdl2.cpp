// The demo on SDL2: one fixed-size window, an 8-bit surface whose pixels are the frame,
// stretched onto the window surface each frame; keys by key code from SDL's keyboard state and
// time from SDL's performance counter.
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>

#include "app/demo_run.h"
#include "app/capture/capture.h"
#include "app/main_loop.h"
#include "app/platform.h"
#include "cli/demo_options.h"

namespace {

SDL_Window* Window = nullptr;
SDL_Surface* FrameSurface = nullptr;
// The frame in the window surface's pixel format: SDL converts palette indices only in
// unscaled blits and stretches only between surfaces of one format.
SDL_Surface* ConvertedFrame = nullptr;
char FailureText[256];

// The step that failed followed by SDL's reason, for the one line RunDemo prints.
const char* DescribeFailure(const char* step) {
    std::snprintf(FailureText, sizeof FailureText, "%s: %s", step, SDL_GetError());
    return FailureText;
}

// Closing the window arrives as a window close event and, for the last window, as SDL_QUIT.
bool IsQuitEvent(const SDL_Event& event) {
    return event.type == SDL_QUIT ||
           (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

// Each Key, in the order of Key, by its key code, as the Win32 program reads virtual keys; and
// the keypad key that acts as it while Num Lock is off, as on Windows.
struct KeyBinding {
    SDL_Keycode code;
    SDL_Scancode keypad;
};
constexpr KeyBinding KeyBindings[] = {
    {SDLK_END, SDL_SCANCODE_KP_1},      {SDLK_PAGEUP, SDL_SCANCODE_KP_9},
    {SDLK_PAGEDOWN, SDL_SCANCODE_KP_3}, {SDLK_LEFT, SDL_SCANCODE_KP_4},
    {SDLK_RIGHT, SDL_SCANCODE_KP_6},    {SDLK_UP, SDL_SCANCODE_KP_8},
    {SDLK_DOWN, SDL_SCANCODE_KP_2},
};

// The converted frame matching the window surface's format, made again if that changes.
SDL_Surface* ConvertedFrameFor(const SDL_Surface* windowSurface) {
    const Uint32 format = windowSurface->format->format;
    if (ConvertedFrame != nullptr && ConvertedFrame->format->format != format) {
        SDL_FreeSurface(ConvertedFrame);
        ConvertedFrame = nullptr;
    }
    if (ConvertedFrame == nullptr) {
        ConvertedFrame = SDL_CreateRGBSurfaceWithFormat(0, FrameSurface->w, FrameSurface->h,
                                                        SDL_BITSPERPIXEL(format), format);
    }
    return ConvertedFrame;
}

} // namespace

const char* PlatformOpenWindow(const FrameLayout& layout) {
    SDL_SetMainReady();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return DescribeFailure("cannot start SDL video");
    }
    // No SDL_WINDOW_RESIZABLE: the client area keeps the shown size.
    Window = SDL_CreateWindow("DRAV", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                              layout.shownWidth, layout.shownHeight, SDL_WINDOW_SHOWN);
    if (Window == nullptr) {
        return DescribeFailure("cannot create the window");
    }
    if (SDL_GetWindowSurface(Window) == nullptr) {
        return DescribeFailure("cannot get the window surface");
    }
    return nullptr;
}

uint8_t* PlatformCreateFrameBuffer(const RgbQuad* palette, const FrameLayout& layout) {
    FrameSurface =
        SDL_CreateRGBSurfaceWithFormat(0, layout.width, layout.height, 8, SDL_PIXELFORMAT_INDEX8);
    // The renderer addresses rows at a pitch of exactly the frame's width.
    if (FrameSurface == nullptr || FrameSurface->pitch != layout.width) {
        return nullptr;
    }
    SDL_Color colours[PaletteSize];
    for (int i = 0; i < PaletteSize; ++i) {
        colours[i] = SDL_Color{palette[i].red, palette[i].green, palette[i].blue, 255};
    }
    if (SDL_SetPaletteColors(FrameSurface->format->palette, colours, 0, PaletteSize) != 0) {
        return nullptr;
    }
    return static_cast<uint8_t*>(FrameSurface->pixels);
}

bool PlatformPumpEvents() {
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (IsQuitEvent(event)) {
            quit = true;
        }
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
            if (event.key.keysym.scancode == SDL_SCANCODE_F12) {
                RequestScreenshot();
            } else if (event.key.keysym.scancode == SDL_SCANCODE_F9) {
                RequestClipToggle();
            }
        }
    }
    return quit;
}

int64_t PlatformCounter() {
    return static_cast<int64_t>(SDL_GetPerformanceCounter());
}

int64_t PlatformCounterFrequency() {
    return static_cast<int64_t>(SDL_GetPerformanceFrequency());
}

bool PlatformKeyDown(Key key) {
    const KeyBinding& binding = KeyBindings[static_cast<int>(key)];
    const Uint8* held = SDL_GetKeyboardState(nullptr);
    // The key that gives this key code in the current keyboard layout.
    const SDL_Scancode scancode = SDL_GetScancodeFromKey(binding.code);
    if (scancode != SDL_SCANCODE_UNKNOWN && held[scancode] != 0) {
        return true;
    }
    return (SDL_GetModState() & KMOD_NUM) == 0 && held[binding.keypad] != 0;
}

void PlatformPresent() {
    // Asked for each frame: SDL replaces the window surface when the window changes.
    SDL_Surface* windowSurface = SDL_GetWindowSurface(Window);
    if (windowSurface == nullptr) {
        return;
    }
    SDL_Surface* converted = ConvertedFrameFor(windowSurface);
    if (converted == nullptr) {
        return;
    }
    SDL_BlitSurface(FrameSurface, nullptr, converted, nullptr);
    SDL_BlitScaled(converted, nullptr, windowSurface, nullptr);
    SDL_UpdateWindowSurface(Window);
}

void PlatformSetTitle(const char* title) {
    SDL_SetWindowTitle(Window, title);
}

int main(int argc, char** argv) {
    DemoOptions options;
    const int exitStatus = ReportCommandLine(ParseDemoOptions(argc, argv, options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    return RunDemoSession(options);
}
