#include "assets/shared_positions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

struct PositionKey {
    uint32_t bits[3];
};

PositionKey KeyOf(const ModelVertex& vertex) {
    PositionKey key;
    std::memcpy(&key.bits[0], &vertex.x, sizeof(float));
    std::memcpy(&key.bits[1], &vertex.y, sizeof(float));
    std::memcpy(&key.bits[2], &vertex.z, sizeof(float));
    return key;
}

bool KeyLess(const PositionKey& a, const PositionKey& b) {
    return std::lexicographical_compare(a.bits, a.bits + 3, b.bits, b.bits + 3);
}

const ModelVertex& Corner(const ModelTriangle* triangles, int32_t corner) {
    return triangles[corner / 3].vertices[corner % 3];
}

// Numbers the positions in the order of the sorted corners and stores each corner's number.
void NumberPositions(const ModelTriangle* triangles, const int32_t* sortedCorners,
                     int32_t cornerCount, SharedPositions& shared) {
    shared.count = 0;
    for (int32_t i = 0; i < cornerCount; ++i) {
        const ModelVertex& vertex = Corner(triangles, sortedCorners[i]);
        const bool fresh =
            i == 0 || KeyLess(KeyOf(Corner(triangles, sortedCorners[i - 1])), KeyOf(vertex));
        if (fresh) {
            shared.positions[shared.count++] = ModelPosition{vertex.x, vertex.y, vertex.z};
        }
        shared.corners[sortedCorners[i]] = shared.count - 1;
    }
}

} // namespace

SharedPositions* FindSharedPositions(const ModelTriangle* triangles, int32_t triangleCount) {
    if (triangleCount <= 0 || triangleCount > MaxSharingTriangles) {
        return nullptr;
    }
    const size_t cornerCount = static_cast<size_t>(triangleCount) * 3;
    auto* shared = static_cast<SharedPositions*>(std::calloc(1, sizeof(SharedPositions)));
    auto* sorted = static_cast<int32_t*>(std::calloc(cornerCount, sizeof(int32_t)));
    if (shared != nullptr && sorted != nullptr) {
        shared->positions =
            static_cast<ModelPosition*>(std::calloc(cornerCount, sizeof(ModelPosition)));
        shared->corners = static_cast<int32_t*>(std::calloc(cornerCount, sizeof(int32_t)));
    }
    if (shared == nullptr || sorted == nullptr || shared->positions == nullptr ||
        shared->corners == nullptr) {
        std::free(sorted);
        FreeSharedPositions(shared);
        return nullptr;
    }
    for (size_t i = 0; i < cornerCount; ++i) {
        sorted[i] = static_cast<int32_t>(i);
    }
    std::sort(sorted, sorted + cornerCount, [triangles](int32_t a, int32_t b) {
        return KeyLess(KeyOf(Corner(triangles, a)), KeyOf(Corner(triangles, b)));
    });
    NumberPositions(triangles, sorted, static_cast<int32_t>(cornerCount), *shared);
    std::free(sorted);
    return shared;
}

void FreeSharedPositions(SharedPositions* shared) {
    if (shared == nullptr) {
        return;
    }
    std::free(shared->positions);
    std::free(shared->corners);
    std::free(shared);
}
