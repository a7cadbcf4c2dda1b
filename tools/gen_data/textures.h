// The seven generated textures, painted in full colour before they are reduced to palette
// indices. Each must read clearly at a distance through the light fog.
#pragma once

#include "gen_data/texture_paint.h"

using Painter = void (*)(Image& image);

// Sandstone flagstones, two by two, with dark joints.
void PaintFloorTile(Image& image);
// The floor tile at half size into FloorRegion, for the models that carry their own floor.
void PaintFloorRegion(Image& image);
// Weathered, cracked and mossy stone; a lighter break face; the floor.
void PaintBrokenPillar(Image& image);
// Pale fluted stone; carved plinth and capital stone; the floor.
void PaintColumn(Image& image);
// Planked table top; darker legs; the floor.
void PaintTable(Image& image);
// Grey ashlar courses.
void PaintWall(Image& image);
// Dark beams round coffered panels.
void PaintCeiling(Image& image);
// A red cushion with a highlight on the upper left lobe.
void PaintHeart(Image& image);
