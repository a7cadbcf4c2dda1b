// The floor and ceiling tiles, the wall block and the table.
//
// A model's triangles are drawn in file order with no depth buffer, so within a model every
// part comes after the parts it may hide when seen from the eye height of about 1.0: first
// the floor quad, then what stands on it, lowest first.
#include "gen_data/models.h"

Mesh BuildFloorTile() {
    Mesh mesh;
    AddFloorQuad(mesh, WholeTexture);
    return mesh;
}

Mesh BuildCeilingTile() {
    Mesh mesh;
    AddPatch(mesh, {{-1, 0, -1}, {1, 0, -1}, {-1, 0, 1}, 2, WholeTexture});
    return mesh;
}

Mesh BuildWallBlock() {
    Mesh mesh;
    // Each side shows the stone courses twice, one above the other.
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

void AddLeg(Mesh& mesh, float x, float z) {
    AddBox(mesh, {{x - LegHalfSide, 0, z - LegHalfSide},
                  {x + LegHalfSide, TableUnderside, z + LegHalfSide},
                  1,
                  DetailRegion,
                  DetailRegion});
}

} // namespace

Mesh BuildTable() {
    Mesh mesh;
    AddFloorQuad(mesh, FloorRegion);
    const float legX = TableHalfLength - LegInset;
    const float legZ = TableHalfWidth - LegInset;
    AddLeg(mesh, -legX, -legZ);
    AddLeg(mesh, legX, -legZ);
    AddLeg(mesh, -legX, legZ);
    AddLeg(mesh, legX, legZ);
    // The top is seen from above, so it covers the legs it stands on.
    AddBox(mesh, {{-TableHalfLength, TableUnderside, -TableHalfWidth},
                  {TableHalfLength, TableTop, TableHalfWidth},
                  1,
                  DetailRegion,
                  MainRegion});
    return mesh;
}
