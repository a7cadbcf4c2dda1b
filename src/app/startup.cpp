#include "app/startup.h"

#include <string>

#include "app/load_warnings.h"
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

// Loads one slot; a model file that is missing or rejected leaves it empty, a missing texture
// file leaves the model with the loader's stand-in texture. Each is named on stderr, as are
// files that load with gaps.
void LoadSlot(const ModelSlot& slot, const char* dataDirectory) {
    const std::string modelPath = DataPath(dataDirectory, slot.modelFileName);
    const std::string texturePath = DataPath(dataDirectory, slot.textureFileName);
    ModelLoadNotes notes;
    *slot.slot = LoadModel(modelPath.c_str(), texturePath.c_str(), &notes);
    WarnAboutModelFiles(modelPath.c_str(), texturePath.c_str(), *slot.slot, notes);
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

void FreeModelSet() {
    for (const ModelSlot& slot : ModelSlots) {
        FreeModel(*slot.slot);
        *slot.slot = nullptr;
    }
}

void FillProjectionMatrix() {
    SetPerspective(ProjectionMatrix, 0.87266463f, 640.0f / 480.0f, 0.25f, 15.0f);
}
