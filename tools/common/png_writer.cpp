#include "common/png_writer.h"

#include <cstdio>
#include <vector>

#include "app/capture/frame_png.h"

bool WritePalettedPng(const char* path, const uint8_t* pixels, int width, int height,
                      const RgbQuad* palette, int scale) {
    std::vector<uint8_t> png;
    if (!EncodeFramePng(FrameView{pixels, width, height, width}, palette, scale,
                        PngText{nullptr, nullptr}, png)) {
        return false;
    }
    FILE* file = std::fopen(path, "wb");
    if (!file) {
        return false;
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}
