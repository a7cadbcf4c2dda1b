// Triangle setup and drawing with any floats: any model-view and projection matrices and a
// small model whose corners share positions from a pool. Drawing the model triangle by
// triangle or through its shared positions, far to near or nearest first behind a nearer
// rectangle, must give one frame, and every triangle that setup hands on must draw only inside
// its screen vertices' box.
// Input: the model-view matrix (16 floats), a byte whose even values pick the program's
// projection and odd ones 16 more floats, the pool (a count byte and 3 floats each), the
// triangles (a count byte, then per corner a pool index byte and u, v floats), and the
// occluding rectangle (left, top, right, bottom, 32 bits each, taken modulo their ranges).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "assets/shared_positions.h"
#include "fuzz_check.h"
#include "fuzz_frame.h"
#include "fuzz_input.h"
#include "math/mat4.h"
#include "render/coverage.h"
#include "render/render_state.h"
#include "render/triangle_setup.h"

namespace {

constexpr int MaxPositions = 6;
constexpr int MaxTriangles = 4;
const TriangleRasteriser RasterisePlain = RasteriseTriangle;
const TriangleRasteriser RasteriseBehind = RasteriseTriangleBehind;

void TakeMatrix(FuzzInput& input, Mat4& matrix) {
    for (float& element : matrix.m) {
        element = Take<float>(input);
    }
}

// Triangles whose corners are taken from a pool of positions, each corner with texture
// coordinates of its own.
std::vector<ModelTriangle> TakeTriangles(FuzzInput& input) {
    ModelVertex pool[MaxPositions] = {};
    const auto positions = 1 + Take<uint8_t>(input) % MaxPositions;
    for (int i = 0; i < positions; ++i) {
        pool[i].x = Take<float>(input);
        pool[i].y = Take<float>(input);
        pool[i].z = Take<float>(input);
    }
    std::vector<ModelTriangle> triangles(1 + Take<uint8_t>(input) % MaxTriangles);
    for (ModelTriangle& triangle : triangles) {
        for (ModelVertex& vertex : triangle.vertices) {
            vertex = pool[Take<uint8_t>(input) % positions];
            vertex.u = Take<float>(input);
            vertex.v = Take<float>(input);
        }
    }
    return triangles;
}

// Each triangle on its own: what setup hands on stays inside its vertices' box, and the
// frame of drawing it is that of rasterising what setup made of it.
void CheckEachTriangle(const std::vector<ModelTriangle>& triangles) {
    for (const ModelTriangle& t : triangles) {
        const ModelVertex* v = t.vertices;
        ClearFuzzFrame();
        DrawTriangle(FuzzWorker(), v[0], v[1], v[2]);
        ScreenVertex s[3];
        if (!SetUpTriangle(FuzzWorker(), v[0], v[1], v[2], s)) {
            FUZZ_CHECK(WrittenPixels() == 0);
            continue;
        }
        FUZZ_CHECK(WrittenOnlyWithin(
            std::min({s[0].x, s[1].x, s[2].x}), std::min({s[0].y, s[1].y, s[2].y}),
            std::max({s[0].x, s[1].x, s[2].x}), std::max({s[0].y, s[1].y, s[2].y})));
    }
}

// A rectangle of the frame, nearer than the model, as two triangles that share a diagonal.
struct Occluder {
    ScreenVertex corners[4];
};

Occluder TakeOccluder(FuzzInput& input) {
    const auto left = static_cast<int16_t>(TakeInRange(input, -10, FrameWidth + 10));
    const auto top = static_cast<int16_t>(TakeInRange(input, -10, FrameHeight + 10));
    const auto right = static_cast<int16_t>(TakeInRange(input, left, FrameWidth + 10));
    const auto bottom = static_cast<int16_t>(TakeInRange(input, top, FrameHeight + 10));
    Occluder occluder{};
    occluder.corners[0].x = occluder.corners[3].x = left;
    occluder.corners[1].x = occluder.corners[2].x = right;
    occluder.corners[0].y = occluder.corners[1].y = top;
    occluder.corners[2].y = occluder.corners[3].y = bottom;
    return occluder;
}

void DrawOccluder(const Occluder& o, TriangleRasteriser rasterise) {
    rasterise(FuzzWorker(), o.corners[0], o.corners[1], o.corners[2]);
    rasterise(FuzzWorker(), o.corners[0], o.corners[2], o.corners[3]);
}

// The frame of the model drawn far to near, triangle by triangle, then the occluder over it.
std::vector<uint8_t> PaintedFrame(const Model& model, const Occluder& occluder) {
    ClearFuzzFrame();
    for (int32_t i = 0; i < model.triangleCount; ++i) {
        const ModelVertex* v = model.triangles[i].vertices;
        DrawTriangle(FuzzWorker(), v[0], v[1], v[2]);
    }
    DrawOccluder(occluder, RasterisePlain);
    return FrameCopy();
}

// The same frame drawn nearest first: the occluder, then the model in the given order,
// through its shared positions or not, each only where nothing is drawn yet.
std::vector<uint8_t> NearestFirstFrame(const Model& model, const Occluder& occluder, bool shared) {
    ClearFuzzFrame();
    ClearCoverage(FuzzWorker());
    DrawOccluder(occluder, RasteriseBehind);
    if (shared) {
        DrawSharedTriangles(FuzzWorker(), model, DrawOrder::NearToFar);
    } else {
        ForEachTriangle(model.triangleCount, DrawOrder::NearToFar, [&](int32_t i) {
            const ModelVertex* v = model.triangles[i].vertices;
            DrawTriangleIn(FuzzWorker(), DrawOrder::NearToFar, v[0], v[1], v[2]);
        });
    }
    return FrameCopy();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool setUp = (SetUpFuzzFrame(), true);
    (void)setUp;
    FuzzInput input{data, size};
    TakeMatrix(input, FuzzWorker().modelViewMatrix);
    if (Take<uint8_t>(input) % 2 == 0) {
        FillProjectionMatrix();
    } else {
        TakeMatrix(input, ProjectionMatrix);
    }
    std::vector<ModelTriangle> triangles = TakeTriangles(input);
    CheckEachTriangle(triangles);

    const Occluder occluder = TakeOccluder(input);
    Model model{triangles.data(), static_cast<int32_t>(triangles.size()), &FuzzTexture()};
    const std::vector<uint8_t> painted = PaintedFrame(model, occluder);
    FUZZ_CHECK(NearestFirstFrame(model, occluder, false) == painted);
    model.shared = FindSharedPositions(model.triangles, model.triangleCount);
    FUZZ_CHECK(model.shared != nullptr && CanDrawShared(model));
    FUZZ_CHECK(NearestFirstFrame(model, occluder, true) == painted);
    ClearFuzzFrame();
    DrawSharedTriangles(FuzzWorker(), model, DrawOrder::FarToNear);
    DrawOccluder(occluder, RasterisePlain);
    FUZZ_CHECK(FrameCopy() == painted);
    FreeSharedPositions(model.shared);
    return 0;
}
