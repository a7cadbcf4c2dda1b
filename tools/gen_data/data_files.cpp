#include "gen_data/data_files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "assets/data_file.h"
#include "capture/png_writer.h"
#include "render/palette.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "model files are little-endian");

namespace {

constexpr int SheetGap = 4;
constexpr int SheetScale = 4;
constexpr uint8_t SheetBackground = 215 + 12; // a dark grey from the ramp

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    return WriteFileBytes(path.c_str(), bytes.data(), bytes.size());
}

void Append(std::vector<uint8_t>& bytes, const void* data, size_t size) {
    const uint8_t* first = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), first, first + size);
}

} // namespace

bool WriteModelFile(const std::string& path, const Mesh& mesh) {
    const int32_t version = 0;
    const int32_t count = static_cast<int32_t>(mesh.size());
    std::vector<uint8_t> bytes;
    Append(bytes, "HGM!", 4);
    Append(bytes, &version, sizeof version);
    Append(bytes, &count, sizeof count);
    Append(bytes, mesh.data(), mesh.size() * sizeof(ModelTriangle));
    return WriteBytes(path, bytes);
}

bool WriteTextureFile(const std::string& path, const Texture& texture) {
    return WriteBytes(path, std::vector<uint8_t>(texture.texels, texture.texels + TextureBytes));
}

bool WriteContactSheet(const std::string& path, const Texture* textures, int count) {
    const int width = count * (TextureSide + SheetGap) + SheetGap;
    const int height = TextureSide + 2 * SheetGap;
    std::vector<uint8_t> sheet(static_cast<size_t>(width) * height, SheetBackground);
    for (int i = 0; i < count; ++i) {
        const int left = SheetGap + i * (TextureSide + SheetGap);
        for (int y = 0; y < TextureSide; ++y) {
            const uint8_t* row = textures[i].texels + y * TextureSide;
            std::copy(row, row + TextureSide, sheet.begin() + (SheetGap + y) * width + left);
        }
    }
    RgbQuad palette[PaletteSize] = {};
    BuildPalette(palette);
    return WritePalettedPng(path.c_str(), sheet.data(), width, height, palette, SheetScale);
}
