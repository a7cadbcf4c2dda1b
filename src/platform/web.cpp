// Web backend: the seam over a page's canvas, its keyboard events, the keys its on-screen
// controls hold, the Gamepad API, the pointer locked to the canvas for mouse turning,
// performance.now() and the page's status line. The page is
// never closed from inside, so no quit event exists.
#include "app/platform.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "capture/capture.h"
#include "platform/browser_gamepad.h"
#include "platform/browser_keys.h"
#include "platform/canvas_image.h"
#include "render/frame_buffer.h"

namespace {

const char CanvasSelector[] = "#canvas";
constexpr int64_t CounterTicksPerSecond = 1000000; // microseconds

bool HeldKeys[KeyCount];
// The keys the page's touch controls hold, as KeyBit bits.
uint8_t PageKeys = 0;
// The gamepads as of the last pump, by the browser's index; an empty slot holds nothing.
ControllerState Gamepads[MaxControllers];
FrameLayout Layout;
std::vector<uint8_t> FramePixels;
CanvasPixel CanvasColours[PaletteSize];
// Mouse turning: the pointer is locked to the canvas by a click, and unlocked on Escape and
// when the canvas loses the focus (as browsers do by themselves, though not every one for a
// key event it did not see come from the keyboard).
bool PointerLocked = false;
MouseMotion GatheredMotion{};
std::vector<CanvasPixel> CanvasImage;

// Sizes the page's canvas and keeps its 2D context for presenting, and the frame's size for the
// page's fit, which it then runs. Returns 0 on success, 1 when the page has no canvas, 2 when
// the canvas gives no 2D context.
EM_JS(int, OpenPageCanvas, (int width, int height, int frameWidth, int frameHeight), {
    const canvas = document.getElementById('canvas');
    if (!canvas) {
        return 1;
    }
    canvas.width = width;
    canvas.height = height;
    const context = canvas.getContext('2d', {alpha : false});
    if (!context) {
        return 2;
    }
    Module.dravCanvasContext = context;
    Module.dravFrameWidth = frameWidth;
    Module.dravFrameHeight = frameHeight;
    if (Module.dravFitCanvas) {
        Module.dravFitCanvas();
    }
    return 0;
});

EM_JS(void, PutCanvasImage, (const CanvasPixel* pixels, int width, int height), {
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
    Module.dravCanvasContext.putImageData(new ImageData(bytes, width, height), 0, 0);
});

// The frame-rate text goes to the page's status line; the tab keeps the program's name.
EM_JS(void, ShowStatusText, (const char* text), {
    const line = document.getElementById('status');
    if (line) {
        line.textContent = UTF8ToString(text);
    }
});

void UnlockPointer() {
    if (PointerLocked) {
        emscripten_exit_pointerlock();
    }
}

// The keys each action is bound to, as given when the canvas opened.
KeyNames BoundKeys;

// The keys that act at once, on their first press: screenshot, clip and fullscreen.
void ActOnce(KeyAction action) {
    if (action == KeyAction::Screenshot) {
        RequestScreenshot();
    } else if (action == KeyAction::Clip) {
        RequestClipToggle();
    } else if (action == KeyAction::Fullscreen) {
        EM_ASM({ Module.dravAskForFullscreen(); });
    }
}

// Records the seven keys and acts on the others; returning true prevents their default action
// (scrolling the page).
EM_BOOL OnKeyChange(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    // Escape frees the pointer and goes on to the page.
    if (eventType == EMSCRIPTEN_EVENT_KEYDOWN && std::strcmp(event->key, "Escape") == 0) {
        UnlockPointer();
    }
    KeyAction action;
    if (!ActionFromBrowserName(BoundKeys, event->key, &action)) {
        return EM_FALSE;
    }
    const bool down = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
    if (static_cast<int>(action) < KeyCount) {
        HeldKeys[static_cast<int>(action)] = down;
    } else if (down && !event->repeat) {
        ActOnce(action);
    }
    return EM_TRUE;
}

// A key released after the canvas lost focus never reaches it, so focus loss lets go of all.
EM_BOOL OnFocusLost(int, const EmscriptenFocusEvent*, void*) {
    for (bool& held : HeldKeys) {
        held = false;
    }
    UnlockPointer();
    return EM_FALSE;
}

EM_BOOL OnCanvasClick(int, const EmscriptenMouseEvent*, void*) {
    emscripten_request_pointerlock(CanvasSelector, EM_FALSE);
    return EM_FALSE;
}

EM_BOOL OnPointerLockChange(int, const EmscriptenPointerlockChangeEvent* event, void*) {
    PointerLocked = event->isActive != 0;
    return EM_FALSE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* event, void*) {
    if (PointerLocked) {
        GatheredMotion.dx += static_cast<int32_t>(event->movementX);
        GatheredMotion.dy += static_cast<int32_t>(event->movementY);
    }
    return EM_FALSE;
}

// Reads every gamepad of the standard layout; others have no known button order.
void ReadGamepads() {
    std::fill(std::begin(Gamepads), std::end(Gamepads), ControllerState{});
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) {
        return;
    }
    const int count = std::min(emscripten_get_num_gamepads(), MaxControllers);
    for (int index = 0; index < count; ++index) {
        EmscriptenGamepadEvent pad;
        if (emscripten_get_gamepad_status(index, &pad) == EMSCRIPTEN_RESULT_SUCCESS &&
            pad.connected && std::strcmp(pad.mapping, "standard") == 0) {
            Gamepads[index] = ControllerFromStandardGamepad(pad.axis, pad.numAxes,
                                                            pad.digitalButton, pad.numButtons);
        }
    }
}

} // namespace

