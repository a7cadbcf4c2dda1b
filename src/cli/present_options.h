// How drav shows its frames and which keys act. All zero or empty is the plain program: a
// 640x480 window, a loop that presents every frame as soon as it is drawn, today's keys.
#pragma once

#include <string>

// What a key can be bound to: the seven keys a tick reads, in the order of Key, then the keys
// that act at once.
enum class KeyAction {
    Level,
    LookUp,
    LookDown,
    TurnLeft,
    TurnRight,
    Forward,
    Back,
    Fullscreen,
    Screenshot,
    Clip,
};
constexpr int KeyActionCount = 10;

// Each action's keys as the platform names them, separated by commas; empty: the action keeps
// its usual keys.
struct KeyNames {
    std::string action[KeyActionCount];
};

// What the window system is asked for when the window opens.
struct DisplayOptions {
    bool fullscreen;        // start in desktop fullscreen
    bool vsync;             // let presenting wait for the display's refresh, where the platform can
    bool resizable;         // the window may be resized; the frame keeps a whole factor, centred
    std::string windowSize; // "WxH": the resizable window's client size; empty: the shown size
    KeyNames keys;
};

struct PresentOptions {
    DisplayOptions display;
    int framesPerSecondCap; // 0: no cap
    bool smooth;            // draw between ticks at the fraction of time that has passed
};

constexpr int MaximumFramesPerSecondCap = 1000;
