// Triangle setup: depth fog, near clamp, projection, culling, pixel mapping and rounding.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "math/mat4.h"
#include "render/triangle_setup.h"
#include "support/raster_test_frame.h"

namespace {

void ExpectScreenVertex(const ScreenVertex& actual, int x, int y, int u, int v, int shade) {
    EXPECT_EQ(actual.x, x);
    EXPECT_EQ(actual.y, y);
    EXPECT_EQ(actual.u, u);
    EXPECT_EQ(actual.v, v);
    EXPECT_EQ(actual.shade, shade);
}

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class TriangleSetupTest : public GuardedDrawingTest {
  protected:
    void SetUp() override {
        GuardedDrawingTest::SetUp();
        FillProjectionMatrix();
        SetIdentity(worker().modelViewMatrix);
    }

    // A projection with xn = -x / z and yn = -y / z, so that exact positions are easy to hit.
    static void UseUnitProjection() {
        Mat4& p = ProjectionMatrix;
        std::memset(p.m, 0, sizeof p.m);
        p.at(0, 0) = p.at(1, 1) = 1.0f;
        p.at(3, 2) = -1.0f;
    }

    // Sets up the triangle in the order that faces the viewer, if either does; screen[0] is
    // always the vertex a.
    bool SetUpFacingOrder(const ModelVertex& a, const ModelVertex& b, const ModelVertex& c,
                          ScreenVertex screen[3]) {
        return SetUpTriangle(worker(), a, b, c, screen) || SetUpTriangle(worker(), a, c, b, screen);
    }

    // The worked example's triangle scaled to depth z, so that it projects to the same place.
    bool SetUpExampleAtDepth(float z, ScreenVertex screen[3]) {
        return SetUpTriangle(worker(), At(-z / 3, -z / 3, z), At(0, z / 3, z), At(z / 3, -z / 3, z),
                             screen);
    }
};

const ModelVertex ExampleA = At(-1, -1, 3, 0.0f, 0.0f);
const ModelVertex ExampleB = At(0, 1, 3, 0.5f, 1.0f);
const ModelVertex ExampleC = At(1, -1, 3, 1.0f, 0.0f);

TEST_F(TriangleSetupTest, ProjectionHasTheRequiredBits) {
    EXPECT_EQ(Bits(ProjectionMatrix.at(0, 0)), 0x3FCDDF67u);
    EXPECT_EQ(Bits(ProjectionMatrix.at(1, 1)), 0x40093F9Au);
}

TEST_F(TriangleSetupTest, WorkedExampleMapsToItsScreenVertices) {
    ScreenVertex screen[3];
    ASSERT_TRUE(SetUpTriangle(worker(), ExampleA, ExampleB, ExampleC, screen));
    ExpectScreenVertex(screen[0], 246, 206, 0, 0, 207);
    ExpectScreenVertex(screen[1], 160, 34, 32, 63, 207);
    ExpectScreenVertex(screen[2], 74, 206, 63, 0, 207);
    // The other winding faces away.
    EXPECT_FALSE(SetUpTriangle(worker(), ExampleA, ExampleC, ExampleB, screen));
}

TEST_F(TriangleSetupTest, WorkedExampleFills14706PixelsThroughFogRow207) {
    DrawTriangle(worker(), ExampleA, ExampleB, ExampleC);
    EXPECT_EQ(frame_.WrittenCount(), 14706);
    EXPECT_EQ(frame_.Extent(34).first, -1);
    EXPECT_EQ(frame_.Extent(35).first, 159);
    EXPECT_EQ(frame_.Extent(35).last, 159);
    EXPECT_EQ(frame_.Extent(205).first, 74);
    EXPECT_EQ(frame_.Extent(205).last, 244);
    EXPECT_EQ(frame_.Extent(206).first, -1);

    frame_.Clear();
    FogShowsShade();
    DrawTriangle(worker(), ExampleA, ExampleB, ExampleC);
    int throughRow207 = 0;
    for (int i = 0; i < FrameSize; ++i) {
        throughRow207 += frame_.Pixels()[i] == 207;
    }
    EXPECT_EQ(throughRow207, 14706);

    frame_.Clear();
    DrawTriangle(worker(), ExampleA, ExampleC, ExampleB);
    EXPECT_EQ(frame_.WrittenCount(), 0);
}

TEST_F(TriangleSetupTest, FogShadeFallsWithViewDepth) {
    const struct {
        float z;
        int shade;
    } depths[] = {{0.25f, 255}, {1, 242}, {2, 225},   {3, 207}, {5, 173}, {8, 121},
                  {10, 86},     {14, 17}, {14.9f, 2}, {15, 0},  {20, 0},  {1e30f, 0}};
    for (const auto& depth : depths) {
        SCOPED_TRACE(depth.z);
        ScreenVertex screen[3];
        ASSERT_TRUE(SetUpExampleAtDepth(depth.z, screen));
        for (const ScreenVertex& vertex : screen) {
            EXPECT_EQ(vertex.shade, depth.shade);
        }
    }
}

TEST_F(TriangleSetupTest, VertexBehindTheNearLimitIsClampedOntoIt) {
    ScreenVertex screen[3];
    ASSERT_TRUE(SetUpTriangle(worker(), ExampleA, At(0, 1, 0.1f, 0.5f, 1.0f), ExampleC, screen));
    ExpectScreenVertex(screen[1], 160, -909, 32, 63, 255);
    EXPECT_EQ(screen[0].shade, 207);

    DrawTriangle(worker(), ExampleA, At(0, 1, 0.1f, 0.5f, 1.0f), ExampleC);
    EXPECT_NE(frame_.Extent(0).first, -1);
}

TEST_F(TriangleSetupTest, NearTestNeedsOneVertexAtOrBeyondTheLimit) {
    ScreenVertex screen[3];
    EXPECT_FALSE(SetUpTriangle(worker(), At(-1, -1, 0.2f), At(0, 1, 0.1f), At(1, -1, -5), screen));
    DrawTriangle(worker(), At(-1, -1, 0.2f), At(0, 1, 0.1f), At(1, -1, -5));
    EXPECT_EQ(frame_.WrittenCount(), 0);

    // One vertex exactly on the limit keeps the triangle; all three end up on it.
    ASSERT_TRUE(SetUpTriangle(worker(), At(-0.1f, -0.1f, 0.25f), At(0, 0.1f, 0.1f),
                              At(0.1f, -0.1f, -5), screen));
    ScreenVertex onTheLimit[3];
    ASSERT_TRUE(SetUpTriangle(worker(), At(-0.1f, -0.1f, 0.25f), At(0, 0.1f, 0.25f),
                              At(0.1f, -0.1f, 0.25f), onTheLimit));
    for (int i = 0; i < 3; ++i) {
        ExpectScreenVertex(screen[i], onTheLimit[i].x, onTheLimit[i].y, 0, 0, 255);
    }
}

TEST_F(TriangleSetupTest, TrianglesWhollyBeyondOneEdgeAreRejected) {
    ScreenVertex screen[3];
    EXPECT_FALSE(SetUpFacingOrder(At(-4, -1, 3), At(-4, 1, 3), At(-3, -1, 3), screen));

    UseUnitProjection(); // xn = -x and yn = -y at depth 1
    const float beyond[] = {1.5f, 2.0f, 3.0f};
    EXPECT_FALSE(SetUpFacingOrder(At(beyond[0], 0, 1), At(beyond[1], 1, 1), At(beyond[2], 0, 1),
                                  screen)); // left
    EXPECT_FALSE(SetUpFacingOrder(At(0, beyond[0], 1), At(1, beyond[1], 1), At(0, beyond[2], 1),
                                  screen)); // top
    EXPECT_FALSE(SetUpFacingOrder(At(-beyond[0], 0, 1), At(-beyond[1], 1, 1), At(-beyond[2], 0, 1),
                                  screen)); // right
    EXPECT_FALSE(SetUpFacingOrder(At(0, -beyond[0], 1), At(1, -beyond[1], 1), At(0, -beyond[2], 1),
                                  screen)); // bottom

    // A vertex exactly on the edge keeps the triangle, and so do vertices beyond three
    // different edges.
    EXPECT_TRUE(SetUpFacingOrder(At(1, 0, 1), At(2, 1, 1), At(3, 0, 1), screen));
    EXPECT_EQ(screen[0].x, 0);
    EXPECT_TRUE(SetUpFacingOrder(At(2, 0, 1), At(-2, 0.5f, 1), At(0, -2, 1), screen));
}

TEST_F(TriangleSetupTest, CollinearTrianglesReachTheRasteriser) {
    UseUnitProjection();
    ScreenVertex screen[3];
    // xn, yn of (-1, -1), (-0.5, -0.5) and (0, 0): the screen points (0, 0), (80, 60), (160, 120).
    EXPECT_TRUE(SetUpTriangle(worker(), At(1, 1, 1), At(0.5f, 0.5f, 1), At(0, 0, 1), screen));
    EXPECT_TRUE(SetUpTriangle(worker(), At(1, 1, 1), At(0, 0, 1), At(0.5f, 0.5f, 1), screen));
    ExpectScreenVertex(screen[2], 80, 60, 0, 0, 242);
}

TEST_F(TriangleSetupTest, PixelAndTexelRoundingTiesGoToEven) {
    UseUnitProjection();
    ScreenVertex screen[3];
    // xn = 0.015625: nearest(-2.5) = -2, so x = 162; xn = 0.046875: nearest(-7.5) = -8,
    // x = 168; yn = 0.0625: nearest(-7.5) = -8, y = 128.
    ASSERT_TRUE(SetUpFacingOrder(At(-0.015625f, -0.0625f, 1, 1.5f, 0.25f),
                                 At(-0.046875f, 0.5f, 1, 0.5f, 0.75f), At(0.5f, 0.5f, 1, 1.0f, 0),
                                 screen));
    ExpectScreenVertex(screen[0], 162, 128, 94, 16, 242);
    EXPECT_EQ(screen[1].x, 168);
    EXPECT_EQ(screen[1].u, 32);
    EXPECT_EQ(screen[1].v, 47);
    EXPECT_EQ(screen[2].u, 63);
}

TEST_F(TriangleSetupTest, TexelCoordinatesWrapModulo256) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const struct {
        float coordinate;
        int texel;
    } cases[] = {{-1.0f, 193}, {5.0f, 59}, {4.0f, 252},  {1e30f, 0},
                 {-1e30f, 0},  {nan, 0},   {infinity, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.coordinate);
        ScreenVertex screen[3];
        ASSERT_TRUE(SetUpTriangle(worker(), At(-1, -1, 3, c.coordinate, c.coordinate), ExampleB,
                                  ExampleC, screen));
        EXPECT_EQ(screen[0].u, c.texel);
        EXPECT_EQ(screen[0].v, c.texel);
    }
}

