// The fixed 256-colour palette and the fog table that maps every colour at every fog shade
// to the nearest palette colour.
#pragma once

#include <cstdint>

// One colour-table entry, in the byte order a device-independent bitmap expects.
struct RgbQuad {
    uint8_t blue;
    uint8_t green;
    uint8_t red;
    uint8_t reserved;
};

constexpr int PaletteSize = 256;
constexpr int FogShades = 256;
constexpr int FogTableSize = FogShades * PaletteSize;

// The process-wide palette, built once at start-up and handed to the platform's colour table.
extern RgbQuad Palette[PaletteSize];

// Byte at shade * 256 + colour: shade 255 is the colour itself, shade 0 the pure fog colour.
extern uint8_t FogTable[FogTableSize];

// Writes the 6x6x6 colour cube (indices 0-214) and the 41-step grey ramp (215-255) into a
// zero-filled colour table; reserved bytes are left as they are.
void BuildPalette(RgbQuad* colourTable);

// Fills FogTable from a finished palette by an exhaustive nearest-colour search.
void BuildFogTable(const RgbQuad* colourTable);

// BuildPalette into Palette, then BuildFogTable from it: the colour tables every program builds
// once at start-up.
void BuildColourTables();
