// One frame: clear to the fog colour, set the eye height, render the scene.
#pragma once

#include "scene/scene.h"

// Fills the FrameBuffer with FogTable[0] using 32-bit stores.
void ClearFrame();
// Camera y := 1.0 + 0.01 * sin(time of the first animator); 1.0 when there is none.
void SetEyeHeight(Scene& scene);
// ClearFrame, SetEyeHeight, RenderScene.
void RenderFrame(Scene& scene);
