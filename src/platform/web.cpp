// Web backend: the seam over a page's canvas, its keyboard events, performance.now() and
// document.title. The page is never closed from inside, so no quit event exists.
#include "app/platform.h"

#include <cmath>
#include <vector>

#include <cstring>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include "capture/capture.h"
#include "platform/browser_keys.h"
#include "platform/canvas_image.h"
#include "render/frame_buffer.h"

namespace {

const char CanvasSelector[] = "#canvas";
constexpr int64_t CounterTicksPerSecond = 1000000; // microseconds

bool HeldKeys[KeyCount];
FrameLayout Layout;
std::vector<uint8_t> FramePixels;
CanvasPixel CanvasColours[PaletteSize];
std::vector<CanvasPixel> CanvasImage;

// Sizes the page's canvas, on the page too, and keeps its 2D context for presenting, and the
// frame's size for the page's fullscreen fit. Returns 0 on success, 1 when the page has no
// canvas, 2 when the canvas gives no 2D context.
EM_JS(int, OpenPageCanvas, (int width, int height, int frameWidth, int frameHeight), {
    const canvas = document.getElementById('canvas');
    if (!canvas) {
        return 1;
    }
    canvas.width = width;
    canvas.height = height;
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    const context = canvas.getContext('2d', {alpha : false});
    if (!context) {
        return 2;
    }
    Module.dravCanvasContext = context;
    Module.dravFrameWidth = frameWidth;
    Module.dravFrameHeight = frameHeight;
    return 0;
});

EM_JS(void, PutCanvasImage, (const CanvasPixel* pixels, int width, int height), {
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4);
    Module.dravCanvasContext.putImageData(new ImageData(bytes, width, height), 0, 0);
});

EM_JS(void, SetDocumentTitle, (const char* title), { document.title = UTF8ToString(title); });

// F12 takes a screenshot and F9 starts or stops a clip; true for those keys.
bool OnCaptureKey(const char* name) {
    if (std::strcmp(name, "F12") == 0) {
        RequestScreenshot();
        return true;
    }
    if (std::strcmp(name, "F9") == 0) {
        RequestClipToggle();
        return true;
    }
    return false;
}

// Records the seven keys; returning true prevents their default action (scrolling the page).
EM_BOOL OnKeyChange(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    if (eventType == EMSCRIPTEN_EVENT_KEYDOWN && !event->repeat && OnCaptureKey(event->key)) {
        return EM_TRUE;
    }
    Key key;
    if (!KeyFromBrowserName(event->key, &key)) {
        return EM_FALSE;
    }
    HeldKeys[static_cast<int>(key)] = eventType == EMSCRIPTEN_EVENT_KEYDOWN;
    return EM_TRUE;
}

// A key released after the canvas lost focus never reaches it, so focus loss lets go of all.
EM_BOOL OnFocusLost(int, const EmscriptenFocusEvent*, void*) {
    for (bool& held : HeldKeys) {
        held = false;
    }
    return EM_FALSE;
}

} // namespace

const char* PlatformOpenWindow(const FrameLayout& layout, const DisplayOptions&) {
    switch (OpenPageCanvas(layout.shownWidth, layout.shownHeight, layout.width, layout.height)) {
    case 1:
        return "the page has no element with id \"canvas\"";
    case 2:
        return "the canvas gives no 2D drawing context";
    }
    emscripten_set_keydown_callback(CanvasSelector, nullptr, EM_FALSE, OnKeyChange);
    emscripten_set_keyup_callback(CanvasSelector, nullptr, EM_FALSE, OnKeyChange);
    emscripten_set_blur_callback(CanvasSelector, nullptr, EM_FALSE, OnFocusLost);
    SetDocumentTitle("DRAV");
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
    // The browser dispatches key and focus events between animation frames by itself.
    return false;
}

int64_t PlatformCounter() {
    const double microseconds = emscripten_get_now() * 1000.0;
    return static_cast<int64_t>(std::nearbyint(microseconds));
}

int64_t PlatformCounterFrequency() {
    return CounterTicksPerSecond;
}

// The page runs one iteration per animation frame, which the browser already paces to the
// display, and a page must never block: nothing here asks to sleep.
void PlatformSleep(double) {}

bool PlatformKeyDown(Key key) {
    return HeldKeys[static_cast<int>(key)];
}

void PlatformPresent() {
    ExpandFrameToCanvas(FramePixels.data(), Layout, CanvasColours, CanvasImage.data());
    PutCanvasImage(CanvasImage.data(), Layout.shownWidth, Layout.shownHeight);
}

void PlatformSetTitle(const char* title) {
    SetDocumentTitle(title);
}
