#include "gen_data/materials.h"

#include <algorithm>

#include "gen_data/cielab.h"
#include "gen_data/fog_survival.h"
#include "render/palette.h"

const Material Wood = {45, 70, 30, 75, 25, 60, 0.10};
const Material FloorTiles = {20, 70, 30, 70, 45, 60, 0.10};
// Greys have no hue to speak of: any hue, no chroma.
const Material Stone = {0, 360, 0, 1, 0, 100, 0};
const Material Moss = {120, 160, 30, 60, 30, 70, 0.18};
const Material Heart = {0, 45, 15, 100, 15, 85, 0.09};

namespace {

bool ReadsAs(const Material& material, const Lab& colour) {
    const double chroma = Chroma(colour);
    const double hue = Hue(colour);
    return hue >= material.hueLow && hue <= material.hueHigh && chroma >= material.chromaLow &&
           chroma <= material.chromaHigh && colour.lightness >= material.lightnessLow &&
           colour.lightness <= material.lightnessHigh;
}

} // namespace

std::vector<int> MaterialColours(const Material& material) {
    std::vector<int> colours;
    int leastDrifting = -1;
    double leastDrift = 2;
    for (int i = 0; i < PaletteSize; ++i) {
        if (!ReadsAs(material, PaletteLab(i))) {
            continue;
        }
        const double drift = MeasureColour(i).driftShare;
        if (drift <= material.driftLimit) {
            colours.push_back(i);
        }
        if (drift < leastDrift) {
            leastDrift = drift;
            leastDrifting = i;
        }
    }
    if (colours.empty() && leastDrifting >= 0) {
        colours.push_back(leastDrifting);
    }
    return colours;
}

std::vector<int> TextureColours(const std::vector<const Material*>& materials) {
    std::vector<int> colours;
    for (const Material* material : materials) {
        const std::vector<int> own = MaterialColours(*material);
        colours.insert(colours.end(), own.begin(), own.end());
    }
    std::sort(colours.begin(), colours.end());
    colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
    return colours;
}

Rgb MaterialColour(const Material& material) {
    const std::vector<int> colours = MaterialColours(material);
    Rgb sum = {0, 0, 0};
    for (int i : colours) {
        sum.red += Palette[i].red;
        sum.green += Palette[i].green;
        sum.blue += Palette[i].blue;
    }
    const int count = static_cast<int>(colours.size());
    return {sum.red / count, sum.green / count, sum.blue / count};
}
