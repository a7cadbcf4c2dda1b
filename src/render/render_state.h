// The renderer's one process-wide value: the projection, filled once at start-up and only read
// afterwards. Everything a frame changes lives in the render context records.
#pragma once

#include "math/mat4.h"

// Perspective projection, filled once at start-up.
extern Mat4 ProjectionMatrix;

// The perspective projection every frame uses: 50 degrees vertical, aspect 640/480, near 0.25,
// far 15. The aspect stays 640/480 at every scale, so a larger frame shows the same view.
void FillProjectionMatrix();
