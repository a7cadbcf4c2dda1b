#include "frame_count.h"

#include "render/coverage.h"
#include "render/raster.h"
#include "render/render_pass.h"
#include "render/render_state.h"
#include "render/triangle_setup.h"

namespace {

using PixelCount = int64_t (*)(const ScreenVertex&, const ScreenVertex&, const ScreenVertex&);

// Sets up the model's triangles in the order's sequence; pixelsOf counts each drawn one.
void CountModel(const Model& model, DrawOrder order, PixelCount pixelsOf, TriangleCounts& counts) {
    BeginModel(model);
    ForEachTriangle(model.triangleCount, order, [&](int32_t i) {
        const ModelVertex* vertices = model.triangles[i].vertices;
        ScreenVertex screen[3];
        ++counts.submitted;
        if (SetUpTriangle(vertices[0], vertices[1], vertices[2], screen)) {
            ++counts.drawn;
            counts.pixels += static_cast<uint64_t>(pixelsOf(screen[0], screen[1], screen[2]));
        }
    });
}

} // namespace

FrameCounts CountFrame(const Scene& scene) {
    FrameCounts counts{};
    CollectDrawList(scene);
    SortDrawList();
    counts.models = DrawList.count;
    ClearCoverage();
    for (uint32_t i = 0; i < DrawList.count && !FrameCovered(); ++i) {
        WorldMatrix = DrawList.entries[i].world;
        const Model& model = *DrawList.entries[i].model;
        ++counts.modelsReached;
        BeginModel(model);
        if (CanDrawShared(model) && SharedModelHidden(model)) {
            ++counts.modelsHidden;
            continue;
        }
        CountModel(model, DrawOrder::NearToFar, CoverTrianglePixels, counts.nearToFar);
    }
    for (uint32_t i = 0; i < DrawList.count; ++i) {
        WorldMatrix = DrawList.entries[i].world;
        CountModel(*DrawList.entries[i].model, DrawOrder::FarToNear, CountTrianglePixels,
                   counts.farToNear);
    }
    DrawList.count = 0;
    return counts;
}
