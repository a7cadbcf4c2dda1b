// The wooden textures: the table and the beamed ceiling.
#include <algorithm>
#include <initializer_list>

#include "gen_data/materials.h"
#include "gen_data/textures.h"

namespace {

// The brown percent of the way from a dark grey to the wood's colour. Half way it is the
// (128, 80, 32) of oak; each texel shows the orange brown or a grey, and both keep their hue
// through the fog, where the palette's own middle browns turn olive.
Rgb WoodBrown(int percent) {
    return Mixed({64, 64, 64}, MaterialColour(Wood), percent);
}

// Wood with grain lines running along x (or along y when vertical), wavy from noise.
Rgb Grained(const Rgb& wood, int x, int y, bool vertical, uint32_t seed) {
    const int along = vertical ? y : x;
    const int across = vertical ? x : y;
    const int wave = Noise(x, y, 16, seed) / 24;
    const bool line = (3 * across + wave + along / 16) % 7 == 0;
    const int grain = static_cast<int>(Hash(x, y, seed + 1) % 13) - 6;
    return Brightened(wood, (line ? -30 : 0) + grain);
}

// True for the beams: round the tile's edge (where neighbouring tiles complete them) and
// across its middle.
bool IsBeam(int t) {
    return t < 3 || t > 60 || (t >= 29 && t <= 34);
}

// Distance from t to the nearest beam, for the shading of the panels.
int DistanceToBeam(int t) {
    int distance = TextureSide;
    for (int beam : {2, 29, 34, 61}) {
        distance = std::min(distance, t > beam ? t - beam : beam - t);
    }
    return distance;
}

} // namespace

void PaintTable(Image& image) {
    const Rgb planks[4] = {WoodBrown(50), WoodBrown(44), WoodBrown(56), WoodBrown(47)};
    constexpr int PlankWidth = 8;
    for (int y = MainRegion.top; y <= MainRegion.bottom; ++y) {
        for (int x = MainRegion.left; x <= MainRegion.right; ++x) {
            const Rgb wood = Grained(planks[y / PlankWidth], x, y, false, 51);
            image.at(x, y) = y % PlankWidth == 0 ? Brightened(wood, -70) : wood;
        }
    }
    for (int y = DetailRegion.top; y <= DetailRegion.bottom; ++y) {
        for (int x = DetailRegion.left; x <= DetailRegion.right; ++x) {
            image.at(x, y) = Grained(WoodBrown(36), x, y, true, 52);
        }
    }
    PaintFloorRegion(image);
}

void PaintCeiling(Image& image) {
    const Rgb beam = WoodBrown(36);
    const Rgb panel = {168, 168, 168};
    for (int y = 0; y < TextureSide; ++y) {
        for (int x = 0; x < TextureSide; ++x) {
            if (IsBeam(x) || IsBeam(y)) {
                image.at(x, y) = Grained(beam, x, y, IsBeam(x) && !IsBeam(y), 61);
                continue;
            }
            // Panels darken towards the beams that frame them, as if recessed.
            const int edge = std::min(DistanceToBeam(x), DistanceToBeam(y));
            const int shade = edge < 4 ? -15 * (4 - edge) : 0;
            image.at(x, y) = Brightened(panel, shade + Noise(x, y, 4, 62) / 20 - 6);
        }
    }
}
