// Random triangles, from small ones near the frame to ones with any 16-bit coordinates, drawn
// by the rasteriser and compared pixel for pixel with a slow reference that evaluates every
// edge and span in closed form with 64-bit integers.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "support/raster_test_frame.h"

namespace {

using Triangle = std::array<ScreenVertex, 3>;

// 16.16 values and increments are int64 here, so nothing in the reference can overflow.
constexpr int64_t One = 65536;

// Integer part of a 16.16 value, rounded towards minus infinity.
int64_t Floor16(int64_t value) {
    return value >= 0 ? value / One : -((-value + One - 1) / One);
}

// Attribute k (0 x, 1 u, 2 v, 3 shade) of a vertex, as the rasteriser reads it.
int64_t Attribute(const ScreenVertex& p, int k) {
    const int64_t values[4] = {p.x, p.u, p.v, p.shade};
    return values[k];
}

// Attribute k at row r of the edge from upper vertex p to lower vertex q:
// p * 65536 + (r - p.y) * dk, with dk = ((q - p) * 65536) / (q.y - p.y) truncated once.
int64_t EdgeAt(const ScreenVertex& p, const ScreenVertex& q, int64_t row, int k) {
    const int64_t step = (Attribute(q, k) - Attribute(p, k)) * One / (q.y - p.y);
    return Attribute(p, k) * One + (row - p.y) * step;
}

struct EdgeSample {
    int64_t values[4];
};

EdgeSample SampleEdge(const ScreenVertex& p, const ScreenVertex& q, int64_t row) {
    return {
        {EdgeAt(p, q, row, 0), EdgeAt(p, q, row, 1), EdgeAt(p, q, row, 2), EdgeAt(p, q, row, 3)}};
}

// Draws the span between two edge samples of a row into picture: columns from the smaller
// integer position up to but not including the larger, each pixel from its closed-form
// interpolants. Returns the number of pixels drawn; fails the test if a shade leaves the fog
// table.
int64_t ReferenceSpan(const Texture& texture, int64_t row, const EdgeSample& one,
                      const EdgeSample& other, std::vector<uint8_t>& picture) {
    const bool oneIsLeft = Floor16(one.values[0]) < Floor16(other.values[0]);
    const EdgeSample& left = oneIsLeft ? one : other;
    const EdgeSample& right = oneIsLeft ? other : one;
    const int64_t x0 = Floor16(left.values[0]);
    const int64_t x1 = Floor16(right.values[0]);
    if (x0 == x1) {
        return 0;
    }
    int64_t gradient[4] = {};
    for (int k = 1; k < 4; ++k) {
        gradient[k] = (right.values[k] - left.values[k]) / (x1 - x0);
    }
    const int64_t first = std::max<int64_t>(x0, 0);
    const int64_t end = std::min<int64_t>(x1, FrameWidth);
    for (int64_t x = first; x < end; ++x) {
        const int64_t u = Floor16(left.values[1] + (x - x0) * gradient[1]);
        const int64_t v = Floor16(left.values[2] + (x - x0) * gradient[2]);
        const int64_t shade = Floor16(left.values[3] + (x - x0) * gradient[3]);
        if (shade < 0 || shade > 255) {
            ADD_FAILURE() << "shade " << shade;
            return 0;
        }
        const uint8_t texel = texture.texels[(v & 63) * TextureSide + (u & 63)];
        picture[row * FrameWidth + x] = FogTable[shade * PaletteSize + texel];
    }
    return std::max<int64_t>(end - first, 0);
}

// The coverage rule: rows from the top vertex's up to but not including the bottom vertex's,
// bounded by the long edge (top to bottom) and the short edge of the half the row lies in.
// Returns the number of pixels drawn.
int64_t ReferenceTriangle(const Texture& texture, Triangle t, std::vector<uint8_t>& picture) {
    std::sort(t.begin(), t.end(),
              [](const ScreenVertex& p, const ScreenVertex& q) { return p.y < q.y; });
    const ScreenVertex& top = t[0];
    const ScreenVertex& middle = t[1];
    const ScreenVertex& bottom = t[2];
    const int64_t end = std::min<int64_t>(bottom.y, FrameHeight);
    int64_t pixels = 0;
    for (int64_t row = std::max<int64_t>(top.y, 0); row < end; ++row) {
        const EdgeSample longEdge = SampleEdge(top, bottom, row);
        const EdgeSample shortEdge =
            row < middle.y ? SampleEdge(top, middle, row) : SampleEdge(middle, bottom, row);
        pixels += ReferenceSpan(texture, row, longEdge, shortEdge, picture);
    }
    return pixels;
}

// Draws t in the given vertex order and expects exactly the reference picture, with nothing
// written outside the frame, and as many pixels counted as drawn. Returns the number of pixels
// the reference draws.
int64_t ExpectMatchesReference(GuardedFrame& frame, const Triangle& t, const Triangle& drawn,
                               std::vector<uint8_t>& expected) {
    std::fill(expected.begin(), expected.end(), Untouched);
    const int64_t pixels = ReferenceTriangle(*frame.Worker().currentTexture, t, expected);
    frame.Clear();
    RasteriseTriangle(frame.Worker(), drawn[0], drawn[1], drawn[2]);
    EXPECT_TRUE(frame.GuardsIntact());
    EXPECT_EQ(std::memcmp(frame.Pixels(), expected.data(), FrameSize), 0)
        << "(" << t[0].x << "," << t[0].y << ") (" << t[1].x << "," << t[1].y << ") (" << t[2].x
        << "," << t[2].y << ")";
    EXPECT_EQ(CountTrianglePixels(frame.Worker(), drawn[0], drawn[1], drawn[2]), pixels);
    return pixels;
}

class RandomTriangles {
  public:
    explicit RandomTriangles(uint32_t seed) : engine_(seed) {}

