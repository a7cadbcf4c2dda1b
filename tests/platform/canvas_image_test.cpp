#include <gtest/gtest.h>

#include <vector>

#include "platform/canvas_image.h"
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
std::vector<uint8_t> PatternFrame(const FrameLayout& layout) {
    std::vector<uint8_t> frame(static_cast<size_t>(layout.width) * layout.height);
    for (int y = 0; y < layout.height; ++y) {
        for (int x = 0; x < layout.width; ++x) {
            frame[y * layout.width + x] = static_cast<uint8_t>(x * 7 + y * 13);
        }
    }
    return frame;
}

size_t CanvasPixelCount(const FrameLayout& layout) {
    return static_cast<size_t>(layout.shownWidth) * layout.shownHeight;
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

// A 2x2 block per frame pixel at scale 1, the frame pixel for pixel above.
TEST(ExpandFrameTest, EveryFramePixelBecomesABlockOfItsColour) {
    const std::vector<CanvasPixel> colours = DistinctColours();
    for (const int scale : {1, 2, 3}) {
        SCOPED_TRACE(scale);
        const FrameLayout layout = LayoutForScale(scale);
        const int block = scale == 1 ? 2 : 1;
        ASSERT_EQ(layout.shownWidth, layout.width * block);
        ASSERT_EQ(layout.shownHeight, layout.height * block);
        const std::vector<uint8_t> frame = PatternFrame(layout);
        std::vector<CanvasPixel> canvas(CanvasPixelCount(layout));
        ExpandFrameToCanvas(frame.data(), layout, colours.data(), canvas.data());

        int mismatches = 0;
        for (int y = 0; y < layout.shownHeight; ++y) {
            for (int x = 0; x < layout.shownWidth; ++x) {
                const CanvasPixel& expected =
                    colours[frame[(y / block) * layout.width + x / block]];
                mismatches += SamePixel(canvas[y * layout.shownWidth + x], expected) ? 0 : 1;
            }
        }
        EXPECT_EQ(mismatches, 0);
    }
}

TEST(ExpandFrameTest, FrameCornersLandInTheCanvasCorners) {
    const std::vector<CanvasPixel> colours = DistinctColours();
    std::vector<uint8_t> frame(FrameSize, 0);
    frame[0] = 1;              // top-left
    frame[FrameWidth - 1] = 2; // top-right
    frame[FrameWidth] = 3;     // first pixel of the second row
    frame[FrameSize - 1] = 4;  // bottom-right
    const FrameLayout layout = LayoutForScale(1);
    std::vector<CanvasPixel> canvas(CanvasPixelCount(layout));
    ExpandFrameToCanvas(frame.data(), layout, colours.data(), canvas.data());

    auto at = [&](int x, int y) { return canvas[y * layout.shownWidth + x]; };
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
    const CanvasPixel guard{1, 2, 3, 4};
    for (const int scale : {1, 2}) {
        const FrameLayout layout = LayoutForScale(scale);
        const std::vector<uint8_t> frame = PatternFrame(layout);
        const size_t count = CanvasPixelCount(layout);
        std::vector<CanvasPixel> canvas(count + 16, guard);
        ExpandFrameToCanvas(frame.data(), layout, colours.data(), canvas.data());
        for (size_t i = count; i < count + 16; ++i) {
            EXPECT_TRUE(SamePixel(canvas[i], guard)) << scale << ' ' << i;
        }
    }
}

} // namespace
