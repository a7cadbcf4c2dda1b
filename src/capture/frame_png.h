// A frame of palette indices as a PNG image of the palette's colours.
#pragma once

#include <cstdint>
#include <vector>

#include "capture/frame_view.h"
#include "capture/png_encode.h"
#include "render/palette.h"

// Encodes the frame through the palette, each pixel repeated scale x scale times, with the
// given text chunk. False when encoding fails.
bool EncodeFramePng(const FrameView& frame, const RgbQuad* palette, int scale, const PngText& text,
                    std::vector<uint8_t>& png);
