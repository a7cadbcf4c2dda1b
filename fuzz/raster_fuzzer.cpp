// The rasteriser with any screen vertices and the span filler with any span. A triangle draws
// the same pixels in all six vertex orders, only inside its vertices' bounding box, as many as
// CountTrianglePixels says, and the same drawn behind nothing as drawn plainly. A span draws
// each visible column as its closed form says and nothing else.
// Input: a mode byte (span, triangle near the frame, triangle anywhere), then a row and eight
// 32-bit span values, or three ScreenVertex records.
#include <algorithm>
#include <cstdint>

#include "fuzz_check.h"
#include "fuzz_frame.h"
#include "fuzz_input.h"
#include "render/coverage.h"

namespace {

// Vertices near the frame most of the time, anywhere within 2^30 of zero, the positions the
// rasteriser takes, otherwise. Near the frame, x and y are taken modulo 400 and 320 and placed
// 40 before the frame.
ScreenVertex TakeVertex(FuzzInput& input, bool nearTheFrame) {
    ScreenVertex vertex = Take<ScreenVertex>(input);
    if (nearTheFrame) {
        vertex.x = static_cast<int32_t>(static_cast<uint32_t>(vertex.x) % 400) - 40;
        vertex.y = static_cast<int32_t>(static_cast<uint32_t>(vertex.y) % 320) - 40;
    } else {
        vertex.x %= int32_t{1} << 30;
        vertex.y %= int32_t{1} << 30;
    }
    return vertex;
}

void CheckTriangle(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
    ClearFuzzFrame();
    RasteriseTriangle(FuzzWorker(), a, b, c);
    const std::vector<uint8_t> drawn = FrameCopy();
    const int64_t written = WrittenPixels();
    FUZZ_CHECK(CountTrianglePixels(FuzzWorker(), a, b, c) == written);
    FUZZ_CHECK(WrittenOnlyWithin(std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}),
                                 std::max({a.x, b.x, c.x}), std::max({a.y, b.y, c.y})));

    const ScreenVertex* const orders[5][3] = {
        {&a, &c, &b}, {&b, &a, &c}, {&b, &c, &a}, {&c, &a, &b}, {&c, &b, &a}};
    for (const auto& order : orders) {
        ClearFuzzFrame();
        RasteriseTriangle(FuzzWorker(), *order[0], *order[1], *order[2]);
        FUZZ_CHECK(FrameCopy() == drawn);
    }

    ClearFuzzFrame();
    ClearCoverage(FuzzWorker());
    RasteriseTriangleBehind(FuzzWorker(), a, b, c);
    FUZZ_CHECK(FrameCopy() == drawn);
    ClearCoverage(FuzzWorker());
    FUZZ_CHECK(CoverTrianglePixels(FuzzWorker(), a, b, c) == written);
}

// The colour of column x of the span, from the closed form in 64 bits.
uint8_t SpanColour(const int32_t (&s)[8], int64_t x) {
    const int64_t dx = int64_t{s[1]} - s[0];
    auto at = [&](int32_t left, int32_t right) {
        return (left + (x - s[0]) * ((int64_t{right} - left) / dx)) >> 16;
    };
    const int64_t texel = (at(s[3], s[5]) & 63) * 64 + (at(s[2], s[4]) & 63);
    return FogTable[(at(s[6], s[7]) & 255) * 256 + FuzzWorker().currentTexture->texels[texel]];
}

// s: x0, x1, uLeft, vLeft, uRight, vRight, shadeLeft, shadeRight.
void CheckSpan(int32_t row, const int32_t (&s)[8]) {
    ClearFuzzFrame();
    FillSpan(FuzzWorker(), row, s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]);
    const int64_t first = std::max<int64_t>(s[0], 0);
    const int64_t end = std::min<int64_t>(s[1], FrameWidth);
    FUZZ_CHECK(WrittenPixels() == std::max<int64_t>(end - first, 0));
    for (int64_t x = first; x < end; ++x) {
        FUZZ_CHECK(FuzzPixels()[row * FrameWidth + x] == SpanColour(s, x));
    }
    const std::vector<uint8_t> drawn = FrameCopy();
    ClearFuzzFrame();
    FillSpanEither(FuzzWorker(), row, s[1], s[0], s[4], s[5], s[2], s[3], s[7], s[6]);
    FUZZ_CHECK(s[0] >= s[1] || FrameCopy() == drawn);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool setUp = (SetUpFuzzFrame(), true);
    (void)setUp;
    FuzzInput input{data, size};
    const auto mode = Take<uint8_t>(input);
    if (mode % 3 == 0) {
        const auto row = static_cast<int32_t>(TakeInRange(input, 0, FrameHeight - 1));
        int32_t span[8];
        for (int32_t& value : span) {
            value = Take<int32_t>(input);
        }
        CheckSpan(row, span);
        return 0;
    }
    const bool nearTheFrame = mode % 3 == 1;
    const ScreenVertex a = TakeVertex(input, nearTheFrame);
    const ScreenVertex b = TakeVertex(input, nearTheFrame);
    const ScreenVertex c = TakeVertex(input, nearTheFrame);
    CheckTriangle(a, b, c);
    return 0;
}
