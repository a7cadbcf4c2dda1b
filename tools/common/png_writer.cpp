#include "common/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

namespace {

// Fills rgb with one source row of indices, enlarged horizontally, as RGB bytes.
void ExpandRow(uint8_t* rgb, const uint8_t* indices, int width, const RgbQuad* palette, int scale) {
    for (int x = 0; x < width; ++x) {
        const RgbQuad& colour = palette[indices[x]];
        for (int repeat = 0; repeat < scale; ++repeat) {
            *rgb++ = colour.red;
            *rgb++ = colour.green;
            *rgb++ = colour.blue;
        }
    }
}

// Holds no object with a destructor, because libpng reports errors with longjmp.
bool WriteRows(FILE* file, uint8_t* rowBuffer, const uint8_t* pixels, int width, int height,
               const RgbQuad* palette, int scale) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width * scale, height * scale, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        ExpandRow(rowBuffer, pixels + static_cast<size_t>(y) * width, width, palette, scale);
        for (int repeat = 0; repeat < scale; ++repeat) {
            png_write_row(png, rowBuffer);
        }
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool WritePalettedPng(const char* path, const uint8_t* pixels, int width, int height,
                      const RgbQuad* palette, int scale) {
    FILE* file = std::fopen(path, "wb");
    if (!file) {
        return false;
    }
    std::vector<uint8_t> rowBuffer(static_cast<size_t>(width) * scale * 3);
    const bool written = WriteRows(file, rowBuffer.data(), pixels, width, height, palette, scale);
    return std::fclose(file) == 0 && written;
}
