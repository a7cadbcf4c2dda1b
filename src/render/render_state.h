// The renderer's one process-wide value: the projection, filled once at start-up and only read
// afterwards. Everything a frame changes lives in the render context records.
#pragma once

#include "math/mat4.h"

// Perspective projection, filled once at start-up.
extern Mat4 ProjectionMatrix;
