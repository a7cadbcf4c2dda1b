// The fluted column and the broken pillar, which is the same column broken off.
//
// Triangles are drawn in file order with no depth buffer. Seen from the eye height of about
// 1.0, nothing outside the column's shaft ever covers the shaft's front, so the shaft walls
// come last; everything they may hide (the far part of the plinth top, the underside of the
// capital) comes before them. The broken pillar's jagged break has no such order; its solid
// is reordered to get the fewest pixels wrong over the walk's views.
#include "gen_data/models.h"
#include "gen_data/paint_order.h"

namespace {

constexpr int ShaftSides = 12;
constexpr float PlinthHalfSide = 0.6f;
constexpr float PlinthTop = 0.2f;
constexpr float FootRadius = 0.42f;
constexpr float NeckRadius = 0.36f;
constexpr float NeckHeight = 2.55f;
constexpr float CrownRadius = 0.5f;
constexpr float CapitalBottom = 2.8f;
constexpr float Ceiling = 3.0f;

// Heights of the break round the shaft, all above the eye so the break is seen from below or
// the side, never from above.
constexpr float BreakHeights[ShaftSides] = {1.26f, 1.12f, 1.21f, 1.05f, 1.15f, 1.24f,
                                            1.09f, 1.19f, 1.04f, 1.13f, 1.22f, 1.10f};
constexpr Vec3 BreakPeak = {0.03f, 1.3f, -0.02f};

} // namespace

Mesh BuildColumn() {
    Mesh mesh;
    AddFloorQuad(mesh, FloorRegion);
    AddSquareBlock(mesh, 0, 0, PlinthHalfSide, 0, PlinthTop, DetailRegion);
    AddSquareBlock(mesh, 0, 0, PlinthHalfSide, CapitalBottom, Ceiling, DetailRegion);
    const Ring foot = MakeRing(ShaftSides, FootRadius, PlinthTop);
    const Ring neck = MakeRing(ShaftSides, NeckRadius, NeckHeight);
    const Ring crown = MakeRing(ShaftSides, CrownRadius, CapitalBottom);
    AddCap(mesh, crown, true, CrownRadius, DetailRegion);
    AddCap(mesh, foot, false, FootRadius, DetailRegion);
    AddBand(mesh, neck, crown, DetailRegion);
    AddBand(mesh, foot, neck, MainRegion);
    return mesh;
}

Mesh BuildBrokenPillar() {
    Mesh mesh;
    AddSquareBlock(mesh, 0, 0, PlinthHalfSide, 0, PlinthTop, DetailRegion);
    const Ring foot = MakeRing(ShaftSides, FootRadius, PlinthTop);
    Ring rim = foot;
    for (int i = 0; i < ShaftSides; ++i) {
        rim[i].y = BreakHeights[i];
    }
    AddCap(mesh, foot, false, FootRadius, DetailRegion);
    AddPeak(mesh, rim, BreakPeak, FootRadius, DetailRegion);
    AddBand(mesh, foot, rim, MainRegion);
    // The break is seen from every side, so no order of the parts is right from all of them:
    // the triangles are ordered to get the fewest pixels wrong, after the floor quad.
    Mesh withFloor;
    AddFloorQuad(withFloor, FloorRegion);
    AppendInPaintingOrder(withFloor, mesh);
    return withFloor;
}
