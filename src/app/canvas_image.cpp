#include "app/canvas_image.h"

#include "render/frame_buffer.h"

static_assert(CanvasWidth == 2 * FrameWidth && CanvasHeight == 2 * FrameHeight,
              "the canvas shows the frame doubled");

void BuildCanvasColours(const RgbQuad* palette, CanvasPixel* colours) {
    for (int index = 0; index < PaletteSize; ++index) {
        const RgbQuad& entry = palette[index];
        colours[index] = CanvasPixel{entry.red, entry.green, entry.blue, 255};
    }
}

void ExpandFrameToCanvas(const uint8_t* frame, const CanvasPixel* colours, CanvasPixel* canvas) {
    for (int row = 0; row < FrameHeight; ++row) {
        const uint8_t* source = frame + row * FrameWidth;
        CanvasPixel* upper = canvas + 2 * row * CanvasWidth;
        CanvasPixel* lower = upper + CanvasWidth;
        for (int column = 0; column < FrameWidth; ++column) {
            const CanvasPixel colour = colours[source[column]];
            upper[2 * column] = colour;
            upper[2 * column + 1] = colour;
            lower[2 * column] = colour;
            lower[2 * column + 1] = colour;
        }
    }
}
