#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "capture/clip_recorder.h"
#include "capture/gif_clip.h"
#include "capture_test_support.h"

namespace {

constexpr int Width = 7;
constexpr int Height = 5;

using Frame = std::vector<uint8_t>;

FrameView View(const Frame& frame) {
    return FrameView{frame.data(), Width, Height, Width};
}

Frame Filled(uint8_t value) {
    return Frame(Width * Height, value);
}

// What a decoder shows after each frame: every stored rectangle laid over the picture before.
struct DecodedClip {
    int width = 0, height = 0;
    std::vector<Frame> pictures;
    std::vector<PixelRect> rects;
    std::vector<int> delays;
    std::vector<GifColorType> colours;
};

bool DecodeClip(const std::string& path, DecodedClip& clip) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (gif == nullptr || DGifSlurp(gif) != GIF_OK || gif->SColorMap == nullptr) {
        return false;
    }
    clip.width = gif->SWidth;
    clip.height = gif->SHeight;
    clip.colours.assign(gif->SColorMap->Colors,
                        gif->SColorMap->Colors + gif->SColorMap->ColorCount);
    Frame picture(static_cast<size_t>(clip.width) * clip.height, 0);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage& image = gif->SavedImages[i];
        const GifImageDesc& desc = image.ImageDesc;
        EXPECT_EQ(desc.ColorMap, nullptr) << "frame " << i << " has a colour table of its own";
        for (int y = 0; y < desc.Height; ++y) {
            for (int x = 0; x < desc.Width; ++x) {
                picture[(desc.Top + y) * clip.width + desc.Left + x] =
                    image.RasterBits[y * desc.Width + x];
            }
        }
        clip.pictures.push_back(picture);
        clip.rects.push_back(PixelRect{desc.Left, desc.Top, desc.Width, desc.Height});
        GraphicsControlBlock control;
        DGifSavedExtensionToGCB(gif, i, &control);
        EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
        clip.delays.push_back(control.DelayTime);
    }
    DGifCloseFile(gif, &error);
    return true;
}

void ExpectRect(const PixelRect& rect, int left, int top, int width, int height) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.width, width);
    EXPECT_EQ(rect.height, height);
}

TEST(ChangedRectangle, BoundsEveryDifferenceAndNothingMore) {
    const Frame before = Filled(9);
    ExpectRect(ChangedRectangle(before.data(), View(before)), 0, 0, 0, 0);

    Frame corner = before;
    corner[0] = 1;
    ExpectRect(ChangedRectangle(before.data(), View(corner)), 0, 0, 1, 1);

    Frame last = before;
    last[Width * Height - 1] = 1;
    ExpectRect(ChangedRectangle(before.data(), View(last)), Width - 1, Height - 1, 1, 1);

    // Two pixels on different rows: the rectangle spans both, whatever lies between is equal.
    Frame two = before;
    two[1 * Width + 5] = 2;
    two[3 * Width + 2] = 2;
    ExpectRect(ChangedRectangle(before.data(), View(two)), 2, 1, 4, 3);
}

TEST(GifClip, StoresChangedRectanglesThatRebuildEveryFrame) {
    const TempFolder folder;
    const std::string path = folder.path + "/clip.gif";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    RgbQuad palette[PaletteSize];
    for (int i = 0; i < PaletteSize; ++i) {
        palette[i] = RgbQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(i / 2),
                             static_cast<uint8_t>(255 - i), 0};
    }
    Frame frames[4] = {Filled(3), Filled(3), Filled(3), Filled(3)};
    frames[0][6] = 200;
    frames[1] = frames[0];
    frames[1][2 * Width + 3] = 77;
    frames[2] = frames[1]; // unchanged
    frames[3] = Filled(4);
    const uint64_t ticks[4] = {10, 12, 16, 17};
    GifClip clip;
    ASSERT_TRUE(OpenGifClip(clip, file, Width, Height, palette));
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(AddGifFrame(clip, View(frames[i]), ticks[i]));
    }
    ASSERT_TRUE(CloseGifClip(clip));
    ASSERT_EQ(std::fclose(file), 0);

    DecodedClip decoded;
    ASSERT_TRUE(DecodeClip(path, decoded));
    EXPECT_EQ(decoded.width, Width);
    EXPECT_EQ(decoded.height, Height);
    ASSERT_EQ(decoded.colours.size(), size_t{PaletteSize});
    EXPECT_EQ(decoded.colours[200].Red, 255 - 200);
    EXPECT_EQ(decoded.colours[200].Green, 100);
    EXPECT_EQ(decoded.colours[200].Blue, 200);
    ASSERT_EQ(decoded.pictures.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(decoded.pictures[i], frames[i]) << "frame " << i;
    }
    ExpectRect(decoded.rects[0], 0, 0, Width, Height);
    ExpectRect(decoded.rects[1], 3, 2, 1, 1);
    ExpectRect(decoded.rects[2], 0, 0, 1, 1);
    ExpectRect(decoded.rects[3], 0, 0, Width, Height);
    // 3/100 s per two ticks until the next frame; the last frame gets one period.
    EXPECT_EQ(decoded.delays, (std::vector<int>{3, 6, 2, 3}));
}

// Frame i is filled with i and shown from tick 2i, so a decoded picture names its frame.
TEST(ClipRecorder, WritesOrCountsEveryFrameAndKeepsTheClipInRealTime) {
    const TempFolder folder;
    RgbQuad palette[PaletteSize] = {};
    ClipRecorder recorder;
    ASSERT_TRUE(StartClipRecording(recorder, folder.path, Width, Height, palette));
    EXPECT_STREQ(recorder.file.name, "drav-0001.gif");
    constexpr int Offered = 200;
    for (int i = 0; i < Offered; ++i) {
        OfferClipFrame(recorder, View(Filled(static_cast<uint8_t>(i))), 2 * uint64_t(i));
    }
    StopClipRecording(recorder);
    JoinClipRecording(recorder);
    DecodedClip decoded;
    ASSERT_TRUE(DecodeClip(folder.path + "/drav-0001.gif", decoded));
    EXPECT_EQ(recorder.offered, uint32_t{Offered});
    EXPECT_EQ(decoded.pictures.size() + recorder.dropped, size_t{Offered});
    // The first frame finds the queue empty; a dropped frame lengthens the one before it.
    ASSERT_FALSE(decoded.pictures.empty());
    EXPECT_EQ(decoded.pictures[0], Filled(0));
    for (size_t i = 1; i < decoded.pictures.size(); ++i) {
        const int previous = decoded.pictures[i - 1][0];
        const int current = decoded.pictures[i][0];
        ASSERT_GT(current, previous);
        EXPECT_EQ(decoded.delays[i - 1], 3 * (current - previous));
        EXPECT_EQ(decoded.pictures[i], Filled(static_cast<uint8_t>(current)));
    }
}

} // namespace
