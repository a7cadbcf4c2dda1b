#include "gen_data/mesh.h"

#include <cmath>
#include <cstddef>

namespace {

struct Vector {
    double x, y, z;
};

Vector Difference(const Vec3& a, const Vec3& b) {
    return {static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y,
            static_cast<double>(a.z) - b.z};
}

Vector Cross(const Vector& a, const Vector& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

bool SamePosition(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// topLeft + (topRight - topLeft) * s + (bottomLeft - topLeft) * t, rounded to float once. The
// differences of floats are exact in double, so the corners come out bit for bit and patches
// that meet along an axis-aligned edge share its points exactly.
Vec3 PointOnPatch(const Patch& patch, double s, double t) {
    const auto coordinate = [s, t](float topLeft, float topRight, float bottomLeft) {
        const double origin = topLeft;
        return static_cast<float>(origin + (topRight - origin) * s + (bottomLeft - origin) * t);
    };
    return {coordinate(patch.topLeft.x, patch.topRight.x, patch.bottomLeft.x),
            coordinate(patch.topLeft.y, patch.topRight.y, patch.bottomLeft.y),
            coordinate(patch.topLeft.z, patch.topRight.z, patch.bottomLeft.z)};
}

ModelVertex MakeVertex(const MeshPoint& point, const Vector& normal) {
    ModelVertex vertex;
    vertex.x = point.position.x;
    vertex.y = point.position.y;
    vertex.z = point.position.z;
    vertex.unused[0] = static_cast<float>(normal.x);
    vertex.unused[1] = static_cast<float>(normal.y);
    vertex.unused[2] = static_cast<float>(normal.z);
    vertex.u = point.u;
    vertex.v = point.v;
    return vertex;
}

// The cap point for a ring point: seen from above, x runs with u and z against v.
MeshPoint CapPoint(const Vec3& position, float reach, const TexelRect& rect) {
    return PointInRect(position, rect, (position.x / reach + 1.0) / 2.0,
                       (1.0 - position.z / reach) / 2.0);
}

} // namespace

float TexelCoordinate(double texel) {
    return static_cast<float>(texel / 63.0);
}

MeshPoint PointInRect(const Vec3& position, const TexelRect& rect, double across, double down) {
    return {position, TexelCoordinate(rect.left + (rect.right - rect.left) * across),
            TexelCoordinate(rect.top + (rect.bottom - rect.top) * down)};
}

void AddTriangle(Mesh& mesh, const MeshPoint& a, const MeshPoint& b, const MeshPoint& c) {
    Vector normal = Cross(Difference(b.position, a.position), Difference(c.position, a.position));
    const double length =
        std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
    if (length > 0) {
        normal = {normal.x / length, normal.y / length, normal.z / length};
    }
    mesh.push_back({{MakeVertex(a, normal), MakeVertex(b, normal), MakeVertex(c, normal)}});
}

void AddQuad(Mesh& mesh, const MeshPoint& a, const MeshPoint& b, const MeshPoint& c,
             const MeshPoint& d) {
    if (!SamePosition(b.position, c.position)) {
        AddTriangle(mesh, a, b, c);
    }
    if (!SamePosition(a.position, d.position)) {
        AddTriangle(mesh, a, c, d);
    }
}

void AddPatch(Mesh& mesh, const Patch& patch) {
    const auto point = [&patch](int i, int j) {
        const double across = static_cast<double>(i) / patch.columns;
        const double down = static_cast<double>(j) / patch.rows;
        return PointInRect(PointOnPatch(patch, across, down), patch.texels, across, down);
    };
    for (int j = 0; j < patch.rows; ++j) {
        for (int i = 0; i < patch.columns; ++i) {
            AddQuad(mesh, point(i, j), point(i + 1, j), point(i + 1, j + 1), point(i, j + 1));
        }
    }
}

void AddBox(Mesh& mesh, const Box& box) {
    const auto corner = [&box](int highX, float y, int highZ) {
        return Vec3{highX ? box.high.x : box.low.x, y, highZ ? box.high.z : box.low.z};
    };
    // Per side: (x, z) of its top-left, top-right and bottom-left corners seen from outside.
    const int sides[4][3][2] = {{{1, 0}, {1, 1}, {1, 0}},
                                {{0, 1}, {0, 0}, {0, 1}},
                                {{1, 1}, {0, 1}, {1, 1}},
                                {{0, 0}, {1, 0}, {0, 0}}};
    const int n = box.divisions;
    const float rowHeight = (box.high.y - box.low.y) / n;
    const auto rowTop = [&box, rowHeight, n](int row) {
        return row == n ? box.low.y : box.high.y - rowHeight * row;
    };
    for (const auto& side : sides) {
        for (int row = 0; row < n; ++row) {
            AddPatch(mesh, {corner(side[0][0], rowTop(row), side[0][1]),
                            corner(side[1][0], rowTop(row), side[1][1]),
                            corner(side[2][0], rowTop(row + 1), side[2][1]), n, 1, box.sides});
        }
    }
    const float top = box.high.y;
    const float bottom = box.low.y;
    AddPatch(mesh, {corner(0, top, 1), corner(1, top, 1), corner(0, top, 0), n, n, box.ends});
    AddPatch(mesh,
             {corner(0, bottom, 0), corner(1, bottom, 0), corner(0, bottom, 1), n, n, box.ends});
}

void AddSquareBlock(Mesh& mesh, float x, float z, float halfSide, float bottom, float top,
                    const TexelRect& rect) {
    AddBox(
        mesh,
        {{x - halfSide, bottom, z - halfSide}, {x + halfSide, top, z + halfSide}, 1, rect, rect});
}

Ring MakeRing(int sides, float radius, float y) {
    const double pi = 3.14159265358979323846;
    Ring ring;
    for (int i = 0; i < sides; ++i) {
        const double angle = 2.0 * pi * i / sides;
        ring.push_back({static_cast<float>(radius * std::cos(angle)), y,
                        static_cast<float>(radius * std::sin(angle))});
    }
    return ring;
}

void AddBand(Mesh& mesh, const Ring& lower, const Ring& upper, const TexelRect& rect) {
    const size_t sides = lower.size();
    const auto point = [&rect, sides](const Ring& ring, size_t i, double down) {
        return PointInRect(ring[i % sides], rect, static_cast<double>(i) / sides, down);
    };
    for (size_t i = 0; i < sides; ++i) {
        AddQuad(mesh, point(lower, i, 1), point(upper, i, 0), point(upper, i + 1, 0),
                point(lower, i + 1, 1));
    }
}

void AddCap(Mesh& mesh, const Ring& ring, bool facingUp, float reach, const TexelRect& rect) {
    const MeshPoint first = CapPoint(ring[0], reach, rect);
    for (size_t i = 1; i + 1 < ring.size(); ++i) {
        const MeshPoint here = CapPoint(ring[i], reach, rect);
        const MeshPoint next = CapPoint(ring[i + 1], reach, rect);
        if (facingUp) {
            AddTriangle(mesh, first, next, here);
        } else {
            AddTriangle(mesh, first, here, next);
        }
    }
}

void AddPeak(Mesh& mesh, const Ring& ring, const Vec3& apex, float reach, const TexelRect& rect) {
    const MeshPoint top = CapPoint(apex, reach, rect);
    for (size_t i = 0; i < ring.size(); ++i) {
        AddTriangle(mesh, top, CapPoint(ring[(i + 1) % ring.size()], reach, rect),
                    CapPoint(ring[i], reach, rect));
    }
}

void AddFloorQuad(Mesh& mesh, const TexelRect& rect) {
    AddPatch(mesh, {{-1, 0, 1}, {1, 0, 1}, {-1, 0, -1}, 2, 2, rect});
}
