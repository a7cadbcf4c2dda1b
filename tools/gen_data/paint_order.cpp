#include "gen_data/paint_order.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "gen_data/vector3.h"

namespace {

constexpr int FrameWidth = 320;
constexpr int FrameHeight = 240;
// The renderer's projection: screen x and y per unit of x / z and y / z in view space.
constexpr double ScaleX = 160 * 1.6083802;
constexpr double ScaleY = 120 * 2.1445069;
constexpr double NearDepth = 0.25;
constexpr double EyeHeight = 1.0;
// Depths (as 1 / z) this close count as a tie: faces meeting along an edge.
constexpr double DepthTolerance = 1e-4;

using Point = Vector3;

Point Corner(const ModelTriangle& triangle, int i) {
    const ModelVertex& v = triangle.vertices[i];
    return {v.x, v.y, v.z};
}

// An eye looking level along forward; right completes the view axes.
struct View {
    Point eye, forward, right;
};

std::vector<View> WalkViews() {
    constexpr int Sides = 16;
    const double distances[] = {0.5, 0.75, 1, 1.5, 2, 3, 4, 6, 8, 10};
    const double turns[] = {-0.4, 0, 0.4};
    std::vector<View> views;
    for (int side = 0; side < Sides; ++side) {
        // Off the axes by a little, so that no view looks exactly along a face.
        const double around = 2 * Pi * side / Sides + 0.1;
        for (double distance : distances) {
            for (double turn : turns) {
                const double heading = around + Pi + turn;
                const Point forward = {std::cos(heading), 0, std::sin(heading)};
                views.push_back(
                    {{distance * std::cos(around), EyeHeight, distance * std::sin(around)},
                     forward,
                     {-forward.z, 0, forward.x}});
            }
        }
    }
    return views;
}

// A corner on the screen, with 1 / depth, which is linear across the screen.
struct ScreenCorner {
    double x, y, inverseDepth;
};

// Every pixel where two or more triangles overlap: the triangles there, and which of them are
// nearest the eye. Identical overlaps are counted together.
using Overlap = std::pair<std::vector<int>, std::vector<int>>;
using Overlaps = std::map<Overlap, long>;

struct Sample {
    int triangle;
    double inverseDepth;
};

// The samples of every pixel centre of one view, and the pixels that have any, in the order
// they got their first.
struct Coverage {
    std::vector<std::vector<Sample>> pixels =
        std::vector<std::vector<Sample>>(FrameWidth * FrameHeight);
    std::vector<int> touched;
};

// Rasterises the triangles that face the eye and lie wholly beyond the near plane into the
// coverage, which starts empty.
void CoverView(const Mesh& mesh, const View& view, Coverage& coverage) {
    for (int t = 0; t < static_cast<int>(mesh.size()); ++t) {
        const Point a = Corner(mesh[t], 0);
        const Point normal =
            Cross(Difference(Corner(mesh[t], 1), a), Difference(Corner(mesh[t], 2), a));
        if (Dot(normal, Difference(view.eye, a)) <= 0) {
            continue;
        }
        ScreenCorner corners[3];
        bool inFront = true;
        for (int i = 0; i < 3; ++i) {
            const Point relative = Difference(Corner(mesh[t], i), view.eye);
            const double depth = Dot(relative, view.forward);
            inFront = inFront && depth >= NearDepth;
            corners[i] = {FrameWidth / 2 + ScaleX * Dot(relative, view.right) / depth,
                          FrameHeight / 2 - ScaleY * relative.y / depth, 1 / depth};
        }
        if (!inFront) {
            continue;
        }
        const ScreenCorner& p = corners[0];
        const ScreenCorner& q = corners[1];
        const ScreenCorner& r = corners[2];
        const double area = (q.x - p.x) * (r.y - p.y) - (q.y - p.y) * (r.x - p.x);
        if (area == 0) {
            continue;
        }
        const int left = std::max(0, static_cast<int>(std::floor(std::min({p.x, q.x, r.x}))));
        const int right = std::min(FrameWidth - 1, static_cast<int>(std::max({p.x, q.x, r.x})));
        const int top = std::max(0, static_cast<int>(std::floor(std::min({p.y, q.y, r.y}))));
        const int bottom = std::min(FrameHeight - 1, static_cast<int>(std::max({p.y, q.y, r.y})));
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                const double cx = x + 0.5;
                const double cy = y + 0.5;
                // Barycentric weights of the pixel centre; all positive inside.
                const double wp = ((q.x - cx) * (r.y - cy) - (q.y - cy) * (r.x - cx)) / area;
                const double wq = ((r.x - cx) * (p.y - cy) - (r.y - cy) * (p.x - cx)) / area;
                const double wr = 1 - wp - wq;
                if (wp <= 0 || wq <= 0 || wr <= 0) {
                    continue;
                }
                const double inverseDepth =
                    wp * p.inverseDepth + wq * q.inverseDepth + wr * r.inverseDepth;
                std::vector<Sample>& samples = coverage.pixels[y * FrameWidth + x];
                if (samples.empty()) {
                    coverage.touched.push_back(y * FrameWidth + x);
                }
                samples.push_back({t, inverseDepth});
            }
        }
    }
}

