// The floor and ceiling tiles, the wall block and the table.
//
// A model's triangles are drawn in file order with no depth buffer, so within a model every
// part comes after the parts it may hide when seen from the eye height of about 1.0: first
// the floor quad, then what stands on it, lowest first. The table's legs hide each other one
// way from one side and the other way from the opposite side, so its solid is reordered to
// get the fewest pixels wrong over the walk's views.
#include <initializer_list>

#include "gen_data/models.h"
#include "gen_data/paint_order.h"

Mesh BuildFloorTile() {
    Mesh mesh;
    AddFloorQuad(mesh, WholeTexture);
    return mesh;
}

Mesh BuildCeilingTile() {
    Mesh mesh;
    AddPatch(mesh, {{-1, 0, -1}, {1, 0, -1}, {-1, 0, 1}, 2, 2, WholeTexture});
    return mesh;
}

Mesh BuildWallBlock() {
    Mesh mesh;
    // Each side shows the stone courses twice, one above the other, in pieces 1 unit wide.
    AddBox(mesh, {{-1, 0, -1}, {1, 3, 1}, 2, WholeTexture, WholeTexture});
    return mesh;
}

namespace {

constexpr float TableTop = 0.8f;
constexpr float TableUnderside = 0.72f;
constexpr float TableHalfLength = 0.75f;
constexpr float TableHalfWidth = 0.5f;
constexpr float LegInset = 0.1f;
constexpr float LegHalfSide = 0.05f;

} // namespace

Mesh BuildTable() {
    Mesh mesh;
    const float legX = TableHalfLength - LegInset;
    const float legZ = TableHalfWidth - LegInset;
    for (float x : {-legX, legX}) {
        for (float z : {-legZ, legZ}) {
            AddSquareBlock(mesh, x, z, LegHalfSide, 0, TableUnderside, DetailRegion);
        }
    }
    // The top is seen from above, so it covers the legs it stands on.
    AddBox(mesh, {{-TableHalfLength, TableUnderside, -TableHalfWidth},
                  {TableHalfLength, TableTop, TableHalfWidth},
                  1,
                  DetailRegion,
                  MainRegion});
    // From some sides a near leg hides a far one, from others the reverse: the triangles are
    // ordered to get the fewest pixels wrong, after the floor quad.
    Mesh withFloor;
    AddFloorQuad(withFloor, FloorRegion);
    AppendInPaintingOrder(withFloor, mesh);
    return withFloor;
}
