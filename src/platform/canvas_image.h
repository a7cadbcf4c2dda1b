// Turns the 8-bit frame into the RGBA image a browser canvas takes, at the layout's shown size:
// doubled in both directions at scale 1, so that every frame pixel becomes a sharp 2x2 block,
// and pixel for pixel above.
#pragma once

#include <cstdint>

#include "render/frame_layout.h"
#include "render/palette.h"

// One canvas pixel in the byte order of an ImageData buffer.
struct CanvasPixel {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t alpha;
};

// Reorders every palette entry into a canvas pixel, fully opaque.
void BuildCanvasColours(const RgbQuad* palette, CanvasPixel* colours);

// Writes the frame of palette indices (layout.width x layout.height, packed rows) as the
// shownWidth x shownHeight image, each frame pixel as a square block of ShownPixelSize.
void ExpandFrameToCanvas(const uint8_t* frame, const FrameLayout& layout,
                         const CanvasPixel* colours, CanvasPixel* canvas);
