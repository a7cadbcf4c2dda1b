#include "render/shared_setup.h"

#include "assets/shared_positions.h"
#include "render/render_state.h"
#include "render/triangle_setup.h"

namespace {

// Models with more positions are drawn triangle by triangle.
constexpr int32_t MaxSharedPositions = 4096;

enum class Mapping : int8_t { NotYet, Fits, DoesNotFit };

// What the stages of triangle setup made of one position of the model being drawn.
struct PositionState {
    bool inFront;
    ProjectedVertex projected;
    Mapping mapping;     // the pixel mapping is made when a triangle first needs it
    ScreenVertex screen; // pixel position and shade, once mapped
};

PositionState States[MaxSharedPositions];

void ProjectPositions(const SharedPositions& shared) {
    for (int32_t i = 0; i < shared.count; ++i) {
        const ModelPosition& position = shared.positions[i];
        Vec3 view;
        TransformPoint(ModelViewMatrix, view, Vec3{position.x, position.y, position.z});
        PositionState& state = States[i];
        state.inFront = InFrontOfNearLimit(view);
        state.projected = ProjectViewPoint(view);
        state.mapping = Mapping::NotYet;
    }
}

bool MapPosition(PositionState& state) {
    if (state.mapping == Mapping::NotYet) {
        state.screen = ScreenVertex{};
        state.mapping =
            MapToPixels(state.projected, state.screen) ? Mapping::Fits : Mapping::DoesNotFit;
    }
    return state.mapping == Mapping::Fits;
}

// The steps of SetUpTriangle on the corners' shared results, then the rasteriser.
void DrawCorners(const ModelTriangle& triangle, const int32_t corners[3],
                 TriangleRasteriser rasterise) {
    PositionState* const state[3] = {&States[corners[0]], &States[corners[1]], &States[corners[2]]};
    if (!state[0]->inFront && !state[1]->inFront && !state[2]->inFront) {
        return;
    }
    if (RejectProjected(state[0]->projected, state[1]->projected, state[2]->projected)) {
        return;
    }
    ScreenVertex screen[3];
    for (int i = 0; i < 3; ++i) {
        if (!MapPosition(*state[i])) {
            return;
        }
        screen[i] = state[i]->screen;
        MapToTexels(triangle.vertices[i], screen[i]);
    }
    rasterise(screen[0], screen[1], screen[2]);
}

} // namespace

bool CanDrawShared(const Model& model) {
    return model.shared != nullptr && model.shared->count <= MaxSharedPositions;
}

void DrawSharedTriangles(const Model& model, DrawOrder order) {
    const SharedPositions& shared = *model.shared;
    ProjectPositions(shared);
    const TriangleRasteriser rasterise = RasteriserFor(order);
    ForEachTriangle(model.triangleCount, order, [&](int32_t i) {
        DrawCorners(model.triangles[i], shared.corners + 3 * i, rasterise);
    });
}
