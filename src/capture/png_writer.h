// Writes 8-bit palette-index images as RGB PNG files, optionally enlarged.
#pragma once

#include <cstdint>

#include "render/palette.h"

// Writes width x height indices (row pitch = width) through the palette, each pixel repeated
// scale x scale times. Returns false when the file cannot be written.
bool WritePalettedPng(const char* path, const uint8_t* pixels, int width, int height,
                      const RgbQuad* palette, int scale);
