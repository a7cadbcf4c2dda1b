// drav on SDL2: one window with an SDL renderer, the frame converted into a
// streaming texture each frame and scaled by the renderer at a whole factor; keys by key code
// from SDL's keyboard state and from any game controllers, time from SDL's performance counter.
#include "platform/sdl2.h"

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/platform.h"
#include "capture/capture.h"
#include "cli/option_values.h"
#include "platform/controller.h"
#include "platform/integer_fit.h"
#include "platform/key_names.h"

SDL_Window* Window = nullptr;
SDL_Renderer* Renderer = nullptr;

namespace {

// The frame's size and the window's client size outside fullscreen.
FrameLayout Layout{};
// The client size when the window was last presented neither fullscreen nor minimised.
int WindowedWidth = 0;
int WindowedHeight = 0;
// Where the window stood before it last went fullscreen; centred when it started there.
int WindowedX = SDL_WINDOWPOS_CENTERED;
int WindowedY = SDL_WINDOWPOS_CENTERED;
// After leaving fullscreen, the times the window may still be put back where it stood, and
// until when (SDL's milliseconds).
constexpr int PlacementTries = 3;
constexpr Uint32 PlacementMilliseconds = 1000;
int PlacementTriesLeft = 0;
Uint32 PlacementDeadline = 0;
SDL_Texture* FrameTexture = nullptr;
std::vector<uint8_t> FramePixels;
// The palette as the texture's 32-bit pixels.
Uint32 TextureColours[PaletteSize];
char FailureText[256];

// Mouse turning: asked for by --mouse; released by Escape or focus loss until a click.
bool MouseWanted = false;
bool MouseReleased = false;
MouseMotion GatheredMotion{};

// The pointer is captured in relative mode while the mouse is wanted, not released, and the
// window has the keyboard focus.
void UpdateMouseCapture() {
    const bool focused = (SDL_GetWindowFlags(Window) & SDL_WINDOW_INPUT_FOCUS) != 0;
    SDL_SetRelativeMouseMode(MouseWanted && !MouseReleased && focused ? SDL_TRUE : SDL_FALSE);
}

void ReleaseMouse(bool released) {
    MouseReleased = released;
    UpdateMouseCapture();
}

// Focus and clicks move the capture; motion counts only while captured.
void HandleMouseEvent(const SDL_Event& event) {
    if (!MouseWanted) {
        return;
    }
    if (event.type == SDL_MOUSEMOTION && SDL_GetRelativeMouseMode()) {
        GatheredMotion.dx += event.motion.xrel;
        GatheredMotion.dy += event.motion.yrel;
    } else if (event.type == SDL_MOUSEBUTTONDOWN) {
        ReleaseMouse(false);
    } else if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        ReleaseMouse(true);
    } else if (event.type == SDL_WINDOWEVENT &&
               event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        UpdateMouseCapture();
    }
}

// The open controllers by slot, and the state of each as of the last pump; an empty slot is
// null and its state all zero.
SDL_GameController* Controllers[MaxControllers];
ControllerState ControllerStates[MaxControllers];

// The step that failed followed by SDL's reason, for the one line RunWindowProgram prints.
const char* DescribeFailure(const char* step) {
    std::snprintf(FailureText, sizeof FailureText, "%s: %s", step, SDL_GetError());
    return FailureText;
}

// When SDL cannot reach a display it falls back to video drivers that show nothing; drav would
// then run unseen, so it ends instead. A driver named in SDL_VIDEODRIVER is taken as asked.
const char* RefuseUnseenDriver() {
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool unseen = driver != nullptr && (std::strcmp(driver, "offscreen") == 0 ||
                                              std::strcmp(driver, "dummy") == 0);
    if (!unseen || std::getenv("SDL_VIDEODRIVER") != nullptr) {
        return nullptr;
    }
    std::snprintf(FailureText, sizeof FailureText,
                  "no display to show the window on (SDL fell back to its %s video driver)",
                  driver);
    return FailureText;
}

