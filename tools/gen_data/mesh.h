// Building blocks for the generated models. Every piece winds its triangles so that
// (b - a) x (c - a) points out of the solid, which is the side the renderer draws.
#pragma once

#include <vector>

#include "assets/model.h"
#include "gen_data/texture_layout.h"
#include "math/mat4.h"

using Mesh = std::vector<ModelTriangle>;

// A position with its texture coordinates (0..1 across the 64 texels).
struct MeshPoint {
    Vec3 position;
    float u, v;
};

// The texture coordinate of a (possibly fractional) texel position 0..63.
float TexelCoordinate(double texel);

// The point of rect at fractions (across, down), each 0..1 from its top-left texel.
MeshPoint PointInRect(const Vec3& position, const TexelRect& rect, double across, double down);

// Appends one triangle; the three unused floats of each vertex hold its face normal.
void AddTriangle(Mesh& mesh, const MeshPoint& a, const MeshPoint& b, const MeshPoint& c);

// Appends (a, b, c) and (a, c, d), leaving out either one that has two equal corners.
void AddQuad(Mesh& mesh, const MeshPoint& a, const MeshPoint& b, const MeshPoint& c,
             const MeshPoint& d);

// A flat parallelogram given by three corners, seen from the side that
// (topRight - topLeft) x (bottomLeft - topLeft) points to, split into columns x rows pieces.
// The texel rectangle is stretched over it with its top-left texel at topLeft. Small pieces
// keep the affine texture mapping close to the true perspective one.
struct Patch {
    Vec3 topLeft;
    Vec3 topRight;
    Vec3 bottomLeft;
    int columns;
    int rows;
    TexelRect texels;
};
void AddPatch(Mesh& mesh, const Patch& patch);

// An axis-aligned closed box. Each side face is a stack of divisions patches, each showing the
// whole sides rectangle upright and split into divisions columns; the top and bottom show the
// ends rectangle split into divisions x divisions pieces, so that their edges meet the sides'.
struct Box {
    Vec3 low;
    Vec3 high;
    int divisions;
    TexelRect sides;
    TexelRect ends;
};
void AddBox(Mesh& mesh, const Box& box);

// A closed box with a square footprint centred on (x, z), from bottom to top, showing rect on
// every face.
void AddSquareBlock(Mesh& mesh, float x, float z, float halfSide, float bottom, float top,
                    const TexelRect& rect);

// A closed loop of points round the vertical axis, counter-clockwise seen from below (angle
// growing from +x towards +z).
using Ring = std::vector<Vec3>;
Ring MakeRing(int sides, float radius, float y);

// The side wall between two rings of equal size, lower first; u runs once round the loop and
// v from the upper ring (top of rect) to the lower one.
void AddBand(Mesh& mesh, const Ring& lower, const Ring& upper, const TexelRect& rect);

// A flat convex cap over a ring, facing up or down, mapped from above onto rect with the ring's
// horizontal extent -reach..reach filling it.
void AddCap(Mesh& mesh, const Ring& ring, bool facingUp, float reach, const TexelRect& rect);

// An upward-facing fan from apex to every edge of the ring, mapped like AddCap.
void AddPeak(Mesh& mesh, const Ring& ring, const Vec3& apex, float reach, const TexelRect& rect);

// The 2 x 2 floor quad at y = 0 round the model origin, facing up, split into four squares.
void AddFloorQuad(Mesh& mesh, const TexelRect& rect);
