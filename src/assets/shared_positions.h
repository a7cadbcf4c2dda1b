// The distinct vertex positions of a model, so that a position that several triangles share
// can be transformed once per draw instead of once per triangle corner.
#pragma once

#include <cstdint>

#include "assets/model.h"

struct ModelPosition {
    float x, y, z;
};

struct SharedPositions {
    int32_t count;            // distinct positions
    ModelPosition* positions; // count entries
    int32_t* corners;         // the position of each triangle corner: 3 per triangle, in order
};

// Models with more triangles are not searched for shared positions (they are drawn triangle by
// triangle): the search sorts every corner, and a file may declare millions of triangles.
constexpr int32_t MaxSharingTriangles = 16384;

// Finds the distinct positions of the triangles' corners; two positions are the same when their
// three floats are equal bit for bit. Returns null for no triangles, for more than
// MaxSharingTriangles, or when memory runs out.
SharedPositions* FindSharedPositions(const ModelTriangle* triangles, int32_t triangleCount);
// Null is ignored.
void FreeSharedPositions(SharedPositions* shared);
