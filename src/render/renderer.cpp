#include "render/renderer.h"

#include <algorithm>
#include <thread>

#if defined(__linux__)
#include <sched.h>
#endif

#include "render/coverage.h"
#include "render/render_pass.h"

namespace {

// Bands per thread at each scale. Each band walks the whole draw list and projects the
// positions of every model it reaches again: about 4 % of a scale-1 frame's instructions per
// extra band, but under 1 % at scale 4 (counted with callgrind along the default walk). More
// bands than threads let a thread that finishes early, or the caller when a helper wakes late,
// take another band, so that one busy part of the picture does not hold the frame up.
int32_t BandsPerThread(int32_t scale) {
    return std::min(scale, 4);
}

// Threads that can be started here: none in a browser build without thread support.
int32_t UsableThreads(int32_t threads) {
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
    (void)threads;
    return 1;
#else
    return threads;
#endif
}

// Clears (when asked) and draws one band of rows with the thread's worker.
void DrawBand(void* context, int32_t thread, int32_t band) {
    Renderer& renderer = *static_cast<Renderer*>(context);
    WorkerState& worker = renderer.workers[static_cast<size_t>(thread)];
    worker.firstRow = renderer.bands[static_cast<size_t>(band)].firstRow;
    worker.endRow = renderer.bands[static_cast<size_t>(band)].endRow;
    if (renderer.clearFirst) {
        ClearRows(worker);
    }
    DrawFrameRows(worker, renderer.order, renderer.frame);
}

void Render(Renderer& renderer, const Scene& scene, DrawOrder order, bool clearFirst) {
    PrepareFrame(renderer.frame, scene);
    renderer.order = order;
    renderer.clearFirst = clearFirst;
    const auto bandCount = static_cast<int32_t>(renderer.bands.size());
    if (renderer.pool == nullptr) {
        for (int32_t band = 0; band < bandCount; ++band) {
            DrawBand(&renderer, 0, band);
        }
    } else {
        RunPoolTasks(*renderer.pool, bandCount);
    }
}

// Splits height rows into count bands of nearly equal height, top to bottom.
std::vector<RowBand> SplitRows(int32_t height, int32_t count) {
    std::vector<RowBand> bands;
    for (int32_t i = 0; i < count; ++i) {
        bands.push_back({height * i / count, height * (i + 1) / count});
    }
    return bands;
}

} // namespace

Renderer::~Renderer() {
    if (pool != nullptr) {
        StopWorkerPool(pool);
    }
    for (WorkerState& worker : workers) {
        DestroyPositionScratch(worker.positions);
    }
}

int32_t DefaultThreadCount() {
    int32_t cores = 0;
#if defined(__linux__)
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) {
        cores = CPU_COUNT(&set);
    }
#endif
    if (cores <= 0) {
        cores = static_cast<int32_t>(std::thread::hardware_concurrency());
    }
    return UsableThreads(std::clamp<int32_t>(cores, 1, MaxRenderThreads));
}

std::unique_ptr<Renderer> CreateRenderer(int32_t scale, int32_t threads, uint8_t* pixels,
                                         int32_t pitch) {
    const int32_t width = FrameWidth * scale;
    const int32_t height = FrameHeight * scale;
    if (scale < 1 || scale > MaxFrameScale || threads < 1 || threads > MaxRenderThreads ||
        (pixels != nullptr && pitch < width)) {
        return nullptr;
    }
    threads = UsableThreads(threads);
    auto renderer = std::make_unique<Renderer>();
    Renderer& r = *renderer;
    if (pixels == nullptr) {
        r.ownedPixels.assign(static_cast<size_t>(width) * height, 0);
        pixels = r.ownedPixels.data();
        pitch = width;
    }
    r.target = {pixels, width, height, pitch};

    r.drawEntries.resize(DrawListCapacity);
    r.sortScratch.resize(DrawListCapacity);
    r.frame = FrameState{};
    r.frame.drawList = {r.drawEntries.data(), 0};
    r.frame.sortScratch = r.sortScratch.data();

    const int32_t words = CoveredWords(width);
    r.coveredWords.resize(static_cast<size_t>(height) * words);
    r.coveredRows.resize(static_cast<size_t>(height));
    for (int32_t row = 0; row < height; ++row) {
        r.coveredRows[static_cast<size_t>(row)] = {
            r.coveredWords.data() + static_cast<size_t>(row) * words, 0};
    }

    r.bands = SplitRows(height, threads == 1 ? 1 : threads * BandsPerThread(scale));
    r.workers.resize(static_cast<size_t>(threads));
    for (WorkerState& worker : r.workers) {
        worker = WorkerState{};
        worker.target = r.target;
        worker.endRow = height;
        worker.coveredRows = r.coveredRows.data();
        SetIdentity(worker.modelViewMatrix);
        worker.positions = CreatePositionScratch();
    }
    r.pool = threads > 1 ? StartWorkerPool(threads - 1, DrawBand, &r) : nullptr;
    return renderer;
}

void RenderClearedFrame(Renderer& renderer, const Scene& scene) {
    Render(renderer, scene, DrawOrder::NearToFar, true);
}

void RenderScene(Renderer& renderer, const Scene& scene) {
    Render(renderer, scene, DrawOrder::NearToFar, false);
}

void RenderSceneIn(Renderer& renderer, DrawOrder order, const Scene& scene) {
    Render(renderer, scene, order, false);
}

WorkerState& WholeFrameWorker(Renderer& renderer) {
    WorkerState& worker = renderer.workers[0];
    worker.firstRow = 0;
    worker.endRow = renderer.target.height;
    return worker;
}

void ClearFrame(Renderer& renderer) {
    ClearRows(WholeFrameWorker(renderer));
}
