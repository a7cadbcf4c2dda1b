// The materials the textures are painted in, and the palette colours each may use. The fog
// table sends some palette colours to entries of another hue as the fog thickens (a brown to
// olive), so each material keeps only the colours that read as it and hold their hue best.
#pragma once

#include <vector>

#include "gen_data/texture_paint.h"

// What reads as the material, in CIELAB: a hue range in degrees (hueLow to hueHigh, 0..360),
// a chroma range and a lightness range; and the most hue drift through the fog (0..1) a colour
// of it may show.
struct Material {
    double hueLow, hueHigh;
    double chromaLow, chromaHigh;
    double lightnessLow, lightnessHigh;
    double driftLimit;
};

// Wood, of the table and the ceiling beams: an orange brown, dithered with greys into the
// browns of planks, legs and beams.
extern const Material Wood;
// Floor tiles: terracotta and orange brown, dithered together and with pale greys.
extern const Material FloorTiles;
// Stone, joints, cracks and plaster: the greys, which keep their look at every depth.
extern const Material Stone;
// Green moss on the broken pillars.
extern const Material Moss;
// The heart's reds and its pale highlight.
extern const Material Heart;

// The palette indices that read as the material and drift no more than its limit, in index
// order; when none stays within the limit, the one that drifts least.
std::vector<int> MaterialColours(const Material& material);

// The union of the materials' colours, in index order: the colours a texture may use.
std::vector<int> TextureColours(const std::vector<const Material*>& materials);

// The mean of the material's colours: what it shows from afar, dithered evenly.
Rgb MaterialColour(const Material& material);
