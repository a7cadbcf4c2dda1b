// The generated models: closed solids facing outward, floor and ceiling quads without holes
// facing the right way, sizes that fit the level's 2 x 2 cells, and modest triangle counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "support/models_geometry.h"

namespace {

struct Bounds {
    double low[3] = {INFINITY, INFINITY, INFINITY};
    double high[3] = {-INFINITY, -INFINITY, -INFINITY};
};

Bounds BoundsOf(const std::vector<ModelTriangle>& triangles) {
    Bounds bounds;
    for (const ModelTriangle& triangle : triangles) {
        for (const ModelVertex& vertex : triangle.vertices) {
            const double position[3] = {vertex.x, vertex.y, vertex.z};
            for (int axis = 0; axis < 3; ++axis) {
                bounds.low[axis] = std::min(bounds.low[axis], position[axis]);
                bounds.high[axis] = std::max(bounds.high[axis], position[axis]);
            }
        }
    }
    return bounds;
}

std::vector<ModelTriangle> Select(const Model& model, bool floor) {
    std::vector<ModelTriangle> selected;
    for (const ModelTriangle& triangle : TrianglesOf(model)) {
        if (IsFloorTriangle(triangle) == floor) {
            selected.push_back(triangle);
        }
    }
    return selected;
}

// How many triangles cover the point (x, z) seen from above, edges excluded.
int CoverCount(const std::vector<ModelTriangle>& triangles, double x, double z) {
    int count = 0;
    for (const ModelTriangle& triangle : triangles) {
        int positive = 0, negative = 0;
        for (int i = 0; i < 3; ++i) {
            const ModelVertex& a = triangle.vertices[i];
            const ModelVertex& b = triangle.vertices[(i + 1) % 3];
            const double side = (b.x - a.x) * (z - a.z) - (b.z - a.z) * (x - a.x);
            positive += side > 0;
            negative += side < 0;
        }
        count += positive == 3 || negative == 3;
    }
    return count;
}

// Every sample point of the 2 x 2 cell round the origin is covered exactly once.
void ExpectCoversCellOnce(const std::vector<ModelTriangle>& triangles) {
    constexpr int Samples = 24;
    for (int i = 0; i < Samples; ++i) {
        for (int j = 0; j < Samples; ++j) {
            const double x = -1 + 2 * (i + 0.37) / Samples;
            const double z = -1 + 2 * (j + 0.61) / Samples;
            ASSERT_EQ(CoverCount(triangles, x, z), 1) << "at x " << x << ", z " << z;
        }
    }
}

class GeneratedModelsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { models = new auto(LoadDataSet()); }
    static void TearDownTestSuite() { delete models; }

    static const Model& Get(const char* fileName) {
        for (int i = 0; i < ModelSlotCount; ++i) {
            if (std::strcmp(ModelSlots[i].modelFileName, fileName) == 0 && (*models)[i]) {
                return *(*models)[i];
            }
        }
        ADD_FAILURE() << fileName << " is missing from the data set";
        static const Model empty = {};
        return empty;
    }

    static std::array<ModelPointer, ModelSlotCount>* models;
};

std::array<ModelPointer, ModelSlotCount>* GeneratedModelsTest::models;

const char* const ClosedModels[] = {"cube.hgm", "column.hgm", "table.hgm", "broken.hgm",
                                    "heart.hgm"};
const char* const ModelsWithFloor[] = {"plane.hgm", "column.hgm", "table.hgm", "broken.hgm"};

TEST_F(GeneratedModelsTest, SolidsAreClosedAndFaceOutward) {
    for (const char* name : ClosedModels) {
        SCOPED_TRACE(name);
        const std::vector<ModelTriangle> solid = Select(Get(name), false);
        ASSERT_FALSE(solid.empty());
        EXPECT_EQ(OpenEdgeCount(solid), 0);
        for (double volume : PieceVolumes(solid)) {
            EXPECT_GT(volume, 1e-4);
        }
        for (const ModelTriangle& triangle : solid) {
            const Point3 normal = FaceNormal(triangle);
            EXPECT_GT(std::hypot(normal.x, normal.y, normal.z), 1e-6) << "degenerate triangle";
        }
    }
}

TEST_F(GeneratedModelsTest, FloorQuadsCoverTheirCellFacingUp) {
    for (const char* name : ModelsWithFloor) {
        SCOPED_TRACE(name);
        ExpectCoversCellOnce(Select(Get(name), true));
    }
    EXPECT_TRUE(Select(Get("plane.hgm"), false).empty()) << "the floor tile is only a floor";
}

TEST_F(GeneratedModelsTest, FloorComesFirstSoThatTheSolidIsDrawnOverIt) {
    for (const char* name : ModelsWithFloor) {
        SCOPED_TRACE(name);
        const std::vector<ModelTriangle> triangles = TrianglesOf(Get(name));
        const auto firstSolid = std::find_if(triangles.begin(), triangles.end(),
                                             [](const auto& t) { return !IsFloorTriangle(t); });
        EXPECT_TRUE(std::none_of(firstSolid, triangles.end(), IsFloorTriangle));
    }
}

