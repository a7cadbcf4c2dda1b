// Writes 8-bit palette-index images as paletted PNG files, optionally enlarged.
#pragma once

#include <cstdint>
#include <string>

#include "render/palette.h"

// Writes width x height indices (row pitch = width) through the palette, each pixel repeated
// scale x scale times, as WriteFileBytes writes files. Returns false when the file cannot be
// written; error, when given, then holds why.
bool WritePalettedPng(const char* path, const uint8_t* pixels, int width, int height,
                      const RgbQuad* palette, int scale, std::string* error = nullptr);
