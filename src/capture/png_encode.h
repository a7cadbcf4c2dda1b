// PNG encoding of RGB images into memory, with an optional text chunk. Linux builds encode
// with libpng; the Windows and browser builds, which have no packaged libpng, with stb.
#pragma once

#include <cstdint>
#include <vector>

// One tEXt chunk: a Latin-1 keyword of 1 to 79 characters and its text. A null keyword writes
// no chunk.
struct PngText {
    const char* keyword;
    const char* text;
};

// Encodes width x height pixels of 3 bytes (red, green, blue), rows packed top row first, as
// an 8-bit RGB PNG into png (replacing its contents). False when encoding fails.
bool EncodeRgbPng(const uint8_t* rgb, int width, int height, const PngText& text,
                  std::vector<uint8_t>& png);
