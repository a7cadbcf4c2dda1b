#include "render/triangle_setup.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "assets/shared_positions.h"
#include "math/mat4.h"
#include "render/coverage.h"
#include "render/frame_buffer.h"
#include "render/render_state.h"

// What the stages of triangle setup made of one position of the model being drawn. Its types
// are its own, not the file's private ones, as it is named outside this file.
struct PositionState {
    // A vertex after the near clamp and the projection.
    struct Projected {
        float xn; // normalised screen position, -1 to 1 across the picture
        float yn;
        float depth; // view-space z after the near clamp
    };
    enum class Mapping : int8_t { NotYet, Fits, DoesNotFit };

    bool inFront;
    Projected projected;
    Mapping mapping;     // the pixel mapping is made when a triangle first needs it
    ScreenVertex screen; // pixel position and shade, once mapped
};

namespace {

// Nearest view-space depth; vertices closer than this are moved onto it.
constexpr float NearLimit = 0.25f;
// 1 / (far - near): the fog shade falls from 255 at the near limit to 0 at the far plane.
constexpr float FogScale = 0.06779661f;
// 1.0 in texture coordinates is the last texel, 63.
constexpr double TexelScale = 63.0;

using ProjectedVertex = PositionState::Projected;
using Mapping = PositionState::Mapping;

// 255 at the near limit, falling linearly with depth to 0 at the far plane and beyond.
// Clamping before rounding gives the same integer as clamping after it, and keeps a NaN depth
// (which fails both comparisons) away from the integer conversion.
uint8_t FogShade(float viewZ) {
    const double t = (1.0 - (static_cast<double>(viewZ) - NearLimit) * FogScale) * 255.0;
    const double clamped = t > 0.0 ? std::min(t, 255.0) : 0.0;
    return static_cast<uint8_t>(std::nearbyint(clamped));
}

// Clockwise on screen (rows counted downwards) means facing away; collinear goes on.
bool FacesAway(const ProjectedVertex& a, const ProjectedVertex& b, const ProjectedVertex& c) {
    const double first = (static_cast<double>(c.yn) - b.yn) * (static_cast<double>(c.xn) - a.xn);
    const double second = (static_cast<double>(c.yn) - a.yn) * (static_cast<double>(c.xn) - b.xn);
    return first - second > 0.0;
}

// True when all three vertices lie strictly beyond the same edge of the screen.
bool BeyondOneScreenEdge(const ProjectedVertex& a, const ProjectedVertex& b,
                         const ProjectedVertex& c) {
    return (a.xn < -1.0f && b.xn < -1.0f && c.xn < -1.0f) ||
           (a.yn < -1.0f && b.yn < -1.0f && c.yn < -1.0f) ||
           (a.xn > 1.0f && b.xn > 1.0f && c.xn > 1.0f) ||
           (a.yn > 1.0f && b.yn > 1.0f && c.yn > 1.0f);
}

// The frame's scale: its width over that of the scale-1 frame.
int32_t ScaleOf(const RenderTarget& target) {
    return target.width / FrameWidth;
}

// half - nearest(normalised * -half), ties to even: -1 maps to 0 and 1 to 2 * half. False when
// the position lies outside the 16-bit range times the scale, NaN and infinities included. At
// scale 1 that is the range of a 16-bit position; at any scale it keeps the positions within
// 2^18 of zero, where the rasteriser's arithmetic is exact.
bool ToPixel(float normalised, int half, int32_t scale, int32_t& pixel) {
    const double position = half - std::nearbyint(normalised * -static_cast<double>(half));
    if (!(position >= static_cast<double>(std::numeric_limits<int16_t>::min()) * scale &&
          position <= static_cast<double>(std::numeric_limits<int16_t>::max()) * scale)) {
        return false;
    }
    pixel = static_cast<int32_t>(position);
    return true;
}

// nearest(coordinate * 63) modulo 256. A double of magnitude 2^63 or more is a multiple of 256,
// so 0 is its true remainder; NaN and infinities have none and also give 0.
uint8_t ToTexel(float coordinate) {
    constexpr double TwoTo63 = 9223372036854775808.0;
    const double texel = std::nearbyint(coordinate * TexelScale);
    if (!(std::fabs(texel) < TwoTo63)) {
        return 0;
    }
    return static_cast<uint8_t>(static_cast<int64_t>(texel));
}

// True when the view-space vertex lies at or beyond the near limit; a triangle is drawn only
// if one of its vertices does.
bool InFrontOfNearLimit(const Vec3& view) {
    return view.z >= NearLimit;
}

// Clamps the depth onto the near limit, projects with ProjectionMatrix and divides by w.
ProjectedVertex ProjectViewPoint(Vec3 view) {
    if (view.z < NearLimit) {
        view.z = NearLimit;
    }
    Vec4 q{view.x, view.y, view.z, 1.0f};
    TransformVec4(ProjectionMatrix, q, q);
    return {static_cast<float>(static_cast<double>(q.x) / q.w),
            static_cast<float>(static_cast<double>(q.y) / q.w), view.z};
}

bool RejectProjected(const ProjectedVertex& a, const ProjectedVertex& b, const ProjectedVertex& c) {
    return FacesAway(a, b, c) || BeyondOneScreenEdge(a, b, c);
}

// Pixel position on the target and fog shade of a projected vertex into screen. False when the
// position lies beyond the target's limits (see ToPixel).
bool MapToPixels(const RenderTarget& target, const ProjectedVertex& projected,
                 ScreenVertex& screen) {
    screen.shade = FogShade(projected.depth);
    const int32_t scale = ScaleOf(target);
    return ToPixel(projected.xn, target.width / 2, scale, screen.x) &&
           ToPixel(projected.yn, target.height / 2, scale, screen.y);
}

// Texel coordinates of a model vertex into screen.
void MapToTexels(const ModelVertex& vertex, ScreenVertex& screen) {
    screen.u = ToTexel(vertex.u);
    screen.v = ToTexel(vertex.v);
}

// Models with more positions are drawn triangle by triangle.
constexpr int32_t MaxSharedPositions = 4096;

} // namespace

