#include "frame_count.h"

#include "render/raster.h"
#include "render/render_pass.h"
#include "render/render_state.h"
#include "render/triangle_setup.h"

namespace {

void CountModel(const Model& model, FrameCounts& counts) {
    BeginModel(model);
    for (int32_t i = 0; i < model.triangleCount; ++i) {
        const ModelVertex* vertices = model.triangles[i].vertices;
        ScreenVertex screen[3];
        ++counts.trianglesSubmitted;
        if (SetUpTriangle(vertices[0], vertices[1], vertices[2], screen)) {
            ++counts.trianglesDrawn;
            counts.pixelsWritten += CountTrianglePixels(screen[0], screen[1], screen[2]);
        }
    }
}

} // namespace

FrameCounts CountFrame(const Scene& scene) {
    FrameCounts counts{0, 0, 0, 0};
    CollectDrawList(scene);
    counts.models = DrawList.count;
    for (uint32_t i = 0; i < DrawList.count; ++i) {
        WorldMatrix = DrawList.entries[i].world;
        CountModel(*DrawList.entries[i].model, counts);
    }
    DrawList.count = 0;
    return counts;
}
