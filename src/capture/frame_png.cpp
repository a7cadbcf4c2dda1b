#include "capture/frame_png.h"

#include <algorithm>

bool EncodeFramePng(const FrameView& frame, const RgbQuad* palette, int scale, const PngText& text,
                    std::vector<uint8_t>& png) {
    const size_t rowBytes = static_cast<size_t>(frame.width) * scale;
    std::vector<uint8_t> indices(rowBytes * frame.height * scale);
    uint8_t* out = indices.data();
    for (int y = 0; y < frame.height; ++y) {
        const uint8_t* row = FrameViewRow(frame, y);
        const uint8_t* rowStart = out;
        for (int x = 0; x < frame.width; ++x) {
            out = std::fill_n(out, scale, row[x]);
        }
        for (int repeat = 1; repeat < scale; ++repeat) {
            out = std::copy(rowStart, rowStart + rowBytes, out);
        }
    }
    return EncodePalettedPng(indices.data(), frame.width * scale, frame.height * scale, palette,
                             text, png);
}
