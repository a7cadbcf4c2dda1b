// Painting the generated textures: a full-colour working image, repeatable noise, and the
// reduction to palette indices with ordered dithering. Only exact arithmetic is used (integers
// and basic double operations), so the images are the same on every machine.
#pragma once

#include <cstdint>
#include <vector>

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

// The colour with amount added to every channel, kept within 0..255. Changing all channels
// alike keeps a colour on the line between palette colours that it dithers along.
Rgb Brightened(const Rgb& colour, int amount);

// The colour percent of the way from a to b.
Rgb Mixed(const Rgb& a, const Rgb& b, int percent);

// Fills rect (32 x 32 texels) with every other texel of source: the source at half size.
void CopyHalfSize(const Image& source, Image& target, const TexelRect& rect);

// Reduces the image to palette indices among colours (not empty). Each texel shows the colour
// nearest its own or, by 4 x 4 ordered dithering, a mix of it and the one other of colours
// that brings the mix closest, so that pale and muted colours keep their hue instead of
// breaking into speckles of unrelated colours.
void Quantise(const Image& image, const std::vector<int>& colours, Texture& texture);
