// stb writes no paletted PNG files, so the chunks are written here: the header, the palette,
// the one text chunk, the image data deflated by stb, and the end, each with its CRC-32.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include <cstdlib>
#include <cstring>

#include "capture/png_encode.h"

namespace {

constexpr uint8_t Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr int DeflateQuality = 8;

// The CRC-32 of PNG chunks (reflected polynomial 0xEDB88320), bit by bit: a few chunks per
// screenshot do not need a table.
uint32_t Crc32(const uint8_t* bytes, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return crc ^ 0xFFFFFFFFu;
}

void AppendBigEndian(std::vector<uint8_t>& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
}

// Length, type, data, and the CRC of type and data.
void AppendChunk(std::vector<uint8_t>& png, const char (&type)[5],
                 const std::vector<uint8_t>& data) {
    AppendBigEndian(png, static_cast<uint32_t>(data.size()));
    const size_t typeStart = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    AppendBigEndian(png, Crc32(png.data() + typeStart, png.size() - typeStart));
}

std::vector<uint8_t> HeaderData(int width, int height) {
    std::vector<uint8_t> data;
    AppendBigEndian(data, static_cast<uint32_t>(width));
    AppendBigEndian(data, static_cast<uint32_t>(height));
    // 8 bits per index, colour type 3 (palette), deflate, no filter method, no interlace.
    const uint8_t rest[] = {8, 3, 0, 0, 0};
    data.insert(data.end(), rest, rest + sizeof rest);
    return data;
}

std::vector<uint8_t> PaletteData(const RgbQuad* palette) {
    std::vector<uint8_t> data;
    for (int i = 0; i < PaletteSize; ++i) {
        data.insert(data.end(), {palette[i].red, palette[i].green, palette[i].blue});
    }
    return data;
}

std::vector<uint8_t> TextData(const PngText& text) {
    std::vector<uint8_t> data(text.keyword, text.keyword + std::strlen(text.keyword) + 1);
    data.insert(data.end(), text.text, text.text + std::strlen(text.text));
    return data;
}

// Every row behind a filter byte 0 (none), which suits palette indices, deflated.
bool ImageData(const uint8_t* indices, int width, int height, std::vector<uint8_t>& data) {
    std::vector<uint8_t> rows;
    rows.reserve(static_cast<size_t>(width + 1) * height);
    for (int y = 0; y < height; ++y) {
        rows.push_back(0);
        const uint8_t* row = indices + static_cast<size_t>(y) * width;
        rows.insert(rows.end(), row, row + width);
    }
    int size = 0;
    unsigned char* deflated =
        stbi_zlib_compress(rows.data(), static_cast<int>(rows.size()), &size, DeflateQuality);
    if (deflated == nullptr) {
        return false;
    }
    data.assign(deflated, deflated + size);
    std::free(deflated);
    return true;
}

} // namespace

bool EncodePalettedPng(const uint8_t* indices, int width, int height, const RgbQuad* palette,
                       const PngText& text, std::vector<uint8_t>& png) {
    png.assign(Signature, Signature + sizeof Signature);
    std::vector<uint8_t> image;
    if (!ImageData(indices, width, height, image)) {
        png.clear();
        return false;
    }
    AppendChunk(png, "IHDR", HeaderData(width, height));
    AppendChunk(png, "PLTE", PaletteData(palette));
    if (text.keyword != nullptr) {
        AppendChunk(png, "tEXt", TextData(text));
    }
    AppendChunk(png, "IDAT", image);
    AppendChunk(png, "IEND", {});
    return true;
}
