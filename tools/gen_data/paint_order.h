// The order of a model's triangles. The renderer draws them in file order with no depth
// buffer, so where a model is not convex a triangle drawn later can cover one nearer the eye.
// A small renderer of its own, with a depth buffer for the true picture, counts the pixels
// this gets wrong over the views a walk reaches: eye height 1.0, every side, 0.5 to 10 units
// from the model, the model ahead or off to one side.
#pragma once

#include "gen_data/mesh.h"

// Pixels of the 320 x 240 frame, summed over the walk's views, where drawing the mesh in its
// order leaves a triangle other than the nearest one.
long WrongPixels(const Mesh& mesh);

// The same triangles in the order that leaves the fewest wrong pixels found by moving one
// triangle at a time, starting from the given order; the same result on every run.
Mesh OrderForPainting(const Mesh& mesh);

// Appends the solid's triangles to mesh in that order. What mesh holds already (a floor
// under the solid) is drawn first and so never covers the solid.
void AppendInPaintingOrder(Mesh& mesh, const Mesh& solid);
