// Scanline rasteriser: fills a textured, fogged triangle given in pixel coordinates into the
// FrameBuffer in 16.16 fixed point, clipped to the frame.
#pragma once

#include <cstdint>

// A projected vertex: pixel position, texel coordinates and fog shade (255 = unfogged).
struct ScreenVertex {
    int16_t x;
    int16_t y;
    uint8_t u;
    uint8_t v;
    uint8_t shade;
};

// Draws the triangle; the result does not depend on the order of the three vertices. Any
// vertex values are safe: nothing outside the frame, the texture or the fog table is touched.
void RasteriseTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c);

// RasteriseTriangle only where no triangle drawn by this function since ClearCoverage has
// drawn, covering what it draws. Drawing the triangles of a frame in reverse order this way
// leaves the frame that drawing them in order with RasteriseTriangle leaves, as every pixel
// keeps the first triangle that reaches it, which is the last of the forward order.
void RasteriseTriangleBehind(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c);

// The number of pixels RasteriseTriangle writes for the triangle, without drawing it.
int64_t CountTrianglePixels(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c);
// The number of pixels RasteriseTriangleBehind writes for the triangle, covering them as it
// would but drawing nothing.
int64_t CoverTrianglePixels(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c);

// Fills columns x0 <= x < x1 of row (0..239), clipped to 0..319, interpolating 16.16 texture
// coordinates and shade from the left end to the right end. Nothing is drawn when x0 >= x1.
// Any values are safe: gradients are taken in 64 bits, and the frame, texture and fog table
// are only touched in bounds.
void FillSpan(int32_t row, int32_t x0, int32_t x1, int32_t uLeft, int32_t vLeft, int32_t uRight,
              int32_t vRight, int32_t shadeLeft, int32_t shadeRight);

// FillSpan for ends given in either order: swaps both ends' values when x0 >= x1.
void FillSpanEither(int32_t row, int32_t x0, int32_t x1, int32_t uLeft, int32_t vLeft,
                    int32_t uRight, int32_t vRight, int32_t shadeLeft, int32_t shadeRight);
