#include <png.h>

#include <csetjmp>

#include "capture/png_encode.h"

namespace {

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + length);
}

void FlushNothing(png_structp) {}

// Holds no object with a destructor, because libpng reports errors with longjmp.
bool WriteImage(png_structp png, png_infop info, const uint8_t* indices, int width, int height,
                const png_color* colours, const PngText& text, std::vector<uint8_t>* out) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, out, AppendToVector, FlushNothing);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, colours, PaletteSize);
    png_text chunk = {};
    if (text.keyword != nullptr) {
        chunk.compression = PNG_TEXT_COMPRESSION_NONE;
        chunk.key = const_cast<char*>(text.keyword);
        chunk.text = const_cast<char*>(text.text);
        png_set_text(png, info, &chunk, 1);
    }
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        png_write_row(png, indices + static_cast<size_t>(y) * width);
    }
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool EncodePalettedPng(const uint8_t* indices, int width, int height, const RgbQuad* palette,
                       const PngText& text, std::vector<uint8_t>& png) {
    png.clear();
    png_color colours[PaletteSize];
    for (int i = 0; i < PaletteSize; ++i) {
        colours[i] = png_color{palette[i].red, palette[i].green, palette[i].blue};
    }
    png_structp writer = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = writer ? png_create_info_struct(writer) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&writer, nullptr);
        return false;
    }
    const bool written = WriteImage(writer, info, indices, width, height, colours, text, &png);
    png_destroy_write_struct(&writer, &info);
    return written;
}
