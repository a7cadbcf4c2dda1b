// Where a frame goes in a larger area when it may only be enlarged by whole factors: every
// frame pixel becomes a square block of screen pixels, with no blur and no stretch, and the
// picture sits in the middle with even borders.
#pragma once

struct ScreenRect {
    int x, y, width, height;
};

// The frame at the largest whole factor that fits the area, centred (odd leftovers put the
// extra pixel on the right and bottom). An area smaller than the frame still gets factor 1,
// cropped by whoever draws it; an empty area (a minimised window) gets an empty rectangle.
ScreenRect FitFrameByWholeFactor(int frameWidth, int frameHeight, int areaWidth, int areaHeight);
