#include "render/palette.h"

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

// Index of the first palette entry with the smallest squared distance to the target.
uint8_t NearestColour(const PaletteComponents& palette, int red, int green, int blue) {
    int32_t distance[PaletteSize];
    int32_t smallest = INT32_MAX;
    for (int m = 0; m < PaletteSize; ++m) {
        const int32_t dr = red - palette.red[m];
        const int32_t dg = green - palette.green[m];
        const int32_t db = blue - palette.blue[m];
        distance[m] = dr * dr + dg * dg + db * db;
        smallest = distance[m] < smallest ? distance[m] : smallest;
    }
    int m = 0;
    while (distance[m] != smallest) {
        ++m;
    }
    return static_cast<uint8_t>(m);
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

uint8_t FogCell(const PaletteComponents& palette, const FogRow& row, int colour) {
    const double k = FogStep;
    const double targetRed = (palette.red[colour] * row.ownWeight) * k + row.red;
    const double targetGreen =
        static_cast<float>((palette.green[colour] * row.ownWeight) * k + row.green);
    const double targetBlue =
        static_cast<float>((palette.blue[colour] * row.ownWeight) * k + row.blue);
    return NearestColour(palette, RoundToNearestEven(targetRed * 255.0),
                         RoundToNearestEven(targetGreen * 255.0),
                         RoundToNearestEven(targetBlue * 255.0));
}

} // namespace

void BuildPalette(RgbQuad* colourTable) {
    for (int r = 0; r < 6; ++r) {
        for (int g = 0; g < 6; ++g) {
            for (int b = 0; b < 6; ++b) {
                RgbQuad& entry = colourTable[36 * r + 6 * g + b];
                entry.blue = static_cast<uint8_t>(48 * b);
                entry.green = static_cast<uint8_t>(48 * g);
                entry.red = static_cast<uint8_t>(48 * r);
            }
        }
    }
    for (int i = 0; i <= 40; ++i) {
        const uint8_t grey = static_cast<uint8_t>(RoundToNearestEven(i * 6.375));
        RgbQuad& entry = colourTable[215 + i];
        entry.blue = entry.green = entry.red = grey;
    }
}

void BuildFogTable(const RgbQuad* colourTable) {
    const PaletteComponents palette = SplitComponents(colourTable);
    for (int shade = 0; shade < FogShades; ++shade) {
        const FogRow row = MakeFogRow(shade);
        for (int colour = 0; colour < PaletteSize; ++colour) {
            FogTable[shade * PaletteSize + colour] = FogCell(palette, row, colour);
        }
    }
}
