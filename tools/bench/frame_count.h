// What a frame cost in models, triangles and pixels, found by a separate pass over the same
// scene that makes the render pass's decisions again but draws nothing. The timed frame itself
// carries no counters.
#pragma once

#include <cstdint>

#include "render/render_context.h"
#include "scene/scene.h"

// Work on the triangles of some models.
struct TriangleCounts {
    uint64_t submitted; // triangles of the models
    uint64_t drawn;     // of those, the ones triangle setup hands to the rasteriser
    uint64_t pixels;    // pixels the rasteriser writes for them
};

struct FrameCounts {
    uint32_t models;          // models kept by culling (the title's figure)
    uint32_t modelsReached;   // of those, the ones drawn before the frame was covered
    uint32_t modelsHidden;    // of those, the ones found wholly behind nearer ones
    uint32_t modelsBoxHidden; // of those, the ones found so by their box, before any set-up
    TriangleCounts nearToFar; // the frame as the render pass draws it, nearest first
    TriangleCounts farToNear; // the same frame in the painter's order, every pixel overdrawn
};

// Counts the frame RenderScene would draw for the scene as it is, with the given worker over
// a whole frame and frame state of their own, so that nothing a renderer reads changes.
FrameCounts CountFrame(WorkerState& worker, FrameState& frame, const Scene& scene);
