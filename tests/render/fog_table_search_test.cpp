// The fog table's nearest-colour search against a plain reference that follows the rule word
// for word: every cell of the table, for the system palette (where a few candidates are
// searched) and for other palettes (where every entry is).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/palette.h"

namespace {

// The rule itself: target in the stated precisions, then the first of all 256 entries at the
// smallest squared distance.
std::vector<uint8_t> ReferenceFogTable(const RgbQuad* palette) {
    const float k = 0.0039215689f;
    std::vector<uint8_t> table(FogTableSize);
    for (int s = 0; s < 256; ++s) {
        const double a = s * static_cast<double>(k);
        const double w = 1.0 - a;
        const float fogRed = static_cast<float>(w * 0.75f);
        const float fogGreen = static_cast<float>(w * 0.85000002f);
        const double fogBlue = w * 0.81000000f;
        for (int c = 0; c < 256; ++c) {
            const double tr = (palette[c].red * a) * k + fogRed;
            const float tg = static_cast<float>((palette[c].green * a) * k + fogGreen);
            const float tb = static_cast<float>((palette[c].blue * a) * k + fogBlue);
            const long ir = std::lrint(std::nearbyint(tr * 255.0));
            const long ig = std::lrint(std::nearbyint(tg * 255.0));
            const long ib = std::lrint(std::nearbyint(tb * 255.0));
            long best = -1;
            int bestIndex = 0;
            for (int m = 0; m < 256; ++m) {
                const long d = (ir - palette[m].red) * (ir - palette[m].red) +
                               (ig - palette[m].green) * (ig - palette[m].green) +
                               (ib - palette[m].blue) * (ib - palette[m].blue);
                if (best < 0 || d < best) {
                    best = d;
                    bestIndex = m;
                }
            }
            table[s * 256 + c] = static_cast<uint8_t>(bestIndex);
        }
    }
    return table;
}

void ExpectEveryCellMatchesTheReference(const RgbQuad* palette) {
    const std::vector<uint8_t> expected = ReferenceFogTable(palette);
    BuildFogTable(palette);
    int mismatches = 0;
    for (int cell = 0; cell < FogTableSize; ++cell) {
        if (FogTable[cell] != expected[cell] && ++mismatches <= 10) {
            ADD_FAILURE() << "shade " << cell / 256 << " colour " << cell % 256 << ": "
                          << int{FogTable[cell]} << " instead of " << int{expected[cell]};
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(FogTableSearch, SystemPaletteMatchesTheFullSearchInEveryCell) {
    RgbQuad palette[PaletteSize] = {};
    BuildPalette(palette);
    ExpectEveryCellMatchesTheReference(palette);
}

// Palettes the few-candidate search does not hold for must get the full search.
TEST(FogTableSearch, OtherPalettesMatchTheFullSearchInEveryCell) {
    RgbQuad reversed[PaletteSize] = {};
    RgbQuad system[PaletteSize] = {};
    BuildPalette(system);
    for (int m = 0; m < PaletteSize; ++m) {
        reversed[m] = system[PaletteSize - 1 - m];
    }
    ExpectEveryCellMatchesTheReference(reversed);

    // One colour changed slightly: a cell near it now maps to it, which the candidates of
    // the system palette would miss.
    RgbQuad nudged[PaletteSize] = {};
    BuildPalette(nudged);
    nudged[100].red = static_cast<uint8_t>(nudged[100].red + 20);
    ExpectEveryCellMatchesTheReference(nudged);
}

} // namespace
