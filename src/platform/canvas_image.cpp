#include "platform/canvas_image.h"

#include <algorithm>
#include <cstddef>

void BuildCanvasColours(const RgbQuad* palette, CanvasPixel* colours) {
    for (int index = 0; index < PaletteSize; ++index) {
        const RgbQuad& entry = palette[index];
        colours[index] = CanvasPixel{entry.red, entry.green, entry.blue, 255};
    }
}

void ExpandFrameToCanvas(const uint8_t* frame, const FrameLayout& layout,
                         const CanvasPixel* colours, CanvasPixel* canvas) {
    const int block = ShownPixelSize(layout);
    for (int row = 0; row < layout.height; ++row) {
        const uint8_t* source = frame + static_cast<std::ptrdiff_t>(row) * layout.width;
        CanvasPixel* top = canvas + static_cast<std::ptrdiff_t>(row) * block * layout.shownWidth;
        for (int column = 0; column < layout.width; ++column) {
            const CanvasPixel colour = colours[source[column]];
            for (int x = 0; x < block; ++x) {
                top[column * block + x] = colour;
            }
        }
        // The block's other rows repeat its first.
        for (int y = 1; y < block; ++y) {
            std::copy(top, top + layout.shownWidth, top + y * layout.shownWidth);
        }
    }
}
