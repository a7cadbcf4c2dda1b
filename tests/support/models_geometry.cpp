#include "support/models_geometry.h"

#include <cstring>
#include <map>
#include <numeric>
#include <utility>

namespace {

using PositionKey = std::array<uint32_t, 3>;
using Edge = std::pair<PositionKey, PositionKey>;

PositionKey KeyOf(const ModelVertex& vertex) {
    PositionKey key;
    std::memcpy(key.data(), &vertex.x, sizeof key);
    return key;
}

Edge EdgeOf(const ModelTriangle& triangle, int corner) {
    return {KeyOf(triangle.vertices[corner]), KeyOf(triangle.vertices[(corner + 1) % 3])};
}

int Root(std::vector<int>& parent, int i) {
    while (parent[i] != i) {
        i = parent[i] = parent[parent[i]];
    }
    return i;
}

} // namespace

Point3 PositionOf(const ModelVertex& vertex) {
    return {vertex.x, vertex.y, vertex.z};
}

Point3 FaceNormal(const ModelTriangle& triangle) {
    const Point3 a = PositionOf(triangle.vertices[0]);
    const Point3 b = PositionOf(triangle.vertices[1]);
    const Point3 c = PositionOf(triangle.vertices[2]);
    const Point3 ab = {b.x - a.x, b.y - a.y, b.z - a.z};
    const Point3 ac = {c.x - a.x, c.y - a.y, c.z - a.z};
    return {ab.y * ac.z - ab.z * ac.y, ab.z * ac.x - ab.x * ac.z, ab.x * ac.y - ab.y * ac.x};
}

bool IsFloorTriangle(const ModelTriangle& triangle) {
    for (const ModelVertex& vertex : triangle.vertices) {
        if (vertex.y != 0) {
            return false;
        }
    }
    return FaceNormal(triangle).y > 0;
}

std::vector<ModelTriangle> TrianglesOf(const Model& model) {
    return std::vector<ModelTriangle>(model.triangles, model.triangles + model.triangleCount);
}

int OpenEdgeCount(const std::vector<ModelTriangle>& solid) {
    std::map<Edge, int> uses;
    for (const ModelTriangle& triangle : solid) {
        for (int corner = 0; corner < 3; ++corner) {
            ++uses[EdgeOf(triangle, corner)];
        }
    }
    int open = 0;
    for (const auto& [edge, count] : uses) {
        const auto reverse = uses.find({edge.second, edge.first});
        open += count != 1 || reverse == uses.end() || reverse->second != 1;
    }
    return open;
}

std::vector<double> PieceVolumes(const std::vector<ModelTriangle>& solid) {
    // Triangles sharing an edge belong to the same piece.
    std::vector<int> parent(solid.size());
    std::iota(parent.begin(), parent.end(), 0);
    std::map<Edge, int> owner;
    for (size_t i = 0; i < solid.size(); ++i) {
        for (int corner = 0; corner < 3; ++corner) {
            Edge edge = EdgeOf(solid[i], corner);
            if (edge.second < edge.first) {
                std::swap(edge.first, edge.second);
            }
            const auto [found, inserted] = owner.emplace(edge, static_cast<int>(i));
            if (!inserted) {
                parent[Root(parent, static_cast<int>(i))] = Root(parent, found->second);
            }
        }
    }
    std::map<int, double> volumes;
    for (size_t i = 0; i < solid.size(); ++i) {
        const Point3 a = PositionOf(solid[i].vertices[0]);
        const Point3 b = PositionOf(solid[i].vertices[1]);
        const Point3 c = PositionOf(solid[i].vertices[2]);
        const double triple = a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) +
                              a.z * (b.x * c.y - b.y * c.x);
        volumes[Root(parent, static_cast<int>(i))] += triple / 6.0;
    }
    std::vector<double> result;
    for (const auto& entry : volumes) {
        result.push_back(entry.second);
    }
    return result;
}

std::array<ModelPointer, ModelSlotCount> LoadDataSet() {
    std::array<ModelPointer, ModelSlotCount> models;
    for (int i = 0; i < ModelSlotCount; ++i) {
        models[i] =
            Load(DataFile(ModelSlots[i].modelFileName), DataFile(ModelSlots[i].textureFileName));
    }
    return models;
}
