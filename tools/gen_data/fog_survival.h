// How well colours keep their look through the fog table. The table maps each colour, blended
// towards the fog colour by the shade of its depth, to the nearest of the palette's coarse
// colours; a colour whose blends land on entries of another hue (brown on olive) or on greys
// changes its look with distance.
#pragma once

#include "assets/model.h"
#include "gen_data/cielab.h"

// Blends whose CIELAB chroma is above this still read as coloured; a table entry at or below
// it reads as grey.
constexpr double ColouredChroma = 12;
// A coloured blend drifts when its table entry is grey or its hue is more than this many
// degrees from the blend's own hue.
constexpr double DriftDegrees = 30;

// Figures over the blends of one or more palette colours at every fog shade from 255 (depth
// 0.25) to 0 (depth 15 and beyond), each colour weighted by how often it is used.
struct FogSurvival {
    double meanDeltaE;  // mean CIELAB distance between blend and table entry
    double worstDeltaE; // the largest such distance
    double driftShare;  // drifting blends over coloured blends, 0..1; 0 when none is coloured
};

// Each of the following builds the palette and the fog table first, exactly as start-up does,
// if they are not built yet.

// The figures of one palette colour on its own.
FogSurvival MeasureColour(int paletteIndex);

// The figures of a texture: its palette colours weighted by their texel counts.
FogSurvival MeasureTexture(const Texture& texture);

// A palette entry in CIELAB.
Lab PaletteLab(int paletteIndex);
