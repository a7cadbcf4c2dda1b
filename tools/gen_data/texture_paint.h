// Painting the generated textures: a full-colour working image, repeatable noise, and the
// reduction to palette indices with ordered dithering. Everything is integer arithmetic, so
// the images are the same on every machine.
#pragma once

#include <cstdint>

#include "assets/model.h"
#include "gen_data/texture_layout.h"

// Intensities 0..255.
struct Rgb {
    int red, green, blue;
};

struct Image {
    Rgb texels[TextureBytes];
    Rgb& at(int x, int y) { return texels[y * TextureSide + x]; }
    const Rgb& at(int x, int y) const { return texels[y * TextureSide + x]; }
};

// A well-mixed 32-bit value for the lattice point (x, y) of one noise pattern (seed).
uint32_t Hash(int x, int y, uint32_t seed);

// Smooth value noise 0..255: random values on a lattice spacing texels apart (spacing divides
// 64), blended bilinearly, repeating every 64 texels so that the texture tiles seamlessly.
int Noise(int x, int y, int spacing, uint32_t seed);

// The colour with every channel times percent / 100, kept within 0..255.
Rgb Scaled(const Rgb& colour, int percent);

// The colour percent of the way from a to b.
Rgb Mixed(const Rgb& a, const Rgb& b, int percent);

// Fills rect (32 x 32 texels) with every other texel of source: the source at half size.
void CopyHalfSize(const Image& source, Image& target, const TexelRect& rect);

// The palette index for a colour at texel (x, y): exact greys go to the 41-step grey ramp,
// other colours to the 6 x 6 x 6 cube, each channel dithered with a 4 x 4 ordered matrix.
uint8_t PaletteIndex(const Rgb& colour, int x, int y);

void Quantise(const Image& image, Texture& texture);