// Closing the window arrives as a window close event and, for the last window, as SDL_QUIT.
bool IsQuitEvent(const SDL_Event& event) {
    return event.type == SDL_QUIT ||
           (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE);
}

// The key codes bound to each KeyAction, made from the names when the window opens.
std::vector<SDL_Keycode> BoundKeys[KeyActionCount];

bool IsBound(KeyAction action, SDL_Keycode code) {
    for (SDL_Keycode bound : BoundKeys[static_cast<int>(action)]) {
        if (bound == code) {
            return true;
        }
    }
    return false;
}

// A fullscreen key, or Enter with Alt held.
bool IsFullscreenToggle(const SDL_Keysym& key) {
    return IsBound(KeyAction::Fullscreen, key.sym) ||
           ((key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER) &&
            (key.mod & KMOD_ALT) != 0);
}

// The keypad key that gives this key code while Num Lock is off, as it does on Windows; unknown
// for the others.
SDL_Scancode KeypadTwin(SDL_Keycode code) {
    switch (code) {
    case SDLK_END:
        return SDL_SCANCODE_KP_1;
    case SDLK_PAGEUP:
        return SDL_SCANCODE_KP_9;
    case SDLK_PAGEDOWN:
        return SDL_SCANCODE_KP_3;
    case SDLK_LEFT:
        return SDL_SCANCODE_KP_4;
    case SDLK_RIGHT:
        return SDL_SCANCODE_KP_6;
    case SDLK_UP:
        return SDL_SCANCODE_KP_8;
    case SDLK_DOWN:
        return SDL_SCANCODE_KP_2;
    default:
        return SDL_SCANCODE_UNKNOWN;
    }
}

// Keys are read by key code, as the Win32 program reads virtual keys.
bool KeyboardHoldsKey(Key key) {
    const Uint8* held = SDL_GetKeyboardState(nullptr);
    const bool numLock = (SDL_GetModState() & KMOD_NUM) != 0;
    for (SDL_Keycode code : BoundKeys[static_cast<int>(key)]) {
        // The key that gives this key code in the current keyboard layout.
        const SDL_Scancode scancode = SDL_GetScancodeFromKey(code);
        const SDL_Scancode keypad = KeypadTwin(code);
        if ((scancode != SDL_SCANCODE_UNKNOWN && held[scancode] != 0) ||
            (!numLock && keypad != SDL_SCANCODE_UNKNOWN && held[keypad] != 0)) {
            return true;
        }
    }
    return false;
}

void BindKeys(const KeyNames& names) {
    for (int action = 0; action < KeyActionCount; ++action) {
        BoundKeys[action].clear();
        for (const std::string& name : ActionKeyNames(names, static_cast<KeyAction>(action))) {
            BoundKeys[action].push_back(SDL_GetKeyFromName(name.c_str()));
        }
    }
}

// Takes the controller with this device index into the first free slot; a fifth controller
// is left alone.
void OpenController(int deviceIndex) {
    for (SDL_GameController*& slot : Controllers) {
        if (slot == nullptr) {
            slot = SDL_GameControllerOpen(deviceIndex);
            return;
        }
    }
}

// Closes the controller with this joystick instance id, emptying its slot.
void CloseController(SDL_JoystickID instance) {
    for (int index = 0; index < MaxControllers; ++index) {
        SDL_GameController* controller = Controllers[index];
        if (controller != nullptr &&
            SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller)) == instance) {
            SDL_GameControllerClose(controller);
            Controllers[index] = nullptr;
            ControllerStates[index] = ControllerState{};
        }
    }
}

