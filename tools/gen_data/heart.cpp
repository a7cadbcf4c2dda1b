// The heart: its outline inflated into a rounded cushion. Each point of the outline is joined
// to the front and back poles by a quarter ellipse, so the rim is round and the solid is
// closed.
#include <algorithm>
#include <cmath>

#include "gen_data/heart_shape.h"
#include "gen_data/models.h"
#include "gen_data/vector3.h"

namespace {

constexpr int OutlineSteps = 28;
// Rings from the back pole (0) over the rim (3) to the front pole (6), 30 degrees apart.
constexpr int Latitudes = 7;
constexpr int RimLatitude = 3;
// 32 outline units make 0.5 world units.
constexpr double Scale = 1.0 / 64.0;
constexpr double CentreHeight = 1.0;
constexpr double HalfThickness = 0.09;

MeshPoint CushionPoint(const OutlinePoint& outline, double latitude) {
    const double inward = std::cos(latitude);
    const OutlinePoint flat = {outline.x * inward,
                               HeartCentre.y + (outline.y - HeartCentre.y) * inward};
    const Vec3 position = {static_cast<float>(flat.x * Scale),
                           static_cast<float>(CentreHeight + (flat.y - HeartCentre.y) * Scale),
                           static_cast<float>(HalfThickness * std::sin(latitude))};
    return PointInRect(position, WholeTexture, HeartTextureAcross(flat), HeartTextureDown(flat));
}

MeshPoint HeartPoint(int step, int latitude) {
    if (latitude == 0 || latitude == Latitudes - 1) {
        const double side = latitude == 0 ? -1.0 : 1.0;
        return CushionPoint(HeartCentre, side * Pi / 2.0);
    }
    const OutlinePoint outline = HeartOutline(2.0 * Pi * (step % OutlineSteps) / OutlineSteps);
    return CushionPoint(outline, (latitude - RimLatitude) * Pi / 6.0);
}

// Distance of the triangle's centroid from the heart's centre.
double DistanceFromCentre(const ModelTriangle& triangle) {
    double x = 0, y = -CentreHeight, z = 0;
    for (const ModelVertex& vertex : triangle.vertices) {
        x += vertex.x / 3.0;
        y += vertex.y / 3.0;
        z += vertex.z / 3.0;
    }
    return std::sqrt(x * x + y * y + z * z);
}

} // namespace

Mesh BuildHeart() {
    Mesh mesh;
    for (int step = 0; step < OutlineSteps; ++step) {
        for (int latitude = 0; latitude + 1 < Latitudes; ++latitude) {
            AddQuad(mesh, HeartPoint(step, latitude), HeartPoint(step, latitude + 1),
                    HeartPoint(step + 1, latitude + 1), HeartPoint(step + 1, latitude));
        }
    }
    // Triangles are drawn in file order with no depth buffer. Surfaces near the centre (in
    // the cleft, between the lobes) are the ones the outer surfaces hide, so they go first.
    std::stable_sort(mesh.begin(), mesh.end(), [](const ModelTriangle& a, const ModelTriangle& b) {
        return DistanceFromCentre(a) < DistanceFromCentre(b);
    });
    return mesh;
}
