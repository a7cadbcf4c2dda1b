// A frame to capture: row r starts at pixels + r * pitch and holds width palette indices.
#pragma once

#include <cstddef>
#include <cstdint>

struct FrameView {
    const uint8_t* pixels;
    int32_t width;
    int32_t height;
    int32_t pitch;
};

inline const uint8_t* FrameViewRow(const FrameView& frame, int32_t row) {
    return frame.pixels + static_cast<std::ptrdiff_t>(row) * frame.pitch;
}
