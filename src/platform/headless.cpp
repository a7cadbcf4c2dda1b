#include "platform/headless.h"

#include <cmath>
#include <cstring>

HeadlessPlatform Headless;

void ResetHeadless() {
    Headless = HeadlessPlatform{};
    Headless.counterFrequency = 1000000000;
    Headless.sleepShare = 1.0;
}

bool PlatformWindowSize(int&, int&) {
    return false;
}

const char* PlatformOpenWindow(const FrameLayout& layout, const DisplayOptions& options) {
    ++Headless.windowOpenCount;
    Headless.layout = layout;
    Headless.display = options;
    if (Headless.windowFailure == nullptr) {
        Headless.title = "DRAV";
    }
    return Headless.windowFailure;
}

uint8_t* PlatformCreateFrameBuffer(const RgbQuad* palette, const FrameLayout& layout) {
    ++Headless.frameBufferCount;
    if (Headless.frameBufferFails || layout.width * layout.height > HeadlessFrameCapacity) {
        return nullptr;
    }
    std::memcpy(Headless.colourTable, palette, sizeof Headless.colourTable);
    return Headless.pixels;
}

bool PlatformPumpEvents() {
    ++Headless.pumpCount;
    Headless.counter += Headless.counterStepOnPump;
    return Headless.pumpCount == Headless.quitOnPump;
}

int64_t PlatformCounter() {
    return Headless.counter;
}

int64_t PlatformCounterFrequency() {
    return Headless.counterFrequency;
}

bool PlatformKeyDown(Key key) {
    ++Headless.keyQueryCount;
    return HeadlessKey(key) || AnyControllerHoldsKey(Headless.controllers, key);
}

// The scripted mouse has no pointer to capture: its motion always reaches the ticks.
void PlatformEnableMouse() {}

MouseMotion PlatformTakeMouseMotion() {
    const MouseMotion motion = Headless.mouseMotion;
    Headless.mouseMotion = MouseMotion{};
    return motion;
}

void PlatformSleep(double milliseconds) {
    ++Headless.sleepCount;
    const double counts =
        milliseconds * Headless.sleepShare * static_cast<double>(Headless.counterFrequency) * 0.001;
    Headless.counter += static_cast<int64_t>(std::ceil(counts)) + Headless.counterStepOnSleep;
}

void PlatformPresent() {
    ++Headless.presentCount;
    Headless.counter += Headless.counterStepOnPresent;
}

void PlatformSetTitle(const char* title) {
    ++Headless.titleCount;
    Headless.title = title;
}