    // Mostly coordinates around the frame, some anywhere within +-16384, where 32-bit
    // arithmetic suffices, and some anywhere in the 16-bit range.
    ScreenVertex Vertex() {
        const int16_t x = FarOrNear(NearX());
        const int16_t y = FarOrNear(NearY());
        return WithAttributes(x, y);
    }

    ScreenVertex NearVertex() {
        const int16_t x = NearX();
        const int16_t y = NearY();
        return WithAttributes(x, y);
    }

    Triangle Shuffled(Triangle t) {
        std::shuffle(t.begin(), t.end(), engine_);
        return t;
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }

  private:
    int16_t NearX() { return static_cast<int16_t>(Pick(-64, FrameWidth + 63)); }
    int16_t NearY() { return static_cast<int16_t>(Pick(-64, FrameHeight + 63)); }

    int16_t FarOrNear(int16_t near) {
        const int kind = Pick(0, 9);
        if (kind < 6) {
            return near;
        }
        return static_cast<int16_t>(kind < 8 ? Pick(-16384, 16383) : Pick(-32768, 32767));
    }

    ScreenVertex WithAttributes(int16_t x, int16_t y) {
        ScreenVertex p{};
        p.x = x;
        p.y = y;
        p.u = static_cast<uint8_t>(Pick(0, 255));
        p.v = static_cast<uint8_t>(Pick(0, 255));
        p.shade = static_cast<uint8_t>(Pick(0, 255));
        return p;
    }

