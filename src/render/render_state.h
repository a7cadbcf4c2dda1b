// Process-wide renderer state shared by the render pass, triangle setup and the span filler.
// Each value is valid for the stage that sets it; everything runs on one thread.
#pragma once

#include <cstdint>

#include "assets/model.h"
#include "math/mat4.h"

// Perspective projection, filled once at start-up.
extern Mat4 ProjectionMatrix;
// World to view space for the current camera; rebuilt at the start of each render pass.
extern Mat4 ViewMatrix;
// Model to world space of the node being visited, or of the model being drawn.
extern Mat4 WorldMatrix;
// ViewMatrix * WorldMatrix of the model being drawn; read by triangle setup.
extern Mat4 ModelViewMatrix;
// Texture of the model being drawn; read by the span filler.
extern const Texture* CurrentTexture;
// Number of models the last render pass kept after culling.
extern uint32_t DrawnModelCount;