// The triangles of one pixel's samples and the nearest of them.
Overlap OverlapOf(const std::vector<Sample>& samples) {
    double nearest = 0;
    for (const Sample& sample : samples) {
        nearest = std::max(nearest, sample.inverseDepth);
    }
    Overlap overlap;
    for (const Sample& sample : samples) {
        overlap.first.push_back(sample.triangle);
        if (sample.inverseDepth >= nearest * (1 - DepthTolerance)) {
            overlap.second.push_back(sample.triangle);
        }
    }
    return overlap;
}

Overlaps FindOverlaps(const Mesh& mesh) {
    Overlaps overlaps;
    Coverage coverage;
    for (const View& view : WalkViews()) {
        for (int pixel : coverage.touched) {
            coverage.pixels[pixel].clear();
        }
        coverage.touched.clear();
        CoverView(mesh, view, coverage);
        // Neighbouring pixels mostly share their overlap: count runs before looking them up.
        Overlap run;
        long length = 0;
        for (int pixel : coverage.touched) {
            const std::vector<Sample>& samples = coverage.pixels[pixel];
            if (samples.size() < 2) {
                continue;
            }
            Overlap overlap = OverlapOf(samples);
            if (length > 0 && overlap != run) {
                overlaps[run] += length;
                length = 0;
            }
            run = std::move(overlap);
            ++length;
        }
        if (length > 0) {
            overlaps[run] += length;
        }
    }
    return overlaps;
}

// The wrong pixels when triangle t is drawn at position[t].
long CountWrong(const Overlaps& overlaps, const std::vector<int>& position) {
    long wrong = 0;
    for (const auto& [overlap, count] : overlaps) {
        int last = overlap.first.front();
        for (int t : overlap.first) {
            last = position[t] > position[last] ? t : last;
        }
        if (std::find(overlap.second.begin(), overlap.second.end(), last) == overlap.second.end()) {
            wrong += count;
        }
    }
    return wrong;
}

std::vector<int> PositionsOf(const std::vector<int>& order) {
    std::vector<int> position(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        position[order[i]] = static_cast<int>(i);
    }
    return position;
}

} // namespace

long WrongPixels(const Mesh& mesh) {
    std::vector<int> position(mesh.size());
    for (size_t i = 0; i < mesh.size(); ++i) {
        position[i] = static_cast<int>(i);
    }
    return CountWrong(FindOverlaps(mesh), position);
}

Mesh OrderForPainting(const Mesh& mesh) {
    const Overlaps overlaps = FindOverlaps(mesh);
    const int count = static_cast<int>(mesh.size());
    std::vector<int> order(count);
    for (int i = 0; i < count; ++i) {
        order[i] = i;
    }
    long best = CountWrong(overlaps, PositionsOf(order));
    // Move one triangle to another place whenever that lowers the count, until no move does.
    for (bool improved = true; improved && best > 0;) {
        improved = false;
        for (int from = 0; from < count; ++from) {
            for (int to = 0; to < count; ++to) {
                if (to == from) {
                    continue;
                }
                std::vector<int> moved = order;
                const int triangle = moved[from];
                moved.erase(moved.begin() + from);
                moved.insert(moved.begin() + to, triangle);
                const long wrong = CountWrong(overlaps, PositionsOf(moved));
                if (wrong < best) {
                    best = wrong;
                    order = moved;
                    improved = true;
                }
            }
        }
    }
    Mesh ordered;
    for (int t : order) {
        ordered.push_back(mesh[t]);
    }
    return ordered;
}

void AppendInPaintingOrder(Mesh& mesh, const Mesh& solid) {
    const Mesh ordered = OrderForPainting(solid);
    mesh.insert(mesh.end(), ordered.begin(), ordered.end());
}
