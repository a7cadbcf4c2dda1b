// Triangle setup: view transform, near clamp, fog shade, projection, rejection and mapping
// to the pixel grid, then rasterisation.
#pragma once

#include "assets/model.h"
#include "render/raster.h"
#include "render/render_context.h"

// Turns a model triangle into its three screen vertices (in the same order) with the worker's
// model-view matrix and ProjectionMatrix, mapped onto the worker's frame: x = W/2 -
// nearest(xn * -W/2) and y = H/2 - nearest(yn * -H/2) for a frame of W x H pixels. Returns
// false when the triangle is dropped: wholly behind the near limit, facing away, wholly beyond
// one screen edge, or with a pixel position beyond the 16-bit range times the frame's scale
// (so that every scale drops the same far-off triangles as scale 1 does).
bool SetUpTriangle(const WorkerState& worker, const ModelVertex& a, const ModelVertex& b,
                   const ModelVertex& c, ScreenVertex screen[3]);

// Draws one model triangle with the worker's model-view matrix and texture, far to near.
void DrawTriangle(WorkerState& worker, const ModelVertex& a, const ModelVertex& b,
                  const ModelVertex& c);

// The order in which the triangles of a pass reach the frame. The first two leave the same
// frame.
enum class DrawOrder {
    FarToNear, // each over what is drawn (RasteriseTriangle), in the models' triangle order
    NearToFar, // each only where nothing is drawn yet (RasteriseTriangleBehind), in reverse
    // NearToFar, with every decision it makes, but covering what each triangle would draw
    // instead of filling it (CoverTrianglePixels): a pass without its filling, for profiles.
    NearToFarUnfilled,
};

using TriangleRasteriser = void (*)(WorkerState&, const ScreenVertex&, const ScreenVertex&,
                                    const ScreenVertex&);
TriangleRasteriser RasteriserFor(DrawOrder order);

// Calls draw(i) for each triangle index of a model, first to last for FarToNear and last to
// first for NearToFar.
template <typename Draw> void ForEachTriangle(int32_t count, DrawOrder order, Draw&& draw) {
    if (order == DrawOrder::FarToNear) {
        for (int32_t i = 0; i < count; ++i) {
            draw(i);
        }
    } else {
        for (int32_t i = count - 1; i >= 0; --i) {
            draw(i);
        }
    }
}

// DrawTriangle with the rasteriser of the order.
void DrawTriangleIn(WorkerState& worker, DrawOrder order, const ModelVertex& a,
                    const ModelVertex& b, const ModelVertex& c);

// Models whose triangles share vertex positions: every distinct position is transformed and
// projected once per draw, and each triangle then only combines the results of its three
// corners, in the steps of SetUpTriangle. Draws exactly what DrawTriangleIn draws for each
// triangle in turn.

// True when the model carries its shared positions and there are few enough of them.
bool CanDrawShared(const Model& model);

// Draws every triangle of the model in the order given, with the worker's model-view matrix
// and texture and ProjectionMatrix. Only for models that CanDrawShared. Nearest first, a
// model whose projected positions lie wholly behind what is drawn already in the worker's
// rows draws nothing without setting up its triangles.
void DrawSharedTriangles(WorkerState& worker, const Model& model, DrawOrder order);

// True when all that the model's triangles could reach within the worker's rows is covered
// already, so that drawing it nearest first now changes nothing. Only for models that
// CanDrawShared.
bool SharedModelHidden(WorkerState& worker, const Model& model);

// The rectangle around points in normalised screen coordinates (-1 to 1 across the picture).
struct ScreenBounds {
    static constexpr float FarOff = 1000.0f;
    float left = FarOff, right = -FarOff, top = FarOff, bottom = -FarOff;
    bool inReach = true; // false once a point lies FarOff or more away or is not a number
};

// Widens the bounds to hold the point (xn, yn).
void AddToBounds(ScreenBounds& bounds, float xn, float yn);

// True when every pixel of the worker's rows that a triangle with its corners in the
// rectangle could reach is covered already; false when a point of it lies far off.
bool BoundsHidden(const WorkerState& worker, const ScreenBounds& bounds);

// Triangle setup's scratch for one worker: MaxSharedPositions position records.
PositionState* CreatePositionScratch();
void DestroyPositionScratch(PositionState* positions);
