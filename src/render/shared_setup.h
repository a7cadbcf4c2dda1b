// Triangle setup for models whose triangles share vertex positions: every distinct position is
// transformed and projected once per draw, and each triangle then only combines the results of
// its three corners. Draws exactly what DrawTriangleIn draws for each triangle in turn.
#pragma once

#include "assets/model.h"
#include "render/triangle_setup.h"

// True when the model carries its shared positions and there are few enough of them.
bool CanDrawShared(const Model& model);

// Draws every triangle of the model in the order given, with ModelViewMatrix,
// ProjectionMatrix and CurrentTexture. Only for models that CanDrawShared.
void DrawSharedTriangles(const Model& model, DrawOrder order);
