// A frame of exactly 76800 bytes and a renderer that draws into it for the fuzz targets, so
// that AddressSanitizer sees any write outside it, with a fog table and texture whose colours never
// equal Unwritten.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "assets/model.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/raster.h"
#include "render/render_state.h"
#include "render/renderer.h"

constexpr uint8_t Unwritten = 0xFF;

// The texture that SetUpFuzzFrame makes current.
inline Texture& FuzzTexture() {
    static Texture texture;
    return texture;
}

// The frame's pixels: a heap block of exactly the frame's size.
inline uint8_t* FuzzPixels() {
    static uint8_t* const pixels = new uint8_t[FrameSize];
    return pixels;
}

// A single-threaded scale-1 renderer that draws into FuzzPixels.
inline Renderer& FuzzRenderer() {
    static const std::unique_ptr<Renderer> renderer =
        CreateRenderer(1, 1, FuzzPixels(), FrameWidth);
    return *renderer;
}

// The worker that draws the whole fuzz frame.
inline WorkerState& FuzzWorker() {
    return WholeFrameWorker(FuzzRenderer());
}

// Makes the fuzz texture the worker's and every drawn colour differ from Unwritten: fog row s
// maps texel t to (s + t) mod 255.
inline void SetUpFuzzFrame() {
    Texture& texture = FuzzTexture();
    for (int i = 0; i < TextureBytes; ++i) {
        texture.texels[i] = static_cast<uint8_t>(i * 7 + i / TextureSide);
    }
    for (int i = 0; i < FogTableSize; ++i) {
        FogTable[i] = static_cast<uint8_t>((i / PaletteSize + i % PaletteSize) % 255);
    }
    FuzzWorker().currentTexture = &texture;
}

inline void ClearFuzzFrame() {
    std::memset(FuzzPixels(), Unwritten, FrameSize);
}

inline std::vector<uint8_t> FrameCopy() {
    return std::vector<uint8_t>(FuzzPixels(), FuzzPixels() + FrameSize);
}

inline int64_t WrittenPixels() {
    return FrameSize - std::count(FuzzPixels(), FuzzPixels() + FrameSize, Unwritten);
}

// True when every written pixel lies in columns left <= x < right of rows top <= y < bottom.
inline bool WrittenOnlyWithin(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    for (int32_t y = 0; y < FrameHeight; ++y) {
        for (int32_t x = 0; x < FrameWidth; ++x) {
            const bool inside = x >= left && x < right && y >= top && y < bottom;
            if (!inside && FuzzPixels()[y * FrameWidth + x] != Unwritten) {
                return false;
            }
        }
    }
    return true;
}
