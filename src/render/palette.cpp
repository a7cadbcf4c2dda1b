#include "render/palette.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

RgbQuad Palette[PaletteSize];
uint8_t FogTable[FogTableSize];

namespace {

// Single-precision 1/255 (bits 0x3B808081), slightly larger than 1/255.
constexpr float FogStep = 0.0039215689f;
constexpr float FogRed = 0.75f;
constexpr float FogGreen = 0.85000002f;
constexpr float FogBlue = 0.81000000f;

// The colour cube has six levels per channel, 48 apart; the grey ramp starts at index 215.
constexpr int CubeLevels = 6;
constexpr int CubeStep = 48;
constexpr int FirstGrey = 215;
constexpr int GreyCount = 41;

int RoundToNearestEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// Palette components as integers, laid out so the distance loop vectorises.
struct PaletteComponents {
    int32_t red[PaletteSize];
    int32_t green[PaletteSize];
    int32_t blue[PaletteSize];
};

PaletteComponents SplitComponents(const RgbQuad* colourTable) {
    PaletteComponents components;
    for (int m = 0; m < PaletteSize; ++m) {
        components.red[m] = colourTable[m].red;
        components.green[m] = colourTable[m].green;
        components.blue[m] = colourTable[m].blue;
    }
    return components;
}

int32_t SquaredDistance(const PaletteComponents& palette, int m, int red, int green, int blue) {
    const int32_t dr = red - palette.red[m];
    const int32_t dg = green - palette.green[m];
    const int32_t db = blue - palette.blue[m];
    return dr * dr + dg * dg + db * db;
}

// Index of the first palette entry with the smallest squared distance to the target, by a
// search over all 256 entries. Serves any palette.
uint8_t NearestColourOfAll(const PaletteComponents& palette, int red, int green, int blue) {
    int32_t distance[PaletteSize];
    int32_t smallest = INT32_MAX;
    for (int m = 0; m < PaletteSize; ++m) {
        distance[m] = SquaredDistance(palette, m, red, green, blue);
        smallest = distance[m] < smallest ? distance[m] : smallest;
    }
    int m = 0;
    while (distance[m] != smallest) {
        ++m;
    }
    return static_cast<uint8_t>(m);
}

// The system palette's cube level (0 to 5, 48 apart) nearest to an intensity, the lower one
// on a tie.
int NearestCubeLevel(int intensity) {
    const int clamped = intensity < 0 ? 0 : intensity > 255 ? 255 : intensity;
    return std::min((clamped + 23) / CubeStep, CubeLevels - 1);
}

int CubeIndex(int r, int g, int b) {
    return (r * CubeLevels + g) * CubeLevels + b;
}

// The same result as NearestColourOfAll for the system palette, from the few entries that can
// hold it. The squared distance separates into one term per channel, so the first cube colour
// at the smallest distance takes in each channel the nearest level, the lower one on a tie.
// Where that is the cube's last entry, which the greys replaced, the nearest remaining cube
// colours differ from it in one channel by one level. Over the greys the distance is
// 3 (v - mean)^2 plus a constant, so the nearest greys are those whose value v is closest to
// the mean intensity. Candidates are visited in index order and only a strictly smaller
// distance replaces the best, so the first entry at the smallest distance wins, as in the
// full search.
uint8_t NearestSystemColour(const PaletteComponents& palette, int red, int green, int blue) {
    int32_t smallest = INT32_MAX;
    int best = 0;
    auto consider = [&](int m) {
        const int32_t distance = SquaredDistance(palette, m, red, green, blue);
        if (distance < smallest) {
            smallest = distance;
            best = m;
        }
    };
    const int nearestCube =
        CubeIndex(NearestCubeLevel(red), NearestCubeLevel(green), NearestCubeLevel(blue));
    if (nearestCube != FirstGrey) {
        consider(nearestCube);
    } else {
        const int top = CubeLevels - 1;
        consider(CubeIndex(top - 1, top, top));
        consider(CubeIndex(top, top - 1, top));
        consider(CubeIndex(top, top, top - 1));
    }
    // Grey i is i * 6.375 rounded, so the mean (red + green + blue) / 3 is grey number
    // (red + green + blue) * 8 / 153.
    const int grey = ((red + green + blue) * 8 + 76) / 153;
    for (int i = std::max(grey - 1, 0); i <= std::min(grey + 1, GreyCount - 1); ++i) {
        consider(FirstGrey + i);
    }
    return static_cast<uint8_t>(best);
}

// True when the colour table holds exactly the colours BuildPalette writes.
bool IsSystemPalette(const RgbQuad* colourTable) {
    RgbQuad system[PaletteSize] = {};
    BuildPalette(system);
    for (int m = 0; m < PaletteSize; ++m) {
        const RgbQuad& a = colourTable[m];
        const RgbQuad& b = system[m];
        if (a.red != b.red || a.green != b.green || a.blue != b.blue) {
            return false;
        }
    }
    return true;
}

// The fog colour's share of one shade row, with the precision each channel is kept in.
struct FogRow {
    double ownWeight;
    double red;
    double green;
    double blue;
};

FogRow MakeFogRow(int shade) {
    const double ownWeight = shade * static_cast<double>(FogStep);
    const double fogWeight = 1.0 - ownWeight;
    FogRow row;
    row.ownWeight = ownWeight;
    row.red = static_cast<float>(fogWeight * FogRed);
    row.green = static_cast<float>(fogWeight * FogGreen);
    row.blue = fogWeight * FogBlue;
    return row;
}

using NearestColourSearch = uint8_t (*)(const PaletteComponents&, int, int, int);

uint8_t FogCell(const PaletteComponents& palette, const FogRow& row, int colour,
                NearestColourSearch nearest) {
    const double k = FogStep;
    const double targetRed = (palette.red[colour] * row.ownWeight) * k + row.red;
    const double targetGreen =
        static_cast<float>((palette.green[colour] * row.ownWeight) * k + row.green);
    const double targetBlue =
        static_cast<float>((palette.blue[colour] * row.ownWeight) * k + row.blue);
    return nearest(palette, RoundToNearestEven(targetRed * 255.0),
                   RoundToNearestEven(targetGreen * 255.0), RoundToNearestEven(targetBlue * 255.0));
}

} // namespace

