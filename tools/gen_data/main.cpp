// drav-gen-data OUTPUT-DIRECTORY: writes the seven model files, their seven textures and the
// contact sheet "textures.png". The output is the same, byte for byte, on every run.
#include <cstdio>
#include <string>
#include <vector>

#include "assets/model.h"
#include "gen_data/data_files.h"
#include "gen_data/materials.h"
#include "gen_data/models.h"
#include "gen_data/textures.h"

namespace {

// What each model slot gets, in the order of ModelSlots.
struct SlotContent {
    Mesh (*build)();
    Painter paint;
    // What the texture shows; its texels take only these materials' colours.
    std::vector<const Material*> materials;
};

const SlotContent Contents[ModelSlotCount] = {
    {BuildFloorTile, PaintFloorTile, {&FloorTiles, &Stone}},
    {BuildBrokenPillar, PaintBrokenPillar, {&Stone, &Moss, &FloorTiles}},
    {BuildColumn, PaintColumn, {&Stone, &FloorTiles}},
    {BuildTable, PaintTable, {&Wood, &FloorTiles, &Stone}},
    {BuildWallBlock, PaintWall, {&Stone}},
    {BuildCeilingTile, PaintCeiling, {&Wood, &Stone}},
    {BuildHeart, PaintHeart, {&Heart}},
};

bool WriteSlot(const std::string& directory, const ModelSlot& slot, const SlotContent& content,
               Texture& texture) {
    Image image = {};
    content.paint(image);
    Quantise(image, TextureColours(content.materials), texture);
    const std::string modelPath = directory + "/" + slot.modelFileName;
    const std::string texturePath = directory + "/" + slot.textureFileName;
    if (!WriteModelFile(modelPath, content.build())) {
        std::fprintf(stderr, "drav-gen-data: cannot write %s\n", modelPath.c_str());
        return false;
    }
    if (!WriteTextureFile(texturePath, texture)) {
        std::fprintf(stderr, "drav-gen-data: cannot write %s\n", texturePath.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: drav-gen-data OUTPUT-DIRECTORY\n");
        return 2;
    }
    const std::string directory = argv[1];
    static Texture textures[ModelSlotCount];
    for (int i = 0; i < ModelSlotCount; ++i) {
        if (!WriteSlot(directory, ModelSlots[i], Contents[i], textures[i])) {
            return 1;
        }
    }
    const std::string sheetPath = directory + "/textures.png";
    if (!WriteContactSheet(sheetPath, textures, ModelSlotCount)) {
        std::fprintf(stderr, "drav-gen-data: cannot write %s\n", sheetPath.c_str());
        return 1;
    }
    return 0;
}
