// Turns the 8-bit frame into the RGBA image a browser canvas takes, doubled in both
// directions so that every frame pixel becomes a sharp 2x2 block.
#pragma once

#include <cstdint>

#include "render/palette.h"

// One canvas pixel in the byte order of an ImageData buffer.
struct CanvasPixel {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t alpha;
};

constexpr int CanvasWidth = 640;
constexpr int CanvasHeight = 480;
constexpr int CanvasPixelCount = CanvasWidth * CanvasHeight;

// Reorders every palette entry into a canvas pixel, fully opaque.
void BuildCanvasColours(const RgbQuad* palette, CanvasPixel* colours);

// Writes the 320x240 frame of palette indices as a 640x480 image, each pixel as a 2x2 block.
void ExpandFrameToCanvas(const uint8_t* frame, const CanvasPixel* colours, CanvasPixel* canvas);
