// Scanline rasteriser: fills a textured, fogged triangle given in pixel coordinates into a
// worker's rows of the frame in 16.16 fixed point, clipped to the frame and to those rows. Each
// row comes out as drawing the whole frame gives it, whatever the worker's rows.
#pragma once

#include <cstdint>

#include "render/render_context.h"

// A projected vertex: pixel position, texel coordinates and fog shade (255 = unfogged). The
// position is 32-bit so that the positions of larger frames fit; triangle setup keeps it
// within 32768 times the frame's scale on either side of zero.
struct ScreenVertex {
    int32_t x;
    int32_t y;
    uint8_t u;
    uint8_t v;
    uint8_t shade;
};

// Draws the triangle into the worker's rows with its current texture; the result does not
// depend on the order of the three vertices. Any vertex values with positions within 2^30 of
// zero are safe: nothing outside the worker's rows, the texture or the fog table is touched.
void RasteriseTriangle(WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                       const ScreenVertex& c);

// RasteriseTriangle only where no triangle drawn by this function since ClearCoverage has
// drawn, covering what it draws in the worker's coverage. Drawing the triangles of a frame in
// reverse order this way leaves the frame that drawing them in order with RasteriseTriangle leaves,
// as every pixel keeps the first triangle that reaches it, which is the last of the forward order.
void RasteriseTriangleBehind(WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                             const ScreenVertex& c);

// The number of pixels RasteriseTriangle writes for the triangle, without drawing it.
int64_t CountTrianglePixels(WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                            const ScreenVertex& c);
// The number of pixels RasteriseTriangleBehind writes for the triangle, covering them as it
// would but drawing nothing.
int64_t CoverTrianglePixels(WorkerState& worker, const ScreenVertex& a, const ScreenVertex& b,
                            const ScreenVertex& c);

// Fills columns x0 <= x < x1 of row (inside the frame), clipped to the frame's columns,
// interpolating 16.16 texture coordinates and shade from the left end to the right end with
// the worker's current texture. Nothing is drawn when x0 >= x1.
// Any values are safe: gradients are taken in 64 bits, and the frame, texture and fog table
// are only touched in bounds.
void FillSpan(const WorkerState& worker, int32_t row, int32_t x0, int32_t x1, int32_t uLeft,
              int32_t vLeft, int32_t uRight, int32_t vRight, int32_t shadeLeft, int32_t shadeRight);

// FillSpan for ends given in either order: swaps both ends' values when x0 >= x1.
void FillSpanEither(const WorkerState& worker, int32_t row, int32_t x0, int32_t x1, int32_t uLeft,
                    int32_t vLeft, int32_t uRight, int32_t vRight, int32_t shadeLeft,
                    int32_t shadeRight);
