// A frame buffer of exactly 76800 bytes for the fuzz targets, so that AddressSanitizer sees
// any write outside it, with a fog table and texture whose colours never equal Unwritten.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "assets/model.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/raster.h"
#include "render/render_state.h"

constexpr uint8_t Unwritten = 0xFF;

// The texture that SetUpFuzzFrame makes current.
inline Texture& FuzzTexture() {
    static Texture texture;
    return texture;
}

// Points FrameBuffer at a fresh heap block of the frame's size and makes every drawn colour
// differ from Unwritten: fog row s maps texel t to (s + t) mod 255.
inline void SetUpFuzzFrame() {
    static uint8_t* const frame = new uint8_t[FrameSize];
    Texture& texture = FuzzTexture();
    for (int i = 0; i < TextureBytes; ++i) {
        texture.texels[i] = static_cast<uint8_t>(i * 7 + i / TextureSide);
    }
    for (int i = 0; i < FogTableSize; ++i) {
        FogTable[i] = static_cast<uint8_t>((i / PaletteSize + i % PaletteSize) % 255);
    }
    FrameBuffer = frame;
    CurrentTexture = &texture;
}

inline void ClearFuzzFrame() {
    std::memset(FrameBuffer, Unwritten, FrameSize);
}

inline std::vector<uint8_t> FrameCopy() {
    return std::vector<uint8_t>(FrameBuffer, FrameBuffer + FrameSize);
}

inline int64_t WrittenPixels() {
    return FrameSize - std::count(FrameBuffer, FrameBuffer + FrameSize, Unwritten);
}

// True when every written pixel lies in columns left <= x < right of rows top <= y < bottom.
inline bool WrittenOnlyWithin(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    for (int32_t y = 0; y < FrameHeight; ++y) {
        for (int32_t x = 0; x < FrameWidth; ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            if (!inside && FrameBuffer[y * FrameWidth + x] != Unwritten) {
                return false;
            }
        }
    }
    return true;
}
