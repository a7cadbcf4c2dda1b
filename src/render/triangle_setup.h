// Triangle setup: view transform, near clamp, fog shade, projection, rejection and mapping
// to the pixel grid, then rasterisation.
#pragma once

#include "assets/model.h"
#include "render/raster.h"

// Turns a model triangle into its three screen vertices (in the same order) with
// ModelViewMatrix and ProjectionMatrix. Returns false when the triangle is dropped: wholly
// behind the near limit, facing away, wholly beyond one screen edge, or with a pixel position
// that does not fit in 16 bits (such a vertex would otherwise wrap into a different triangle).
bool SetUpTriangle(const ModelVertex& a, const ModelVertex& b, const ModelVertex& c,
                   ScreenVertex screen[3]);

// Draws one model triangle with ModelViewMatrix, ProjectionMatrix and CurrentTexture.
void DrawTriangle(const ModelVertex& a, const ModelVertex& b, const ModelVertex& c);
