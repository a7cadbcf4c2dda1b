#include "startup/startup.h"

#include <string>

#include "assets/model.h"
#include "render/render_state.h"
#include "scene/level.h"
#include "startup/load_warnings.h"

namespace {

// Loads one slot; a model file that is missing or rejected leaves it empty, a missing texture
// file leaves the model with the loader's stand-in texture. Each is named on stderr, as are
// files that load with gaps.
void LoadSlot(const ModelSlot& slot, const char* dataDirectory, const char* program) {
    const std::string modelPath = DataPath(dataDirectory, slot.modelFileName);
    const std::string texturePath = DataPath(dataDirectory, slot.textureFileName);
    ModelLoadNotes notes;
    *slot.slot = LoadModel(modelPath.c_str(), texturePath.c_str(), &notes);
    WarnAboutModelFiles(program, modelPath.c_str(), texturePath.c_str(), *slot.slot, notes);
}

} // namespace

std::string DataPath(const char* dataDirectory, const char* fileName) {
    if (dataDirectory == nullptr) {
        return fileName;
    }
    return std::string(dataDirectory) + '/' + fileName;
}

int LoadModelSet(const char* dataDirectory, const char* program) {
    int loaded = 0;
    for (const ModelSlot& slot : ModelSlots) {
        LoadSlot(slot, dataDirectory, program);
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

Scene* BuildWorld() {
    Scene* scene = BuildLevel();
    FillProjectionMatrix();
    return scene;
}
