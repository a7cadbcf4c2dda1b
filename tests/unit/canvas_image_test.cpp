#include <gtest/gtest.h>

#include <vector>

#include "app/canvas_image.h"
#include "render/frame_buffer.h"

namespace {

bool SamePixel(const CanvasPixel& a, const CanvasPixel& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

// Colour table whose channels each tell the entry apart, so a swapped channel or a wrong
// index shows.
std::vector<CanvasPixel> DistinctColours() {
    std::vector<CanvasPixel> colours(PaletteSize);
    for (int i = 0; i < PaletteSize; ++i) {
        colours[i] = CanvasPixel{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                 static_cast<uint8_t>(i * 7), 255};
    }
    return colours;
}

// A frame in which neighbouring pixels and rows differ.
std::vector<uint8_t> PatternFrame() {
    std::vector<uint8_t> frame(FrameSize);
    for (int y = 0; y < FrameHeight; ++y) {
        for (int x = 0; x < FrameWidth; ++x) {
            frame[y * FrameWidth + x] = static_cast<uint8_t>(x * 7 + y * 13);
        }
    }
    return frame;
}

TEST(CanvasColoursTest, ReordersEveryEntryToRedGreenBlueAndMakesItOpaque) {
    RgbQuad palette[PaletteSize];
    for (int i = 0; i < PaletteSize; ++i) {
        palette[i] = RgbQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(i ^ 0x5A),
                             static_cast<uint8_t>(255 - i), 77};
    }
    CanvasPixel colours[PaletteSize];
    BuildCanvasColours(palette, colours);
    for (int i = 0; i < PaletteSize; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(colours[i].red, 255 - i);
        EXPECT_EQ(colours[i].green, i ^ 0x5A);
        EXPECT_EQ(colours[i].blue, i);
        EXPECT_EQ(colours[i].alpha, 255);
    }
}

TEST(ExpandFrameTest, EveryFramePixelBecomesATwoByTwoBlockOfItsColour) {
    const std::vector<CanvasPixel> colours = DistinctColours();
    const std::vector<uint8_t> frame = PatternFrame();
    std::vector<CanvasPixel> canvas(CanvasPixelCount);
    ExpandFrameToCanvas(frame.data(), colours.data(), canvas.data());

    int mismatches = 0;
    for (int y = 0; y < CanvasHeight; ++y) {
        for (int x = 0; x < CanvasWidth; ++x) {
            const CanvasPixel& expected = colours[frame[(y / 2) * FrameWidth + x / 2]];
            mismatches += SamePixel(canvas[y * CanvasWidth + x], expected) ? 0 : 1;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(ExpandFrameTest, FrameCornersLandInTheCanvasCorners) {
    const std::vector<CanvasPixel> colours = DistinctColours();
    std::vector<uint8_t> frame(FrameSize, 0);
    frame[0] = 1;              // top-left
    frame[FrameWidth - 1] = 2; // top-right
    frame[FrameWidth] = 3;     // first pixel of the second row
    frame[FrameSize - 1] = 4;  // bottom-right
    std::vector<CanvasPixel> canvas(CanvasPixelCount);
    ExpandFrameToCanvas(frame.data(), colours.data(), canvas.data());

    auto at = [&](int x, int y) { return canvas[y * CanvasWidth + x]; };
    EXPECT_TRUE(SamePixel(at(0, 0), colours[1]));
    EXPECT_TRUE(SamePixel(at(1, 1), colours[1]));
    EXPECT_TRUE(SamePixel(at(639, 0), colours[2]));
    EXPECT_TRUE(SamePixel(at(638, 1), colours[2]));
    EXPECT_TRUE(SamePixel(at(0, 2), colours[3]));
    EXPECT_TRUE(SamePixel(at(1, 3), colours[3]));
    EXPECT_TRUE(SamePixel(at(639, 479), colours[4]));
    EXPECT_TRUE(SamePixel(at(638, 478), colours[4]));
    EXPECT_TRUE(SamePixel(at(2, 0), colours[0]));
    EXPECT_TRUE(SamePixel(at(0, 4), colours[0]));
}

TEST(ExpandFrameTest, WritesNothingPastTheCanvas) {
    const std::vector<CanvasPixel> colours = DistinctColours();
    const std::vector<uint8_t> frame = PatternFrame();
    const CanvasPixel guard{1, 2, 3, 4};
    std::vector<CanvasPixel> canvas(CanvasPixelCount + 16, guard);
    ExpandFrameToCanvas(frame.data(), colours.data(), canvas.data());
    for (int i = CanvasPixelCount; i < CanvasPixelCount + 16; ++i) {
        EXPECT_TRUE(SamePixel(canvas[i], guard)) << i;
    }
}

} // namespace
