// What a frame cost in models, triangles and pixels, found by a separate pass over the same
// scene that makes the render pass's decisions again but draws nothing. The timed frame itself
// carries no counters.
#pragma once

#include <cstdint>

#include "scene/scene.h"

struct FrameCounts {
    uint32_t models;             // models kept by culling
    uint64_t trianglesSubmitted; // triangles of the kept models
    uint64_t trianglesDrawn;     // of those, the ones triangle setup hands to the rasteriser
    uint64_t pixelsWritten;      // pixel writes of the rasteriser, overdraw included
};

// Counts the frame RenderScene would draw for the scene as it is. Changes nothing that the
// next frame reads; the DrawList is left empty.
FrameCounts CountFrame(const Scene& scene);
