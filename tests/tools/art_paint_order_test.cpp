// The triangle order of the generated models that are not convex: the wrong-pixel count of the
// small measuring renderer, the reordering, the data set's table and broken pillar, and the
// report that prints the figures.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <string>

#include "gen_data/models.h"
#include "gen_data/paint_order.h"
#include "support/models_geometry.h"

namespace {

// An upright square facing +x and -x alike (two triangles each way) at x = offset, 0.3 wide
// and from y = 0.85 to 1.15, round the eye height the walk views have. Small, so that the
// views close to it stay quick to draw.
void AddScreen(Mesh& mesh, float offset) {
    const MeshPoint low = {{offset, 0.85f, -0.15f}, 0, 0};
    const MeshPoint high = {{offset, 1.15f, -0.15f}, 0, 1};
    const MeshPoint lowFar = {{offset, 0.85f, 0.15f}, 1, 0};
    const MeshPoint highFar = {{offset, 1.15f, 0.15f}, 1, 1};
    AddQuad(mesh, low, high, highFar, lowFar);
    AddQuad(mesh, low, lowFar, highFar, high);
}

bool SameTriangles(Mesh a, Mesh b) {
    auto less = [](const ModelTriangle& x, const ModelTriangle& y) {
        return std::memcmp(&x, &y, sizeof x) < 0;
    };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof a[0]) == 0;
}

TEST(PaintOrder, TwoScreensOneBehindTheOther) {
    // Seen from either side one screen hides the other, so no fixed order is right from
    // everywhere, but only the back faces of the screen that is behind are ever drawn over.
    Mesh mesh;
    AddScreen(mesh, -0.1f);
    AddScreen(mesh, 0.1f);
    const long given = WrongPixels(mesh);
    EXPECT_GT(given, 0);
    const Mesh ordered = OrderForPainting(mesh);
    EXPECT_TRUE(SameTriangles(mesh, ordered));
    EXPECT_EQ(WrongPixels(ordered), 0) << "was " << given;
    // Already the best order: left alone.
    EXPECT_EQ(std::memcmp(OrderForPainting(ordered).data(), ordered.data(),
                          ordered.size() * sizeof ordered[0]),
              0);
}

TEST(PaintOrder, ConvexModelsGetNothingWrong) {
    EXPECT_EQ(WrongPixels(BuildWallBlock()), 0);
    EXPECT_EQ(WrongPixels(BuildFloorTile()), 0);
}

TEST(PaintOrder, DataSetTableAndBrokenPillarAreOrdered) {
    // Counts in the order the models were built in before they were reordered: table 8258,
    // broken pillar 19442.
    const std::array<ModelPointer, ModelSlotCount> models = LoadDataSet();
    auto wrong = [](const Model& model) {
        return WrongPixels(Mesh(model.triangles, model.triangles + model.triangleCount));
    };
    EXPECT_LE(wrong(*models[3]), 100) << "table";
    EXPECT_LE(wrong(*models[1]), 4000) << "broken pillar";
}

// The report's output for the data set, or empty when it fails.
std::string ReportOn(const std::string& directory) {
    const std::string command =
        std::string("\"") + DRAV_ART_REPORT + "\" \"" + directory + "\" 2>/dev/null";
    std::string output;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe)) {
            output += buffer;
        }
        if (pclose(pipe) != 0) {
            output.clear();
        }
    }
    return output;
}

TEST(ArtReport, PrintsTheFiguresOfTheDataSet) {
    const std::string report = ReportOn(DRAV_DATA_DIR);
    for (const ModelSlot& slot : ModelSlots) {
        EXPECT_NE(report.find(slot.textureFileName), std::string::npos) << report;
    }
    // The table's line carries its triangle count and the count of wrong pixels.
    const std::array<ModelPointer, ModelSlotCount> models = LoadDataSet();
    const Model& table = *models[3];
    char line[64];
    std::snprintf(line, sizeof line, "%-10s %9d %12ld", "table.hgm", table.triangleCount,
                  WrongPixels(Mesh(table.triangles, table.triangles + table.triangleCount)));
    EXPECT_NE(report.find(line), std::string::npos) << line << " not in\n" << report;
    EXPECT_EQ(ReportOn(DRAV_DATA_DIR "/absent"), "") << "a missing data set fails";
}

} // namespace