ControllerState ReadController(SDL_GameController* controller) {
    const auto held = [controller](SDL_GameControllerButton button) {
        return SDL_GameControllerGetButton(controller, button) != 0;
    };
    ControllerState state{};
    state.dpadUp = held(SDL_CONTROLLER_BUTTON_DPAD_UP);
    state.dpadDown = held(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    state.dpadLeft = held(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    state.dpadRight = held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    state.leftShoulder = held(SDL_CONTROLLER_BUTTON_LEFTSHOULDER);
    state.rightShoulder = held(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    state.faceButton = held(SDL_CONTROLLER_BUTTON_A);
    state.stickX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    state.stickY = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
    return state;
}

void ReadControllers() {
    for (int index = 0; index < MaxControllers; ++index) {
        if (Controllers[index] != nullptr) {
            ControllerStates[index] = ReadController(Controllers[index]);
        }
    }
}

// Desktop fullscreen keeps the display's mode and gives the window the whole screen. On
// leaving, the client area is set to the layout's shown size and the window put back where
// it stood: not every video driver or window manager gives back either by itself.
void ToggleFullscreen() {
    if ((SDL_GetWindowFlags(Window) & SDL_WINDOW_FULLSCREEN) == 0) {
        SDL_GetWindowPosition(Window, &WindowedX, &WindowedY);
        PlacementTriesLeft = 0;
        SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return;
    }
    SDL_SetWindowFullscreen(Window, 0);
    SDL_SetWindowSize(Window, Layout.shownWidth, Layout.shownHeight);
    SDL_SetWindowPosition(Window, WindowedX, WindowedY);
    PlacementTriesLeft = SDL_WINDOWPOS_ISCENTERED(WindowedX) ? 0 : PlacementTries;
    PlacementDeadline = SDL_GetTicks() + PlacementMilliseconds;
}

// A window manager frames the window again only after it leaves fullscreen, and SDL places a
// window by its frame's corner. Placed before SDL has heard of the new frame, the window lands
// a frame's border and title bar away from where it stood; so for a moment after leaving
// fullscreen, a window found elsewhere is put back, a few times at most.
void KeepWindowedPlace() {
    if (PlacementTriesLeft == 0 || SDL_TICKS_PASSED(SDL_GetTicks(), PlacementDeadline)) {
        PlacementTriesLeft = 0;
        return;
    }
    int x = 0;
    int y = 0;
    SDL_GetWindowPosition(Window, &x, &y);
    if (x != WindowedX || y != WindowedY) {
        --PlacementTriesLeft;
        SDL_SetWindowPosition(Window, WindowedX, WindowedY);
    }
}

// The keys that act at once rather than being held: fullscreen, screenshot and clip. A held
// key's repeats do not act again.
void HandleKeyPress(const SDL_KeyboardEvent& key) {
    if (key.repeat != 0) {
        return;
    }
    if (IsFullscreenToggle(key.keysym)) {
        ToggleFullscreen();
    } else if (IsBound(KeyAction::Screenshot, key.keysym.sym)) {
        RequestScreenshot();
    } else if (IsBound(KeyAction::Clip, key.keysym.sym)) {
        RequestClipToggle();
    } else if (key.keysym.scancode == SDL_SCANCODE_ESCAPE && MouseWanted) {
        ReleaseMouse(true);
    }
}

// Expands the frame's palette indices into the texture, row by row at the texture's pitch.
void CopyFrameToTexture() {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(FrameTexture, nullptr, &pixels, &pitch) != 0) {
        return;
    }
    for (int row = 0; row < Layout.height; ++row) {
        const uint8_t* source = FramePixels.data() + static_cast<size_t>(row) * Layout.width;
        Uint32* target = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(pixels) + row * pitch);
        for (int column = 0; column < Layout.width; ++column) {
            target[column] = TextureColours[source[column]];
        }
    }
    SDL_UnlockTexture(FrameTexture);
}

} // namespace

