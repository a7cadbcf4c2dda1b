#include "frame_count.h"

#include "render/coverage.h"
#include "render/model_bound.h"
#include "render/raster.h"
#include "render/render_pass.h"
#include "render/render_state.h"
#include "render/triangle_setup.h"

namespace {

using PixelCount = int64_t (*)(WorkerState&, const ScreenVertex&, const ScreenVertex&,
                               const ScreenVertex&);

// Sets up the entry's model's triangles in the order's sequence; pixelsOf counts each drawn one.
void CountModel(WorkerState& worker, const Mat4& view, const DrawEntry& entry, DrawOrder order,
                PixelCount pixelsOf, TriangleCounts& counts) {
    const Model& model = *entry.model;
    BeginModel(worker, view, entry.world, model);
    ForEachTriangle(model.triangleCount, order, [&](int32_t i) {
        const ModelVertex* vertices = model.triangles[i].vertices;
        ScreenVertex screen[3];
        ++counts.submitted;
        if (SetUpTriangle(worker, vertices[0], vertices[1], vertices[2], screen)) {
            ++counts.drawn;
            counts.pixels +=
                static_cast<uint64_t>(pixelsOf(worker, screen[0], screen[1], screen[2]));
        }
    });
}

} // namespace

FrameCounts CountFrame(WorkerState& worker, FrameState& frame, const Scene& scene) {
    FrameCounts counts{};
    PrepareFrame(frame, scene);
    const DrawEntryList& list = frame.drawList;
    counts.models = list.count;
    ClearCoverage(worker);
    for (uint32_t i = 0; i < list.count && !FrameCovered(worker); ++i) {
        const DrawEntry& entry = list.entries[i];
        ++counts.modelsReached;
        if (entry.box != nullptr && BoxHidden(worker, frame.viewMatrix, entry.world, *entry.box)) {
            ++counts.modelsHidden;
            ++counts.modelsBoxHidden;
            continue;
        }
        BeginModel(worker, frame.viewMatrix, entry.world, *entry.model);
        if (CanDrawShared(*entry.model) && SharedModelHidden(worker, *entry.model)) {
            ++counts.modelsHidden;
            continue;
        }
        CountModel(worker, frame.viewMatrix, entry, DrawOrder::NearToFar, CoverTrianglePixels,
                   counts.nearToFar);
    }
    for (uint32_t i = 0; i < list.count; ++i) {
        CountModel(worker, frame.viewMatrix, list.entries[i], DrawOrder::FarToNear,
                   CountTrianglePixels, counts.farToNear);
    }
    return counts;
}
