// drav-art-report DATA-DIRECTORY: how the generated textures survive the fog, per texture.
#include <cstdio>
#include <string>

#include "assets/model.h"
#include "gen_data/fog_survival.h"

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
    return 0;
}
