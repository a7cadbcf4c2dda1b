#include "capture/png_writer.h"

#include <vector>

#include "assets/data_file.h"
#include "capture/frame_png.h"

bool WritePalettedPng(const char* path, const uint8_t* pixels, int width, int height,
                      const RgbQuad* palette, int scale, std::string* error) {
    std::vector<uint8_t> png;
    if (!EncodeFramePng(FrameView{pixels, width, height, width}, palette, scale,
                        PngText{nullptr, nullptr}, png)) {
        if (error != nullptr) {
            *error = std::string("cannot encode ") + path;
        }
        return false;
    }
    return WriteFileBytes(path, png.data(), png.size(), error);
}
