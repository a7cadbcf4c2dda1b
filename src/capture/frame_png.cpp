#include "capture/frame_png.h"

#include <algorithm>

namespace {

// Fills rgb with one row of indices through the palette, each pixel repeated scale times.
uint8_t* ExpandRow(uint8_t* rgb, const uint8_t* indices, int width, const RgbQuad* palette,
                   int scale) {
    for (int x = 0; x < width; ++x) {
        const RgbQuad& colour = palette[indices[x]];
        for (int repeat = 0; repeat < scale; ++repeat) {
            *rgb++ = colour.red;
            *rgb++ = colour.green;
            *rgb++ = colour.blue;
        }
    }
    return rgb;
}

} // namespace

bool EncodeFramePng(const FrameView& frame, const RgbQuad* palette, int scale, const PngText& text,
                    std::vector<uint8_t>& png) {
    const size_t rowBytes = static_cast<size_t>(frame.width) * scale * 3;
    std::vector<uint8_t> rgb(rowBytes * frame.height * scale);
    uint8_t* out = rgb.data();
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t* rowStart = out;
        out = ExpandRow(out, FrameViewRow(frame, y), frame.width, palette, scale);
        for (int repeat = 1; repeat < scale; ++repeat) {
            out = std::copy(rowStart, rowStart + rowBytes, out);
        }
    }
    return EncodeRgbPng(rgb.data(), frame.width * scale, frame.height * scale, text, png);
}
