// stb writes PNG files without text chunks, so the one text chunk is spliced in by hand right
// after the header chunk, with its CRC-32 computed here.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>

#include <cstring>

#include "capture/png_encode.h"

namespace {

// Signature (8 bytes) and the header chunk (length, type, 13 bytes of data, CRC).
constexpr size_t HeaderEnd = 8 + 4 + 4 + 13 + 4;

void AppendToVector(void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(context);
    const auto* first = static_cast<const uint8_t*>(data);
    bytes->insert(bytes->end(), first, first + size);
}

// The CRC-32 of PNG chunks (reflected polynomial 0xEDB88320), bit by bit: one short chunk per
// file does not need a table.
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

// Length, type "tEXt", keyword, a zero byte, the text, and the CRC of type and data.
std::vector<uint8_t> TextChunk(const PngText& text) {
    const size_t keywordLength = std::strlen(text.keyword);
    const size_t textLength = std::strlen(text.text);
    std::vector<uint8_t> chunk;
    AppendBigEndian(chunk, static_cast<uint32_t>(keywordLength + 1 + textLength));
    const uint8_t type[] = {'t', 'E', 'X', 't'};
    chunk.insert(chunk.end(), type, type + 4);
    chunk.insert(chunk.end(), text.keyword, text.keyword + keywordLength + 1);
    chunk.insert(chunk.end(), text.text, text.text + textLength);
    AppendBigEndian(chunk, Crc32(chunk.data() + 4, chunk.size() - 4));
    return chunk;
}

} // namespace

bool EncodeRgbPng(const uint8_t* rgb, int width, int height, const PngText& text,
                  std::vector<uint8_t>& png) {
    png.clear();
    if (stbi_write_png_to_func(AppendToVector, &png, width, height, 3, rgb, width * 3) == 0 ||
        png.size() < HeaderEnd) {
        return false;
    }
    if (text.keyword != nullptr) {
        const std::vector<uint8_t> chunk = TextChunk(text);
        png.insert(png.begin() + HeaderEnd, chunk.begin(), chunk.end());
    }
    return true;
}
