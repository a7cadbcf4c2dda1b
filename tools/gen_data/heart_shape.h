// The heart's outline, shared by its geometry and its texture. Outline units: x from -16 to
// 16, y from -17 at the tip to about 11.9 at the lobes, with the cleft at (0, 5).
#pragma once

struct OutlinePoint {
    double x, y;
};

// The outline is star-shaped about this point: every ray from it meets the outline once.
constexpr OutlinePoint HeartCentre = {0.0, -2.5};
constexpr double HeartHalfWidth = 16.0;
constexpr double HeartTop = 12.0;
constexpr double HeartBottom = -17.0;

// The outline point at parameter t (radians, one turn), starting at the cleft and running
// over the right lobe to the tip.
OutlinePoint HeartOutline(double t);

// Fractions (0..1) across and down the texture where an outline-unit point is drawn.
double HeartTextureAcross(const OutlinePoint& point);
double HeartTextureDown(const OutlinePoint& point);
