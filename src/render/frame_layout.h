// The frame's size at a scale and the size it is shown at: the window's client area, the
// page's canvas and drav-render's PNG.
#pragma once

struct FrameLayout {
    int width;       // 320 scale
    int height;      // 240 scale
    int shownWidth;  // 640 at scale 1 (every pixel a 2x2 block), else width
    int shownHeight; // 480 at scale 1, else height
};

// Scale 1 keeps the classic 640x480 view of a 320x240 frame; a larger frame is shown pixel
// for pixel.
FrameLayout LayoutForScale(int scale);

// How many shown pixels across (and down) one frame pixel covers: 2 or 1.
int ShownPixelSize(const FrameLayout& layout);
