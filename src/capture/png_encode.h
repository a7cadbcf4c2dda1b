// PNG encoding of palette-index images into memory, with an optional text chunk: one byte per
// pixel and the 256 colours once, about a third of the same picture stored as RGB. Linux builds
// encode with libpng; the Windows and browser builds, which have no packaged libpng, write the
// chunks themselves around stb's deflate.
#pragma once

#include <cstdint>
#include <vector>

#include "render/palette.h"

// One tEXt chunk: a Latin-1 keyword of 1 to 79 characters and its text. A null keyword writes
// no chunk.
struct PngText {
    const char* keyword;
    const char* text;
};

// Encodes width x height palette indices, rows packed top row first, as an 8-bit paletted PNG
// with the PaletteSize colours of palette into png (replacing its contents). False when
// encoding fails.
bool EncodePalettedPng(const uint8_t* indices, int width, int height, const RgbQuad* palette,
                       const PngText& text, std::vector<uint8_t>& png);