    std::mt19937 engine_;
};

// Twice the signed area of (p, q, r); its sign tells on which side of pq the point r lies.
int64_t Cross(const ScreenVertex& p, const ScreenVertex& q, const ScreenVertex& r) {
    return (int64_t{q.x} - p.x) * (int64_t{r.y} - p.y) -
           (int64_t{q.y} - p.y) * (int64_t{r.x} - p.x);
}

// True when r and s lie strictly on opposite sides of the line through p and q.
bool OppositeSides(const ScreenVertex& p, const ScreenVertex& q, const ScreenVertex& r,
                   const ScreenVertex& s) {
    const int64_t sideOfR = Cross(p, q, r);
    const int64_t sideOfS = Cross(p, q, s);
    return (sideOfR > 0 && sideOfS < 0) || (sideOfR < 0 && sideOfS > 0);
}

TEST(RasteriserAgainstReference, RandomTrianglesMatchPixelForPixel) {
    GuardedFrame frame;
    Texture texture{};
    RandomTriangles random(20261207);
    for (uint8_t& texel : texture.texels) {
        texel = static_cast<uint8_t>(random.Pick(0, 255));
    }
    // Any fog entry but Untouched, mixing shade and texel so that both must be right.
    for (int i = 0; i < FogTableSize; ++i) {
        FogTable[i] = static_cast<uint8_t>((i / PaletteSize * 7 + i % PaletteSize * 13) % 255);
    }
    frame.Worker().currentTexture = &texture;

    std::vector<uint8_t> expected(FrameSize);
    int drawnTriangles = 0;
    for (int i = 0; i < 20000 && !::testing::Test::HasFailure(); ++i) {
        const Triangle t = {random.Vertex(), random.Vertex(), random.Vertex()};
        drawnTriangles += ExpectMatchesReference(frame, t, random.Shuffled(t), expected) > 0;
    }
    // The mix must exercise drawing, not only rejection.
    EXPECT_GT(drawnTriangles, 5000);
}

TEST(RasteriserAgainstReference, TrianglesSharingAnEdgeNeverWriteAPixelTwice) {
    GuardedFrame frame;
    const Texture texture = ColumnTexture();
    FogPassesTexel();
    frame.Worker().currentTexture = &texture;
    RandomTriangles random(7);
    std::vector<uint8_t> expected(FrameSize);
    std::vector<uint8_t> firstWritten(FrameSize);
    int checkedPairs = 0;
    int sharedRows = 0;
    while (checkedPairs < 2000 && !::testing::Test::HasFailure()) {
        const ScreenVertex a = random.NearVertex(), b = random.NearVertex();
        const ScreenVertex c = random.NearVertex(), d = random.NearVertex();
        // a, b, d, c must be a strictly convex quadrilateral split along its diagonal b, c:
        // a and d on opposite sides of bc, b and c on opposite sides of ad. (Triangles that
        // meet in a non-convex outline may share a pixel where the truncated edges cross, and
        // so may far-off ones, whose truncation error builds up over thousands of rows.)
        if (!(OppositeSides(b, c, a, d) && OppositeSides(a, d, b, c))) {
            continue;
        }
        ++checkedPairs;
        ExpectMatchesReference(frame, {a, b, c}, {a, b, c}, expected);
        std::memcpy(firstWritten.data(), frame.Pixels(), FrameSize);
        ExpectMatchesReference(frame, {c, b, d}, {c, b, d}, expected);
        // Only the quad's rows can hold pixels of either triangle.
        const int top = std::max(0, std::min({int{a.y}, int{b.y}, int{c.y}, int{d.y}}));
        const int end = std::min(FrameHeight, std::max({int{a.y}, int{b.y}, int{c.y}, int{d.y}}));
        for (int p = top * FrameWidth; p < end * FrameWidth; ++p) {
            const bool first = firstWritten[p] != Untouched;
            const bool second = frame.Pixels()[p] != Untouched;
            ASSERT_FALSE(first && second) << "pixel " << p % FrameWidth << "," << p / FrameWidth;
            // Count rows where the two triangles meet, so the test is known to reach the edge.
            sharedRows +=
                first && p % FrameWidth + 1 < FrameWidth && frame.Pixels()[p + 1] != Untouched;
        }
    }
    EXPECT_GT(sharedRows, 1000);
}

} // namespace
