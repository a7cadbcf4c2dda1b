// The frame of 8-bit palette indices that every pixel is drawn into: 320x240 at scale 1, and
// 320K x 240K at an integer scale K.
#pragma once

#include <cstddef>
#include <cstdint>

// The frame at scale 1.
constexpr int FrameWidth = 320;
constexpr int FrameHeight = 240;
constexpr int FrameSize = FrameWidth * FrameHeight;

// The largest scale: a 2560x1920 frame.
constexpr int MaxFrameScale = 8;

// Pixels to draw into: row r starts at pixels + r * pitch and holds width bytes; rows run top
// to bottom. The window's frame, a test's frame and a side frame are all targets.
struct RenderTarget {
    uint8_t* pixels;
    int32_t width;
    int32_t height;
    int32_t pitch;
};

// The first pixel of a row of the target.
inline uint8_t* TargetRow(const RenderTarget& target, int32_t row) {
    return target.pixels + static_cast<std::ptrdiff_t>(row) * target.pitch;
}

// A target over width x height bytes at pixels with a pitch of exactly width bytes.
inline RenderTarget PackedTarget(uint8_t* pixels, int32_t width, int32_t height) {
    return {pixels, width, height, width};
}