namespace {

void ProjectPositions(WorkerState& worker, const SharedPositions& shared) {
    for (int32_t i = 0; i < shared.count; ++i) {
        const ModelPosition& position = shared.positions[i];
        Vec3 view;
        TransformPoint(worker.modelViewMatrix, view, Vec3{position.x, position.y, position.z});
        PositionState& state = worker.positions[i];
        state.inFront = InFrontOfNearLimit(view);
        state.projected = ProjectViewPoint(view);
        state.mapping = Mapping::NotYet;
    }
}

bool MapPosition(const RenderTarget& target, PositionState& state) {
    if (state.mapping == Mapping::NotYet) {
        state.screen = ScreenVertex{};
        state.mapping = MapToPixels(target, state.projected, state.screen) ? Mapping::Fits
                                                                           : Mapping::DoesNotFit;
    }
    return state.mapping == Mapping::Fits;
}

// The steps of SetUpTriangle on the corners' shared results, then the rasteriser.
void DrawCorners(WorkerState& worker, const ModelTriangle& triangle, const int32_t corners[3],
                 TriangleRasteriser rasterise) {
    PositionState* const states = worker.positions;
    PositionState* const state[3] = {&states[corners[0]], &states[corners[1]], &states[corners[2]]};
    if (!state[0]->inFront && !state[1]->inFront && !state[2]->inFront) {
        return;
    }
    if (RejectProjected(state[0]->projected, state[1]->projected, state[2]->projected)) {
        return;
    }
    ScreenVertex screen[3];
    for (int i = 0; i < 3; ++i) {
        if (!MapPosition(worker.target, *state[i])) {
            return;
        }
        screen[i] = state[i]->screen;
        MapToTexels(triangle.vertices[i], screen[i]);
    }
    rasterise(worker, screen[0], screen[1], screen[2]);
}

// Where on the frame a pixel position can be for a normalised coordinate between low and
// high: half + nearest(half * coordinate), widened by two pixels for the rounding; clipped to
// lowLimit to highLimit.
void PixelRange(float low, float high, int half, int lowLimit, int highLimit, int32_t& first,
                int32_t& end) {
    const double lowest = std::floor(half + static_cast<double>(half) * low) - 2.0;
    const double highest = std::ceil(half + static_cast<double>(half) * high) + 2.0;
    const double lowBound = lowLimit;
    const double highBound = highLimit;
    first = static_cast<int32_t>(std::clamp(lowest, lowBound, highBound));
    end = static_cast<int32_t>(std::clamp(highest, lowBound, highBound));
}

} // namespace

void AddToBounds(ScreenBounds& bounds, float xn, float yn) {
    constexpr float FarOff = ScreenBounds::FarOff;
    if (!(std::fabs(xn) < FarOff && std::fabs(yn) < FarOff)) {
        bounds.inReach = false;
    }
    bounds.left = std::min(bounds.left, xn);
    bounds.right = std::max(bounds.right, xn);
    bounds.top = std::min(bounds.top, yn);
    bounds.bottom = std::max(bounds.bottom, yn);
}

