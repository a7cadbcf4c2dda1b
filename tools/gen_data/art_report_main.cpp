// drav-art-report DATA-DIRECTORY: how the generated textures survive the fog, per texture,
// and how many pixels each model's triangle order gets wrong over the walk's views.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "assets/model.h"
#include "gen_data/fog_survival.h"
#include "gen_data/paint_order.h"

namespace {

// The whole 4096 texels, or false.
bool ReadTexture(const std::string& path, Texture& texture) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    const size_t read = std::fread(texture.texels, 1, TextureBytes, file);
    std::fclose(file);
    return read == TextureBytes;
}

// The triangles of a model file, or false when it is not one.
bool ReadMesh(const std::string& path, Mesh& mesh) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        return false;
    }
    char magic[4] = {};
    int32_t header[2] = {};
    bool read = std::fread(magic, 1, 4, file) == 4 && std::fread(header, 4, 2, file) == 2 &&
                std::memcmp(magic, "HGM!", 4) == 0 && header[0] == 0 && header[1] >= 0 &&
                header[1] <= MaxModelTriangles;
    if (read) {
        mesh.resize(static_cast<size_t>(header[1]));
        read = std::fread(mesh.data(), sizeof(ModelTriangle), mesh.size(), file) == mesh.size();
    }
    std::fclose(file);
    return read;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: drav-art-report DATA-DIRECTORY\n");
        return 2;
    }
    const std::string directory = argv[1];
    std::printf("%-10s %8s %8s %7s\n", "texture", "mean dE", "worst dE", "drift");
    for (const ModelSlot& slot : ModelSlots) {
        const std::string path = directory + "/" + slot.textureFileName;
        Texture texture;
        if (!ReadTexture(path, texture)) {
            std::fprintf(stderr, "drav-art-report: cannot read %s\n", path.c_str());
            return 1;
        }
        const FogSurvival figures = MeasureTexture(texture);
        std::printf("%-10s %8.2f %8.2f %6.1f%%\n", slot.textureFileName, figures.meanDeltaE,
                    figures.worstDeltaE, 100 * figures.driftShare);
    }
    std::printf("\n%-10s %9s %12s\n", "model", "triangles", "wrong pixels");
    for (const ModelSlot& slot : ModelSlots) {
        const std::string path = directory + "/" + slot.modelFileName;
        Mesh mesh;
        if (!ReadMesh(path, mesh)) {
            std::fprintf(stderr, "drav-art-report: cannot read %s\n", path.c_str());
            return 1;
        }
        std::printf("%-10s %9zu %12ld\n", slot.modelFileName, mesh.size(), WrongPixels(mesh));
    }
    return 0;
}
