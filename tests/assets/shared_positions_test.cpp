#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "assets/shared_positions.h"
#include "support/assets_test_files.h"

namespace {

struct SharedDeleter {
    void operator()(SharedPositions* shared) const { FreeSharedPositions(shared); }
};
using SharedPointer = std::unique_ptr<SharedPositions, SharedDeleter>;

ModelVertex At(float x, float y, float z, float u = 0.0f) {
    ModelVertex vertex{};
    vertex.x = x;
    vertex.y = y;
    vertex.z = z;
    vertex.u = u;
    return vertex;
}

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every corner points at a position equal to it bit for bit, and no two positions are equal.
void ExpectSharedPositionsOf(const ModelTriangle* triangles, int32_t count,
                             const SharedPositions& shared) {
    for (int32_t corner = 0; corner < 3 * count; ++corner) {
        const ModelVertex& vertex = triangles[corner / 3].vertices[corner % 3];
        const int32_t index = shared.corners[corner];
        ASSERT_GE(index, 0);
        ASSERT_LT(index, shared.count);
        const ModelPosition& position = shared.positions[index];
        EXPECT_TRUE(SameBits(position.x, vertex.x) && SameBits(position.y, vertex.y) &&
                    SameBits(position.z, vertex.z))
            << "corner " << corner;
    }
    std::set<std::string> distinct;
    for (int32_t i = 0; i < shared.count; ++i) {
        distinct.insert(std::string(reinterpret_cast<const char*>(&shared.positions[i]),
                                    sizeof(ModelPosition)));
    }
    EXPECT_EQ(distinct.size(), static_cast<size_t>(shared.count));
}

TEST(FindSharedPositions, CornersAtTheSamePlaceShareOnePosition) {
    // Two triangles of a quad share a diagonal; texture coordinates do not matter.
    const ModelTriangle quad[2] = {{{At(0, 0, 0, 0.1f), At(1, 0, 0), At(1, 1, 0)}},
                                   {{At(1, 1, 0, 0.7f), At(0, 1, 0), At(0, 0, 0, 0.9f)}}};
    const SharedPointer shared(FindSharedPositions(quad, 2));
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->count, 4);
    EXPECT_EQ(shared->corners[0], shared->corners[5]);
    EXPECT_EQ(shared->corners[2], shared->corners[3]);
    ExpectSharedPositionsOf(quad, 2, *shared);
}

TEST(FindSharedPositions, OnlyBitForBitEqualPositionsAreShared) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const ModelTriangle triangles[2] = {{{At(0.0f, 1, 2), At(nan, 0, 0), At(1, 1, 1)}},
                                        {{At(-0.0f, 1, 2), At(nan, 0, 0), At(1, 1, 1.0000001f)}}};
    const SharedPointer shared(FindSharedPositions(triangles, 2));
    ASSERT_NE(shared, nullptr);
    EXPECT_NE(shared->corners[0], shared->corners[3]) << "+0 and -0 differ";
    EXPECT_EQ(shared->corners[1], shared->corners[4]) << "the same NaN";
    EXPECT_NE(shared->corners[2], shared->corners[5]);
    EXPECT_EQ(shared->count, 5);
    ExpectSharedPositionsOf(triangles, 2, *shared);
}

TEST(FindSharedPositions, NoTrianglesOrTooManyGiveNoPositions) {
    ModelTriangle unused{};
    EXPECT_EQ(FindSharedPositions(&unused, 0), nullptr);
    FreeSharedPositions(nullptr);
    std::vector<ModelTriangle> many(MaxSharingTriangles + 1);
    EXPECT_EQ(FindSharedPositions(many.data(), MaxSharingTriangles + 1), nullptr);
    const SharedPointer most(FindSharedPositions(many.data(), MaxSharingTriangles));
    ASSERT_NE(most, nullptr);
    EXPECT_EQ(most->count, 1) << "all corners at the origin";
}

TEST(FindSharedPositions, LoadedModelsCarryTheirSharedPositions) {
    for (const ModelSlot& slot : ModelSlots) {
        SCOPED_TRACE(slot.modelFileName);
        const ModelPointer model =
            Load(DataFile(slot.modelFileName), DataFile(slot.textureFileName));
        ASSERT_NE(model, nullptr);
        ASSERT_NE(model->shared, nullptr);
        // Closed solids and tiled faces share most corners.
        EXPECT_LT(model->shared->count, 3 * model->triangleCount / 2);
        ExpectSharedPositionsOf(model->triangles, model->triangleCount, *model->shared);
    }
}

} // namespace
