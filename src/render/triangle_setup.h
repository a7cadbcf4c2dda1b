// Triangle setup: view transform, near clamp, fog shade, projection, rejection and mapping
// to the pixel grid, then rasterisation.
#pragma once

#include "assets/model.h"

// Draws one model triangle with ModelViewMatrix, ProjectionMatrix and CurrentTexture.
void DrawTriangle(const ModelVertex& a, const ModelVertex& b, const ModelVertex& c);