// Called by the page's touch controls with every key they hold, as KeyBit bits.
extern "C" EMSCRIPTEN_KEEPALIVE void SetPageKeys(int keyBits) {
    PageKeys = static_cast<uint8_t>(keyBits & AllKeyBits);
}

const char* PlatformOpenWindow(const FrameLayout& layout, const DisplayOptions& options) {
    BoundKeys = options.keys;
    switch (OpenPageCanvas(layout.shownWidth, layout.shownHeight, layout.width, layout.height)) {
    case 1:
        return "the page has no element with id \"canvas\"";
    case 2:
        return "the canvas gives no 2D drawing context";
    }
    emscripten_set_keydown_callback(CanvasSelector, nullptr, EM_FALSE, OnKeyChange);
    emscripten_set_keyup_callback(CanvasSelector, nullptr, EM_FALSE, OnKeyChange);
    emscripten_set_blur_callback(CanvasSelector, nullptr, EM_FALSE, OnFocusLost);
    return nullptr;
}

uint8_t* PlatformCreateFrameBuffer(const RgbQuad* palette, const FrameLayout& layout) {
    Layout = layout;
    BuildCanvasColours(palette, CanvasColours);
    FramePixels.assign(static_cast<size_t>(layout.width) * layout.height, 0);
    CanvasImage.assign(static_cast<size_t>(layout.shownWidth) * layout.shownHeight, CanvasPixel{});
    return FramePixels.data();
}

bool PlatformPumpEvents() {
    // The browser dispatches key, touch and focus events between animation frames by itself;
    // gamepads are only ever sampled.
    ReadGamepads();
    return false;
}

int64_t PlatformCounter() {
    const double microseconds = emscripten_get_now() * 1000.0;
    return static_cast<int64_t>(std::nearbyint(microseconds));
}

int64_t PlatformCounterFrequency() {
    return CounterTicksPerSecond;
}

void PlatformEnableMouse() {
    emscripten_set_click_callback(CanvasSelector, nullptr, EM_FALSE, OnCanvasClick);
    emscripten_set_pointerlockchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                              OnPointerLockChange);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE,
                                      OnMouseMove);
}

MouseMotion PlatformTakeMouseMotion() {
    const MouseMotion motion = GatheredMotion;
    GatheredMotion = MouseMotion{};
    return motion;
}

// The page runs one iteration per animation frame, which the browser already paces to the
// display, and a page must never block: nothing here asks to sleep.
void PlatformSleep(double) {}

bool PlatformKeyDown(Key key) {
    return HeldKeys[static_cast<int>(key)] || (PageKeys & KeyBit(key)) != 0 ||
           AnyControllerHoldsKey(Gamepads, key);
}

void PlatformPresent() {
    ExpandFrameToCanvas(FramePixels.data(), Layout, CanvasColours, CanvasImage.data());
    PutCanvasImage(CanvasImage.data(), Layout.shownWidth, Layout.shownHeight);
}

// The canvas follows the page; the page keeps no window size.
bool PlatformWindowSize(int&, int&) {
    return false;
}

void PlatformSetTitle(const char* title) {
    ShowStatusText(title);
}
