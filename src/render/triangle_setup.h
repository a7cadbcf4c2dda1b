// Triangle setup: view transform, near clamp, fog shade, projection, rejection and mapping
// to the pixel grid, then rasterisation.
#pragma once

#include "assets/model.h"
#include "math/mat4.h"
#include "render/raster.h"

// Turns a model triangle into its three screen vertices (in the same order) with
// ModelViewMatrix and ProjectionMatrix. Returns false when the triangle is dropped: wholly
// behind the near limit, facing away, wholly beyond one screen edge, or with a pixel position
// that does not fit in 16 bits (such a vertex would otherwise wrap into a different triangle).
bool SetUpTriangle(const ModelVertex& a, const ModelVertex& b, const ModelVertex& c,
                   ScreenVertex screen[3]);

// Draws one model triangle with ModelViewMatrix, ProjectionMatrix and CurrentTexture.
void DrawTriangle(const ModelVertex& a, const ModelVertex& b, const ModelVertex& c);

// The order in which the triangles of a pass reach the frame. Both leave the same frame.
enum class DrawOrder {
    FarToNear, // each over what is drawn (RasteriseTriangle), in the models' triangle order
    NearToFar, // each only where nothing is drawn yet (RasteriseTriangleBehind), in reverse
};

using TriangleRasteriser = void (*)(const ScreenVertex&, const ScreenVertex&, const ScreenVertex&);
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
void DrawTriangleIn(DrawOrder order, const ModelVertex& a, const ModelVertex& b,
                    const ModelVertex& c);

// The stages of SetUpTriangle, for callers that share vertices among triangles. Each stage
// depends on its vertex alone, so a vertex shared by several triangles gives the same result
// in each of them.

// A vertex after the near clamp and the projection.
struct ProjectedVertex {
    float xn; // normalised screen position, -1 to 1 across the picture
    float yn;
    float depth; // view-space z after the near clamp
};

// True when the view-space vertex lies at or beyond the near limit; a triangle is drawn only
// if one of its vertices does.
bool InFrontOfNearLimit(const Vec3& view);
// Clamps the depth onto the near limit, projects with ProjectionMatrix and divides by w.
ProjectedVertex ProjectViewPoint(Vec3 view);
// True when the projected triangle faces away or lies wholly beyond one edge of the screen.
bool RejectProjected(const ProjectedVertex& a, const ProjectedVertex& b, const ProjectedVertex& c);
// Pixel position and fog shade of a projected vertex into screen (texel coordinates are left
// as they are). False when the position does not fit in 16 bits.
bool MapToPixels(const ProjectedVertex& projected, ScreenVertex& screen);
// Texel coordinates of a model vertex into screen.
void MapToTexels(const ModelVertex& vertex, ScreenVertex& screen);