TEST_F(GeneratedModelsTest, CeilingTileCoversItsCellFacingDown) {
    const std::vector<ModelTriangle> ceiling = TrianglesOf(Get("ceil.hgm"));
    for (const ModelTriangle& triangle : ceiling) {
        EXPECT_LT(FaceNormal(triangle).y, 0);
        for (const ModelVertex& vertex : triangle.vertices) {
            EXPECT_EQ(vertex.y, 0.0f);
        }
    }
    ExpectCoversCellOnce(ceiling);
}

TEST_F(GeneratedModelsTest, WallBlockFillsItsCellFromFloorToCeiling) {
    const Bounds bounds = BoundsOf(TrianglesOf(Get("cube.hgm")));
    const double low[3] = {-1, 0, -1};
    const double high[3] = {1, 3, 1};
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_EQ(bounds.low[axis], low[axis]) << "axis " << axis;
        EXPECT_EQ(bounds.high[axis], high[axis]) << "axis " << axis;
    }
}

TEST_F(GeneratedModelsTest, FurnitureStandsInsideItsCellAtItsHeight) {
    struct Expectation {
        const char* name;
        double lowestTop, highestTop;
    };
    for (const Expectation& expected :
         {Expectation{"column.hgm", 3.0, 3.0}, Expectation{"table.hgm", 0.7, 0.9},
          Expectation{"broken.hgm", 1.05, 1.4}}) {
        SCOPED_TRACE(expected.name);
        const Bounds bounds = BoundsOf(TrianglesOf(Get(expected.name)));
        EXPECT_EQ(bounds.low[1], 0.0);
        EXPECT_GE(bounds.high[1], expected.lowestTop);
        EXPECT_LE(bounds.high[1], expected.highestTop);
        for (int axis : {0, 2}) {
            EXPECT_GE(bounds.low[axis], -1.0);
            EXPECT_LE(bounds.high[axis], 1.0);
        }
    }
}

TEST_F(GeneratedModelsTest, HeartFloatsAtEyeHeightCentredOnItsSpinAxis) {
    const Bounds bounds = BoundsOf(TrianglesOf(Get("heart.hgm")));
    const double width = bounds.high[0] - bounds.low[0];
    EXPECT_GE(width, 0.4);
    EXPECT_LE(width, 0.6);
    EXPECT_NEAR(bounds.low[0] + bounds.high[0], 0.0, 1e-6) << "symmetric about the axis";
    EXPECT_NEAR(bounds.low[2] + bounds.high[2], 0.0, 1e-6);
    EXPECT_LT(bounds.high[2] - bounds.low[2], width) << "thinner than it is wide";
    EXPECT_NEAR((bounds.low[1] + bounds.high[1]) / 2, 1.0, 0.1);
    // Below the lobes the outline narrows to a point: the heart's lowest vertex is on the axis.
    for (const ModelTriangle& triangle : TrianglesOf(Get("heart.hgm"))) {
        for (const ModelVertex& vertex : triangle.vertices) {
            if (vertex.y == bounds.low[1]) {
                EXPECT_EQ(vertex.x, 0.0f);
            }
        }
    }
}

TEST_F(GeneratedModelsTest, TriangleCountsStayModest) {
    struct Budget {
        const char* name;
        int most;
    };
    for (const Budget& budget :
         {Budget{"plane.hgm", 8}, Budget{"ceil.hgm", 8}, Budget{"cube.hgm", 48},
          Budget{"column.hgm", 110}, Budget{"table.hgm", 80}, Budget{"broken.hgm", 80},
          Budget{"heart.hgm", 300}}) {
        EXPECT_LE(Get(budget.name).triangleCount, budget.most) << budget.name;
    }
}

TEST_F(GeneratedModelsTest, CarriedFloorQuadsUseTheFloorPartOfTheirTexture) {
    for (const char* name : {"column.hgm", "table.hgm", "broken.hgm"}) {
        SCOPED_TRACE(name);
        for (const ModelTriangle& triangle : Select(Get(name), true)) {
            for (const ModelVertex& vertex : triangle.vertices) {
                const double u = std::nearbyint(vertex.u * 63.0);
                const double v = std::nearbyint(vertex.v * 63.0);
                EXPECT_TRUE(u >= 0 && u <= 31 && v >= 32 && v <= 63) << u << ", " << v;
            }
        }
    }
}

TEST_F(GeneratedModelsTest, TextureCoordinatesStayOnTheTexture) {
    for (int i = 0; i < ModelSlotCount; ++i) {
        SCOPED_TRACE(ModelSlots[i].modelFileName);
        for (const ModelTriangle& triangle : TrianglesOf(Get(ModelSlots[i].modelFileName))) {
            for (const ModelVertex& vertex : triangle.vertices) {
                EXPECT_TRUE(vertex.u >= 0 && vertex.u <= 1 && vertex.v >= 0 && vertex.v <= 1);
            }
        }
    }
}

} // namespace