const char* PlatformOpenWindow(const FrameLayout& layout, const DisplayOptions& options) {
    SDL_SetMainReady();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return DescribeFailure("cannot start SDL video");
    }
    if (const char* failure = RefuseUnseenDriver()) {
        return failure;
    }
    // Controllers are an extra: without them the keyboard still drives the walk.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    Layout = layout;
    BindKeys(options.keys);
    // Unless resizable, the client area keeps the shown size outside fullscreen.
    const Uint32 flags = SDL_WINDOW_SHOWN |
                         (options.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) |
                         (options.resizable ? SDL_WINDOW_RESIZABLE : 0);
    int width = layout.shownWidth;
    int height = layout.shownHeight;
    if (options.resizable && !options.windowSize.empty()) {
        ParseSize(options.windowSize, width, height);
    }
    Window = SDL_CreateWindow("DRAV", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width,
                              height, flags);
    if (Window == nullptr) {
        return DescribeFailure("cannot create the window");
    }
    // Whole-factor scaling needs no filtering: every frame pixel becomes a sharp block.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    Renderer = SDL_CreateRenderer(Window, -1, options.vsync ? SDL_RENDERER_PRESENTVSYNC : 0);
    if (Renderer == nullptr) {
        return DescribeFailure("cannot create a renderer for the window");
    }
    return nullptr;
}

uint8_t* PlatformCreateFrameBuffer(const RgbQuad* palette, const FrameLayout& layout) {
    // Presenting copies the frame of this layout, whatever the window was opened with.
    Layout.width = layout.width;
    Layout.height = layout.height;
    FrameTexture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, layout.width, layout.height);
    if (FrameTexture == nullptr) {
        return nullptr;
    }
    for (int i = 0; i < PaletteSize; ++i) {
        TextureColours[i] = 0xFF000000u | Uint32{palette[i].red} << 16 |
                            Uint32{palette[i].green} << 8 | Uint32{palette[i].blue};
    }
    // The renderer addresses rows at a pitch of exactly the frame's width.
    FramePixels.assign(static_cast<size_t>(layout.width) * layout.height, 0);
    return FramePixels.data();
}

bool PlatformPumpEvents() {
    bool quit = false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (IsQuitEvent(event)) {
            quit = true;
        } else if (event.type == SDL_KEYDOWN) {
            HandleKeyPress(event.key);
        } else if (event.type == SDL_CONTROLLERDEVICEADDED) {
            OpenController(event.cdevice.which);
        } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
            CloseController(event.cdevice.which);
        } else {
            HandleMouseEvent(event);
        }
    }
    KeepWindowedPlace();
    ReadControllers();
    return quit;
}

int64_t PlatformCounter() {
    return static_cast<int64_t>(SDL_GetPerformanceCounter());
}

int64_t PlatformCounterFrequency() {
    return static_cast<int64_t>(SDL_GetPerformanceFrequency());
}

// SDL_Delay counts whole milliseconds; rounding up keeps it from waking before the frame is due.
void PlatformSleep(double milliseconds) {
    SDL_Delay(static_cast<Uint32>(std::ceil(milliseconds)));
}

bool PlatformKeyDown(Key key) {
    return KeyboardHoldsKey(key) || AnyControllerHoldsKey(ControllerStates, key);
}

void PlatformEnableMouse() {
    MouseWanted = true;
    UpdateMouseCapture();
}

MouseMotion PlatformTakeMouseMotion() {
    const MouseMotion motion = GatheredMotion;
    GatheredMotion = MouseMotion{};
    return motion;
}

void PlatformPresent() {
    if ((SDL_GetWindowFlags(Window) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MINIMIZED)) == 0) {
        SDL_GetWindowSize(Window, &WindowedWidth, &WindowedHeight);
    }
    CopyFrameToTexture();
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(Renderer, &width, &height);
    const ScreenRect fit = FitFrameByWholeFactor(Layout.width, Layout.height, width, height);
    const SDL_Rect target = {fit.x, fit.y, fit.width, fit.height};
    // Black borders around the frame when the window is larger than a whole factor fills.
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    SDL_RenderCopy(Renderer, FrameTexture, nullptr, &target);
    SDL_RenderPresent(Renderer);
}

void PlatformSetTitle(const char* title) {
    SDL_SetWindowTitle(Window, title);
}

bool PlatformWindowSize(int& width, int& height) {
    width = WindowedWidth;
    height = WindowedHeight;
    return width > 0 && height > 0;
}

bool SdlKnowsKeyName(const std::string& name) {
    return SDL_GetKeyFromName(name.c_str()) != SDLK_UNKNOWN;
}
