// Geometry checks shared by the tests of the generated models.
#pragma once

#include <array>
#include <vector>

#include "assets/model.h"
#include "support/assets_test_files.h"

struct Point3 {
    double x, y, z;
};

Point3 PositionOf(const ModelVertex& vertex);
// (b - a) x (c - a): the side the triangle faces, and twice its area.
Point3 FaceNormal(const ModelTriangle& triangle);

// The floor quad carried by a model: its triangles lying on y = 0 and facing up. Everything
// else is the solid that stands on it.
bool IsFloorTriangle(const ModelTriangle& triangle);

std::vector<ModelTriangle> TrianglesOf(const Model& model);

// Closed: every edge is used by exactly two triangles, once in each direction. Returns the
// number of edges that break this.
int OpenEdgeCount(const std::vector<ModelTriangle>& solid);

// The signed volume of each connected piece of a closed solid; positive when the triangles
// face outward.
std::vector<double> PieceVolumes(const std::vector<ModelTriangle>& solid);

// The seven data set models, loaded from the build's data directory in slot order.
std::array<ModelPointer, ModelSlotCount> LoadDataSet();
