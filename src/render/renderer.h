// A renderer: one frame target at an integer scale, the frame's shared state, and the workers
// that draw it, with their helper threads started once. Several renderers can exist at once
// and draw independently, such as a window's and a side frame at scale 1.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/render_context.h"
#include "render/triangle_setup.h"
#include "render/worker_pool.h"
#include "scene/scene.h"

// The most threads a renderer draws with.
constexpr int32_t MaxRenderThreads = 64;

// A band of the frame's rows, drawn by one worker at a time.
struct RowBand {
    int32_t firstRow;
    int32_t endRow;
};

struct Renderer {
    RenderTarget target;
    FrameState frame;
    std::vector<WorkerState> workers; // one per thread; workers[0] is the caller's
    std::vector<RowBand> bands;       // the frame's rows split into bands, top to bottom
    WorkerPool* pool = nullptr;       // null for a single thread

    // What the current frame asks of each band; set before the workers start.
    DrawOrder order;
    bool clearFirst;

    // Storage behind the records above.
    std::vector<uint8_t> ownedPixels;
    std::vector<DrawEntry> drawEntries;
    std::vector<DrawEntry> sortScratch;
    std::vector<CoveredRow> coveredRows;
    std::vector<uint64_t> coveredWords;

    ~Renderer();
};

// The number of cores this process may run on, at least 1 and at most MaxRenderThreads; 1
// where threads are not available.
int32_t DefaultThreadCount();

// A renderer for a frame of 320 scale x 240 scale pixels (scale 1 to MaxFrameScale) drawn by
// the given number of threads (1 to MaxRenderThreads; 1 starts no thread). It draws into
// pixels at the given row pitch (at least the frame's width) when pixels is not null, and
// into pixels of its own otherwise. Null when a value is out of range.
std::unique_ptr<Renderer> CreateRenderer(int32_t scale, int32_t threads, uint8_t* pixels = nullptr,
                                         int32_t pitch = 0);

// Clears the frame to the fog colour and draws the scene, each worker its own rows. Leaves
// frame.drawnModelCount set.
void RenderClearedFrame(Renderer& renderer, const Scene& scene);
// Draws the scene over what the frame holds, nearest first.
void RenderScene(Renderer& renderer, const Scene& scene);
// RenderScene in the given order (both leave the same frame).
void RenderSceneIn(Renderer& renderer, DrawOrder order, const Scene& scene);

// The worker state of a single-threaded drawing over the whole of the renderer's frame, for
// drawing single triangles and models outside a render pass.
WorkerState& WholeFrameWorker(Renderer& renderer);

// Fills the whole frame with the fog colour, FogTable[0].
void ClearFrame(Renderer& renderer);
