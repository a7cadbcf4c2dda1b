// Built twice: against the libpng encoder and against the stb build's hand-made chunks. Either
// way libpng must read back a paletted picture with the pixels and the text, CRCs checked.
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "capture/frame_png.h"

namespace {

struct DecodedPng {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;
    std::vector<std::pair<std::string, std::string>> texts;
};

struct ReadCursor {
    const std::vector<uint8_t>* bytes;
    size_t offset;
};

void ReadFromVector(png_structp png, png_bytep data, png_size_t length) {
    auto* cursor = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (cursor->offset + length > cursor->bytes->size()) {
        png_error(png, "read past the end");
    }
    std::memcpy(data, cursor->bytes->data() + cursor->offset, length);
    cursor->offset += length;
}

// Reads an 8-bit paletted PNG, expanded to RGB; a CRC error in any chunk, ancillary ones
// included, fails the read.
bool DecodePng(const std::vector<uint8_t>& bytes, DecodedPng& decoded) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    ReadCursor cursor{&bytes, 0};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_set_read_fn(png, &cursor, ReadFromVector);
    png_read_info(png, info);
    decoded.width = png_get_image_width(png, info);
    decoded.height = png_get_image_height(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE ||
        png_get_bit_depth(png, info) != 8) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_palette_to_rgb(png);
    png_read_update_info(png, info);
    decoded.rgb.resize(size_t{decoded.width} * decoded.height * 3);
    for (uint32_t y = 0; y < decoded.height; ++y) {
        png_read_row(png, decoded.rgb.data() + size_t{y} * decoded.width * 3, nullptr);
    }
    png_read_end(png, info);
    png_textp texts = nullptr;
    const int count = png_get_text(png, info, &texts, nullptr);
    for (int i = 0; i < count; ++i) {
        decoded.texts.emplace_back(texts[i].key, texts[i].text);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

// A 5x3 frame inside rows of 8 bytes; the padding must not leak into the picture.
struct TestFrame {
    uint8_t pixels[3 * 8];
    RgbQuad palette[PaletteSize];
    FrameView view() const { return FrameView{pixels, 5, 3, 8}; }
};

TestFrame MakeTestFrame() {
    TestFrame frame{};
    for (int i = 0; i < 3 * 8; ++i) {
        frame.pixels[i] = static_cast<uint8_t>(i % 8 < 5 ? i * 7 : 255);
    }
    for (int i = 0; i < PaletteSize; ++i) {
        frame.palette[i] = RgbQuad{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                   static_cast<uint8_t>(i * 3), 0};
    }
    return frame;
}

void ExpectPixel(const DecodedPng& png, uint32_t x, uint32_t y, const RgbQuad& colour) {
    const uint8_t* pixel = png.rgb.data() + (size_t{y} * png.width + x) * 3;
    EXPECT_EQ(pixel[0], colour.red) << x << "," << y;
    EXPECT_EQ(pixel[1], colour.green) << x << "," << y;
    EXPECT_EQ(pixel[2], colour.blue) << x << "," << y;
}

// Each pixel is read at the frame's pitch, coloured through the palette and repeated
// scale x scale times.
TEST(FramePng, PixelsGoThroughThePaletteAtThePitchAndScale) {
    const TestFrame frame = MakeTestFrame();
    for (uint32_t scale : {1u, 3u}) {
        std::vector<uint8_t> bytes;
        ASSERT_TRUE(EncodeFramePng(frame.view(), frame.palette, static_cast<int>(scale),
                                   PngText{nullptr, nullptr}, bytes));
        DecodedPng png;
        ASSERT_TRUE(DecodePng(bytes, png));
        ASSERT_EQ(png.width, 5 * scale);
        ASSERT_EQ(png.height, 3 * scale);
        for (uint32_t y = 0; y < png.height; ++y) {
            for (uint32_t x = 0; x < png.width; ++x) {
                ExpectPixel(png, x, y, frame.palette[frame.pixels[(y / scale) * 8 + x / scale]]);
            }
        }
        EXPECT_TRUE(png.texts.empty());
    }
}

TEST(FramePng, CarriesTheTextChunkWithAValidCrc) {
    const TestFrame frame = MakeTestFrame();
    std::vector<uint8_t> bytes;
    const char text[] = "--ticks 178 --camera 18,2,1,-0.0125";
    ASSERT_TRUE(EncodeFramePng(frame.view(), frame.palette, 1, PngText{"drav-view", text}, bytes));
    DecodedPng png;
    ASSERT_TRUE(DecodePng(bytes, png));
    ASSERT_EQ(png.texts.size(), 1u);
    EXPECT_EQ(png.texts[0].first, "drav-view");
    EXPECT_EQ(png.texts[0].second, text);
    ExpectPixel(png, 4, 2, frame.palette[frame.pixels[2 * 8 + 4]]);
}

} // namespace
