// Per-frame cost of the render pass without triangles (view matrix, traversal with culling,
// depth sort) and of the frame clear.
#include <benchmark/benchmark.h>

#include <string>

#include "render/frame.h"
#include "render/renderer.h"
#include "scene/level.h"
#include "startup/startup.h"

namespace {

// The level with every slot holding a model without triangles, built once.
Scene& EmptyModelLevel() {
    static Texture texture{};
    static Model empty{nullptr, 0, &texture};
    static Scene* scene = nullptr;
    if (scene == nullptr) {
        for (const ModelSlot& slot : ModelSlots) {
            *slot.slot = &empty;
        }
        scene = BuildWorld();
    }
    return *scene;
}

void BM_RenderPassLevelStart(benchmark::State& state) {
    Scene& scene = EmptyModelLevel();
    const std::unique_ptr<Renderer> renderer = CreateRenderer(1, 1);
    for (auto _ : state) {
        RenderScene(*renderer, scene);
        benchmark::DoNotOptimize(renderer->frame.drawnModelCount);
    }
    state.SetLabel(std::to_string(renderer->frame.drawnModelCount) + " models kept of 903");
}
BENCHMARK(BM_RenderPassLevelStart);

void BM_ClearFrame(benchmark::State& state) {
    const std::unique_ptr<Renderer> renderer = CreateRenderer(1, 1);
    for (auto _ : state) {
        ClearFrame(*renderer);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ClearFrame);

} // namespace