TEST_F(TriangleSetupTest, PositionsBeyond16BitsDropTheTriangle) {
    // Clamped onto the near plane 40 units to the side, x maps to about 160 + 160 * 257.
    ScreenVertex screen[3];
    EXPECT_FALSE(SetUpFacingOrder(At(-40, 0, 0.1f), ExampleB, ExampleC, screen));
    EXPECT_FALSE(SetUpFacingOrder(At(0, 40, 0.1f), ExampleA, ExampleC, screen));
    DrawTriangle(worker(), At(-40, 0, 0.1f), ExampleC, ExampleB);
    DrawTriangle(worker(), At(-40, 0, 0.1f), ExampleB, ExampleC);
    EXPECT_EQ(frame_.WrittenCount(), 0);

    // 30 units to the side still fits, far outside the frame; the rasteriser takes it.
    ASSERT_TRUE(SetUpFacingOrder(At(-30, -1, 0.1f), ExampleB, ExampleC, screen));
    EXPECT_GT(screen[0].x, 30000);
    RasteriseTriangle(worker(), screen[0], screen[1], screen[2]);
    EXPECT_GT(frame_.WrittenCount(), 1000);
}

TEST_F(TriangleSetupTest, NonFiniteCoordinatesDropTheTriangle) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const ModelVertex broken[] = {At(nan, 0, 3),      At(0, nan, 3),       At(0, 0, nan),
                                  At(infinity, 0, 3), At(0, -infinity, 3), At(0, 0, infinity)};
    for (const ModelVertex& vertex : broken) {
        ScreenVertex screen[3];
        EXPECT_FALSE(SetUpFacingOrder(vertex, ExampleB, ExampleC, screen));
        DrawTriangle(worker(), vertex, ExampleB, ExampleC);
        DrawTriangle(worker(), vertex, ExampleC, ExampleB);
    }
    EXPECT_EQ(frame_.WrittenCount(), 0);
}

} // namespace
