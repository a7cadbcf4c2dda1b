// The seven generated models, in world units with the model origin on the floor (y = 0) at
// the centre of its 2 x 2 map cell.
#pragma once

#include "gen_data/mesh.h"

// 2 x 2 floor tile facing up.
Mesh BuildFloorTile();
// 2 x 2 ceiling tile at y = 0 facing down; the level lifts it to y = 3.
Mesh BuildCeilingTile();
// Closed block filling its cell from floor (y = 0) to ceiling (y = 3).
Mesh BuildWallBlock();
// Floor quad, then a table top about 0.8 high on four legs.
Mesh BuildTable();
// Floor quad, then a fluted column from floor to ceiling with plinth and capital.
Mesh BuildColumn();
// Floor quad, then the lower part of a column broken off about 1.2 high.
Mesh BuildBrokenPillar();
// Closed rounded heart about 0.5 across, centred about 1.0 above the origin on the y axis.
Mesh BuildHeart();
