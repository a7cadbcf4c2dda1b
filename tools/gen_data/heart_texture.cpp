// The heart's texture: its outline, as the geometry maps it, shaded as a lit red cushion.
#include <algorithm>
#include <cmath>

#include "gen_data/heart_shape.h"
#include "gen_data/textures.h"
#include "gen_data/vector3.h"

namespace {

constexpr int OutlineSamples = 256;

double Cross(double ax, double ay, double bx, double by) {
    return ax * by - ay * bx;
}

// How far out the point lies along its ray from the centre: 0 at the centre, 1 on the
// outline, above 1 outside. The outline is star-shaped, so the ray meets it once; the small
// tolerance keeps a ray through a sample point from slipping between two segments.
double RelativeRadius(const OutlinePoint& point) {
    const double dx = point.x - HeartCentre.x;
    const double dy = point.y - HeartCentre.y;
    if (dx == 0 && dy == 0) {
        return 0;
    }
    for (int i = 0; i < OutlineSamples; ++i) {
        const OutlinePoint a = HeartOutline(2 * Pi * i / OutlineSamples);
        const OutlinePoint b = HeartOutline(2 * Pi * (i + 1) / OutlineSamples);
        const double ex = b.x - a.x;
        const double ey = b.y - a.y;
        const double denominator = Cross(dx, dy, ex, ey);
        if (denominator == 0) {
            continue;
        }
        const double ax = a.x - HeartCentre.x;
        const double ay = a.y - HeartCentre.y;
        const double reach = Cross(ax, ay, ex, ey) / denominator;
        const double along = Cross(ax, ay, dx, dy) / denominator;
        if (reach > 0 && along >= -1e-9 && along <= 1 + 1e-9) {
            return 1 / reach;
        }
    }
    return 2;
}

// The cushion's shading at a point: diffuse light from the upper left and front, and a
// white highlight, as brightness 0..1 and highlight 0..1.
struct Lighting {
    double diffuse;
    double highlight;
};

Lighting LightCushion(const OutlinePoint& point, double radius) {
    const double dx = point.x - HeartCentre.x;
    const double dy = point.y - HeartCentre.y;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double slope = std::min(radius, 1.0);
    const double nx = length > 0 ? slope * dx / length : 0;
    const double ny = length > 0 ? slope * dy / length : 0;
    const double nz = std::sqrt(1 - slope * slope);
    // Unit light direction (-0.4, 0.5, 0.768) and the half vector towards a viewer in front.
    const double facing = -0.4 * nx + 0.5 * ny + 0.768 * nz;
    double highlight = std::max(0.0, -0.21 * nx + 0.27 * ny + 0.94 * nz);
    for (int square = 0; square < 5; ++square) {
        highlight *= highlight;
    }
    return {0.3 + 0.7 * std::max(0.0, facing), highlight};
}

} // namespace

void PaintHeart(Image& image) {
    for (int y = 0; y < TextureSide; ++y) {
        for (int x = 0; x < TextureSide; ++x) {
            const OutlinePoint point = {-HeartHalfWidth + 2 * HeartHalfWidth * x / 63.0,
                                        HeartTop - (HeartTop - HeartBottom) * y / 63.0};
            const double radius = RelativeRadius(point);
            if (radius > 1) {
                image.at(x, y) = {96, 0, 0};
                continue;
            }
            const Lighting light = LightCushion(point, radius);
            const int white = static_cast<int>(std::nearbyint(230 * light.highlight));
            const int red = static_cast<int>(std::nearbyint(250 * light.diffuse));
            image.at(x, y) = {std::min(255, red + white), white, white};
        }
    }
}