bool BoundsHidden(const WorkerState& worker, const ScreenBounds& bounds) {
    if (!bounds.inReach) {
        return false;
    }
    const RenderTarget& target = worker.target;
    int32_t first, end, firstRow, endRow;
    PixelRange(bounds.left, bounds.right, target.width / 2, 0, target.width, first, end);
    PixelRange(bounds.top, bounds.bottom, target.height / 2, worker.firstRow, worker.endRow,
               firstRow, endRow);
    return AreaCovered(worker, firstRow, endRow, first, end);
}

namespace {

// True when every pixel of the worker's rows that the model's triangles could reach is
// covered already: each triangle lies within the rectangle around its corners' pixel
// positions, so within the rectangle around all projected positions.
bool PositionsHidden(const WorkerState& worker, int32_t count) {
    ScreenBounds bounds;
    for (int32_t i = 0; i < count; ++i) {
        const ProjectedVertex& p = worker.positions[i].projected;
        AddToBounds(bounds, p.xn, p.yn);
    }
    return BoundsHidden(worker, bounds);
}

} // namespace

bool SetUpTriangle(const WorkerState& worker, const ModelVertex& a, const ModelVertex& b,
                   const ModelVertex& c, ScreenVertex screen[3]) {
    const ModelVertex* const model[3] = {&a, &b, &c};
    Vec3 view[3];
    for (int i = 0; i < 3; ++i) {
        TransformPoint(worker.modelViewMatrix, view[i],
                       Vec3{model[i]->x, model[i]->y, model[i]->z});
    }
    if (!InFrontOfNearLimit(view[0]) && !InFrontOfNearLimit(view[1]) &&
        !InFrontOfNearLimit(view[2])) {
        return false;
    }
    const ProjectedVertex projected[3] = {ProjectViewPoint(view[0]), ProjectViewPoint(view[1]),
                                          ProjectViewPoint(view[2])};
    if (RejectProjected(projected[0], projected[1], projected[2])) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        screen[i] = ScreenVertex{};
        MapToTexels(*model[i], screen[i]);
        if (!MapToPixels(worker.target, projected[i], screen[i])) {
            return false;
        }
    }
    return true;
}

TriangleRasteriser RasteriserFor(DrawOrder order) {
    switch (order) {
    case DrawOrder::FarToNear:
        return RasteriseTriangle;
    case DrawOrder::NearToFar:
        return RasteriseTriangleBehind;
    case DrawOrder::NearToFarUnfilled:
        break;
    }
    return [](WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
              const ScreenVertex& c) { CoverTrianglePixels(worker, a, b, c); };
}

void DrawTriangleIn(WorkerState& worker, DrawOrder order, const ModelVertex& a,
                    const ModelVertex& b, const ModelVertex& c) {
    ScreenVertex screen[3];
    if (SetUpTriangle(worker, a, b, c, screen)) {
        RasteriserFor(order)(worker, screen[0], screen[1], screen[2]);
    }
}

void DrawTriangle(WorkerState& worker, const ModelVertex& a, const ModelVertex& b,
                  const ModelVertex& c) {
    DrawTriangleIn(worker, DrawOrder::FarToNear, a, b, c);
}

bool CanDrawShared(const Model& model) {
    return model.shared != nullptr && model.shared->count <= MaxSharedPositions;
}

void DrawSharedTriangles(WorkerState& worker, const Model& model, DrawOrder order) {
    const SharedPositions& shared = *model.shared;
    ProjectPositions(worker, shared);
    // Nearest first, a model behind what is drawn already has nothing left to draw.
    if (order != DrawOrder::FarToNear && PositionsHidden(worker, shared.count)) {
        return;
    }
    const TriangleRasteriser rasterise = RasteriserFor(order);
    ForEachTriangle(model.triangleCount, order, [&](int32_t i) {
        DrawCorners(worker, model.triangles[i], shared.corners + 3 * i, rasterise);
    });
}

bool SharedModelHidden(WorkerState& worker, const Model& model) {
    ProjectPositions(worker, *model.shared);
    return PositionsHidden(worker, model.shared->count);
}

PositionState* CreatePositionScratch() {
    return new PositionState[MaxSharedPositions];
}

void DestroyPositionScratch(PositionState* positions) {
    delete[] positions;
}
