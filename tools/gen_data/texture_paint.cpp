#include "gen_data/texture_paint.h"

#include <algorithm>

namespace {

constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
constexpr int GreyRampStart = 215;
constexpr int GreySteps = 40; // the ramp has 41 entries, 255 / 40 apart
constexpr int CubeStep = 48;  // cube intensities 0, 48, ..., 240
constexpr int CubeLevels = 6;
// The cube's white (5, 5, 5) would be index 215, which the grey ramp takes for black; the
// ramp's step 38 (intensity 242) stands in for it.
constexpr int CubeWhite = 215;
constexpr int RampWhite = GreyRampStart + 38;

int Clamp(int value, int low, int high) {
    return std::min(std::max(value, low), high);
}

// floor(value / step + (threshold + 0.5) / 16) for threshold 0..15, in integers.
int DitheredLevel(int value, int step, int threshold) {
    return (32 * value + step * (2 * threshold + 1)) / (32 * step);
}

int LatticeValue(int x, int y, int cells, uint32_t seed) {
    return static_cast<int>(Hash((x % cells + cells) % cells, (y % cells + cells) % cells, seed) &
                            255u);
}

} // namespace

uint32_t Hash(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
                 seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

int Noise(int x, int y, int spacing, uint32_t seed) {
    const int cells = TextureSide / spacing;
    const int cellX = x / spacing;
    const int cellY = y / spacing;
    const int fx = x % spacing;
    const int fy = y % spacing;
    const int blended = LatticeValue(cellX, cellY, cells, seed) * (spacing - fx) * (spacing - fy) +
                        LatticeValue(cellX + 1, cellY, cells, seed) * fx * (spacing - fy) +
                        LatticeValue(cellX, cellY + 1, cells, seed) * (spacing - fx) * fy +
                        LatticeValue(cellX + 1, cellY + 1, cells, seed) * fx * fy;
    return blended / (spacing * spacing);
}

Rgb Scaled(const Rgb& colour, int percent) {
    return {Clamp(colour.red * percent / 100, 0, 255), Clamp(colour.green * percent / 100, 0, 255),
            Clamp(colour.blue * percent / 100, 0, 255)};
}

Rgb Mixed(const Rgb& a, const Rgb& b, int percent) {
    return {a.red + (b.red - a.red) * percent / 100, a.green + (b.green - a.green) * percent / 100,
            a.blue + (b.blue - a.blue) * percent / 100};
}

void CopyHalfSize(const Image& source, Image& target, const TexelRect& rect) {
    for (int y = rect.top; y <= rect.bottom; ++y) {
        for (int x = rect.left; x <= rect.right; ++x) {
            target.at(x, y) = source.at(2 * (x - rect.left), 2 * (y - rect.top));
        }
    }
}

uint8_t PaletteIndex(const Rgb& colour, int x, int y) {
    const int threshold = Bayer[y & 3][x & 3];
    if (colour.red == colour.green && colour.green == colour.blue) {
        const int value = Clamp(colour.red, 0, 255);
        return static_cast<uint8_t>(
            GreyRampStart + std::min(DitheredLevel(value * GreySteps, 255, threshold), GreySteps));
    }
    const auto level = [threshold](int value) {
        return std::min(DitheredLevel(Clamp(value, 0, 255), CubeStep, threshold), CubeLevels - 1);
    };
    const int index = 36 * level(colour.red) + 6 * level(colour.green) + level(colour.blue);
    return static_cast<uint8_t>(index == CubeWhite ? RampWhite : index);
}

void Quantise(const Image& image, Texture& texture) {
    for (int y = 0; y < TextureSide; ++y) {
        for (int x = 0; x < TextureSide; ++x) {
            texture.texels[y * TextureSide + x] = PaletteIndex(image.at(x, y), x, y);
        }
    }
}
