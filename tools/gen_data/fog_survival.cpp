#include "gen_data/fog_survival.h"

#include <algorithm>

#include "render/palette.h"

namespace {

// The fog colour as the fog table blends towards it, in channel intensities 0..255.
constexpr double FogRed = 0.75 * 255;
constexpr double FogGreen = 0.85 * 255;
constexpr double FogBlue = 0.81 * 255;

// Sums over the 256 shades of one palette colour, so that textures add them up by use.
struct ShadeSums {
    double deltaE = 0;
    double worstDeltaE = 0;
    int coloured = 0;
    int drifting = 0;
};

struct FogFigures {
    ShadeSums colours[PaletteSize];
};

void BuildTables() {
    static const bool built = [] {
        BuildPalette(Palette);
        BuildFogTable(Palette);
        return true;
    }();
    static_cast<void>(built);
}

ShadeSums SumShades(int index) {
    const RgbQuad& own = Palette[index];
    ShadeSums sums;
    for (int shade = 0; shade < FogShades; ++shade) {
        const double weight = shade / 255.0;
        const Lab blend = ToLab(weight * own.red + (1 - weight) * FogRed,
                                weight * own.green + (1 - weight) * FogGreen,
                                weight * own.blue + (1 - weight) * FogBlue);
        const Lab drawn = PaletteLab(FogTable[shade * PaletteSize + index]);
        const double distance = DeltaE(blend, drawn);
        sums.deltaE += distance;
        sums.worstDeltaE = std::max(sums.worstDeltaE, distance);
        if (Chroma(blend) > ColouredChroma) {
            ++sums.coloured;
            if (Chroma(drawn) <= ColouredChroma ||
                HueDifference(Hue(blend), Hue(drawn)) > DriftDegrees) {
                ++sums.drifting;
            }
        }
    }
    return sums;
}

const FogFigures& Figures() {
    static const FogFigures figures = [] {
        BuildTables();
        FogFigures built;
        for (int i = 0; i < PaletteSize; ++i) {
            built.colours[i] = SumShades(i);
        }
        return built;
    }();
    return figures;
}

FogSurvival Summarise(const double* uses) {
    double deltaE = 0;
    double worst = 0;
    double coloured = 0;
    double drifting = 0;
    double total = 0;
    for (int i = 0; i < PaletteSize; ++i) {
        if (uses[i] == 0) {
            continue;
        }
        const ShadeSums& sums = Figures().colours[i];
        deltaE += uses[i] * sums.deltaE;
        worst = std::max(worst, sums.worstDeltaE);
        coloured += uses[i] * sums.coloured;
        drifting += uses[i] * sums.drifting;
        total += uses[i] * FogShades;
    }
    return {total > 0 ? deltaE / total : 0, worst, coloured > 0 ? drifting / coloured : 0};
}

} // namespace

Lab PaletteLab(int paletteIndex) {
    BuildTables();
    const RgbQuad& entry = Palette[paletteIndex];
    return ToLab(entry.red, entry.green, entry.blue);
}

FogSurvival MeasureColour(int paletteIndex) {
    double uses[PaletteSize] = {};
    uses[paletteIndex] = 1;
    return Summarise(uses);
}

FogSurvival MeasureTexture(const Texture& texture) {
    double uses[PaletteSize] = {};
    for (uint8_t texel : texture.texels) {
        uses[texel] += 1;
    }
    return Summarise(uses);
}
