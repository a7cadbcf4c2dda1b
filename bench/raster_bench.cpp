// Throughput of the span filler, the rasteriser and triangle setup.
#include <benchmark/benchmark.h>

#include <vector>

#include "assets/model.h"
#include "math/mat4.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/raster.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "render/triangle_setup.h"

namespace {

constexpr int32_t One = 65536;

// A scale-1 worker with a patterned texture, the real fog table and the system's projection
// seen from the identity camera.
WorkerState& PrepareRenderer() {
    static std::unique_ptr<Renderer> renderer = CreateRenderer(1, 1);
    static Texture texture;
    static bool built = false;
    if (!built) {
        for (int i = 0; i < TextureBytes; ++i) {
            texture.texels[i] = static_cast<uint8_t>(i * 7 + i / TextureSide);
        }
        BuildPalette(Palette);
        BuildFogTable(Palette);
        built = true;
    }
    WorkerState& worker = WholeFrameWorker(*renderer);
    worker.currentTexture = &texture;
    FillProjectionMatrix();
    SetIdentity(worker.modelViewMatrix);
    return worker;
}

// Reports name as a rate: perIteration of it per iteration.
void CountPerSecond(benchmark::State& state, const char* name, double perIteration) {
    state.counters[name] = benchmark::Counter(
        static_cast<double>(state.iterations()) * perIteration, benchmark::Counter::kIsRate);
}

// Full-width spans with every interpolant changing, row after row.
void BM_FillSpanFullWidth(benchmark::State& state) {
    const WorkerState& worker = PrepareRenderer();
    int32_t row = 0;
    for (auto _ : state) {
        FillSpan(worker, row, 0, FrameWidth, 3 * One, 5 * One, 200 * One, 90 * One, 250 * One,
                 10 * One);
        row = row == FrameHeight - 1 ? 0 : row + 1;
        benchmark::ClobberMemory();
    }
    CountPerSecond(state, "pixels/s", FrameWidth);
}
BENCHMARK(BM_FillSpanFullWidth);

// Right triangles with legs of the given length, moved across the frame.
void RasteriseRightTriangles(benchmark::State& state, int16_t leg) {
    WorkerState& worker = PrepareRenderer();
    const int16_t columns = static_cast<int16_t>(FrameWidth - leg);
    const int16_t rows = static_cast<int16_t>(FrameHeight - leg);
    int16_t x = 0;
    int16_t y = 0;
    for (auto _ : state) {
        const auto right = static_cast<int16_t>(x + leg);
        const auto down = static_cast<int16_t>(y + leg);
        RasteriseTriangle(worker, {x, y, 0, 0, 255}, {right, y, 63, 10, 128}, {x, down, 5, 63, 30});
        x = static_cast<int16_t>((x + 7) % columns);
        y = static_cast<int16_t>((y + 3) % rows);
        benchmark::ClobberMemory();
    }
    // A right triangle with legs n covers n + (n - 1) + ... + 1 pixels.
    CountPerSecond(state, "triangles/s", 1);
    CountPerSecond(state, "pixels/s", leg * (leg + 1) / 2.0);
}

void BM_RasteriseSmallTriangle(benchmark::State& state) {
    RasteriseRightTriangles(state, 4); // 10 pixels
}
BENCHMARK(BM_RasteriseSmallTriangle);

void BM_RasteriseLargeTriangle(benchmark::State& state) {
    RasteriseRightTriangles(state, 100); // 5050 pixels
}
BENCHMARK(BM_RasteriseLargeTriangle);

ModelVertex At(float x, float y, float z) {
    ModelVertex vertex{};
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
    vertex.u = 0.5f;
    vertex.v = 0.25f;
    return vertex;
}

void DrawTriangles(benchmark::State& state, const ModelVertex& a, const ModelVertex& b,
                   const ModelVertex& c) {
    WorkerState& worker = PrepareRenderer();
    for (auto _ : state) {
        DrawTriangle(worker, a, b, c);
        benchmark::ClobberMemory();
    }
    CountPerSecond(state, "triangles/s", 1);
}

void BM_DrawTriangleBackFacing(benchmark::State& state) {
    DrawTriangles(state, At(-1, -1, 3), At(1, -1, 3), At(0, 1, 3));
}
BENCHMARK(BM_DrawTriangleBackFacing);

void BM_DrawTriangleOffScreen(benchmark::State& state) {
    DrawTriangles(state, At(-4, -1, 3), At(-4, 1, 3), At(-3, -1, 3)); // wholly right of it
}
BENCHMARK(BM_DrawTriangleOffScreen);

// A triangle of a few pixels, so that the figure is mostly setup.
void BM_DrawTriangleDrawnSmall(benchmark::State& state) {
    DrawTriangles(state, At(-0.05f, -0.05f, 3), At(0, 0.05f, 3), At(0.05f, -0.05f, 3));
}
BENCHMARK(BM_DrawTriangleDrawnSmall);

} // namespace
