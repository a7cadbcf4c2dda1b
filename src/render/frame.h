// One frame: set the eye height, then clear to the fog colour and render the scene.
#pragma once

#include "render/renderer.h"
#include "scene/scene.h"

// Camera y := 1.0 + 0.01 * sin(time of the first animator); 1.0 when there is none.
void SetEyeHeight(Scene& scene);
// SetEyeHeight, then the renderer clears its frame to the fog colour and draws the scene.
void RenderFrame(Renderer& renderer, Scene& scene);
