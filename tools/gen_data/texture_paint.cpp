#include "gen_data/texture_paint.h"

#include <algorithm>

#include "gen_data/vector3.h"
#include "render/palette.h"

namespace {

constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
// How much the visible noise of dithering between two colours (their squared distance,
// weighted by how evenly they are mixed) counts against the accuracy of the mix.
constexpr double NoiseWeight = 0.25;

int Clamp(int value, int low, int high) {
    return std::min(std::max(value, low), high);
}

// Red, green and blue as x, y and z.
using Colour = Vector3;

// Two palette entries and the share of the second that mixes them closest to a colour.
struct Mix {
    int first, second;
    double share;
};

struct PaletteColours {
    Colour entries[PaletteSize];
};

PaletteColours LoadPalette() {
    RgbQuad table[PaletteSize] = {};
    BuildPalette(table);
    PaletteColours palette;
    for (int i = 0; i < PaletteSize; ++i) {
        palette.entries[i] = {static_cast<double>(table[i].red),
                              static_cast<double>(table[i].green),
                              static_cast<double>(table[i].blue)};
    }
    return palette;
}

int Nearest(const PaletteColours& palette, const std::vector<int>& colours, const Colour& target) {
    int best = colours.front();
    for (int i : colours) {
        const Colour a = Difference(palette.entries[i], target);
        const Colour b = Difference(palette.entries[best], target);
        if (Dot(a, a) < Dot(b, b)) {
            best = i;
        }
    }
    return best;
}

// The nearest entry and the partner that, mixed in, best approaches the target without making
// the texture noisy; dithering then shows the two in the found proportion.
Mix BestMix(const PaletteColours& palette, const std::vector<int>& colours, const Colour& target) {
    const int first = Nearest(palette, colours, target);
    const Colour& base = palette.entries[first];
    const Colour offset = Difference(target, base);
    Mix best = {first, first, 0};
    double bestCost = Dot(offset, offset);
    for (int i : colours) {
        const Colour step = Difference(palette.entries[i], base);
        const double length = Dot(step, step);
        if (length == 0) {
            continue;
        }
        const double share = std::min(std::max(Dot(offset, step) / length, 0.0), 1.0);
        const Colour miss = {offset.x - share * step.x, offset.y - share * step.y,
                             offset.z - share * step.z};
        const double cost = Dot(miss, miss) + NoiseWeight * share * (1 - share) * length;
        if (cost < bestCost) {
            bestCost = cost;
            best = {first, i, share};
        }
    }
    return best;
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

Rgb Brightened(const Rgb& colour, int amount) {
    return {Clamp(colour.red + amount, 0, 255), Clamp(colour.green + amount, 0, 255),
            Clamp(colour.blue + amount, 0, 255)};
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

void Quantise(const Image& image, const std::vector<int>& colours, Texture& texture) {
    const PaletteColours palette = LoadPalette();
    for (int y = 0; y < TextureSide; ++y) {
        for (int x = 0; x < TextureSide; ++x) {
            const Rgb& texel = image.at(x, y);
            const Colour target = {static_cast<double>(Clamp(texel.red, 0, 255)),
                                   static_cast<double>(Clamp(texel.green, 0, 255)),
                                   static_cast<double>(Clamp(texel.blue, 0, 255))};
            const Mix mix = BestMix(palette, colours, target);
            const double threshold = (Bayer[y & 3][x & 3] + 0.5) / 16.0;
            texture.texels[y * TextureSide + x] =
                static_cast<uint8_t>(mix.share > threshold ? mix.second : mix.first);
        }
    }
}