void BuildPalette(RgbQuad* colourTable) {
    for (int r = 0; r < CubeLevels; ++r) {
        for (int g = 0; g < CubeLevels; ++g) {
            for (int b = 0; b < CubeLevels; ++b) {
                RgbQuad& entry = colourTable[CubeIndex(r, g, b)];
                entry.blue = static_cast<uint8_t>(CubeStep * b);
                entry.green = static_cast<uint8_t>(CubeStep * g);
                entry.red = static_cast<uint8_t>(CubeStep * r);
            }
        }
    }
    for (int i = 0; i < GreyCount; ++i) {
        const uint8_t grey = static_cast<uint8_t>(RoundToNearestEven(i * 6.375));
        RgbQuad& entry = colourTable[FirstGrey + i];
        entry.blue = entry.green = entry.red = grey;
    }
}

void BuildFogTable(const RgbQuad* colourTable) {
    const PaletteComponents palette = SplitComponents(colourTable);
    const NearestColourSearch nearest =
        IsSystemPalette(colourTable) ? NearestSystemColour : NearestColourOfAll;
    for (int shade = 0; shade < FogShades; ++shade) {
        const FogRow row = MakeFogRow(shade);
        for (int colour = 0; colour < PaletteSize; ++colour) {
            FogTable[shade * PaletteSize + colour] = FogCell(palette, row, colour, nearest);
        }
    }
}

void BuildColourTables() {
    BuildPalette(Palette);
    BuildFogTable(Palette);
}
