// How drav shows its frames. All zero is the plain program: a 640x480 window and a loop
// that presents every frame as soon as it is drawn.
#pragma once

// What the window system is asked for when the window opens.
struct DisplayOptions {
    bool fullscreen; // start in desktop fullscreen
    bool vsync;      // let presenting wait for the display's refresh, where the platform can
};

struct PresentOptions {
    DisplayOptions display;
    int framesPerSecondCap; // 0: no cap
};

constexpr int MaximumFramesPerSecondCap = 1000;
