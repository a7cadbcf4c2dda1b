#include "app/startup.h"

#include <cstdio>
#include <fstream>
#include <string>

#include "assets/model.h"
#include "render/palette.h"
#include "render/render_state.h"

namespace {

std::string DataPath(const char* dataDirectory, const char* fileName) {
    if (dataDirectory == nullptr) {
        return fileName;
    }
    return std::string(dataDirectory) + '/' + fileName;
}

bool FileOpens(const std::string& path) {
    return std::ifstream(path, std::ios::binary).is_open();
}

// Loads one slot; a missing model file leaves it empty, a missing texture file leaves the
// model with the loader's stand-in texture. Each is named on stderr.
void LoadSlot(const ModelSlot& slot, const char* dataDirectory) {
    const std::string modelPath = DataPath(dataDirectory, slot.modelFileName);
    const std::string texturePath = DataPath(dataDirectory, slot.textureFileName);
    *slot.slot = nullptr;
    if (!FileOpens(modelPath)) {
        std::fprintf(stderr, "drav: warning: cannot open model file %s\n", modelPath.c_str());
        return;
    }
    *slot.slot = LoadModel(modelPath.c_str(), texturePath.c_str());
    if (*slot.slot == nullptr) {
        std::fprintf(stderr, "drav: warning: model file %s rejected\n", modelPath.c_str());
    } else if (!FileOpens(texturePath)) {
        std::fprintf(stderr, "drav: warning: cannot open texture file %s\n", texturePath.c_str());
    }
}

} // namespace

void BuildColourTables() {
    BuildPalette(Palette);
    BuildFogTable(Palette);
}

int LoadModelSet(const char* dataDirectory) {
    int loaded = 0;
    for (const ModelSlot& slot : ModelSlots) {
        LoadSlot(slot, dataDirectory);
        loaded += *slot.slot != nullptr ? 1 : 0;
    }
    return loaded;
}

void FillProjectionMatrix() {
    SetPerspective(ProjectionMatrix, 0.87266463f, 640.0f / 480.0f, 0.25f, 15.0f);
}
