#include "startup/load_warnings.h"

#include <cinttypes>
#include <cstdio>

namespace {

// "drav: warning: cannot open <kind> file <path>" for a file that cannot be opened,
// "drav: warning: <kind> file <path> is not a regular file" for one that was left closed; false
// for a regular file or one never asked for.
bool WarnIfNotOpened(const char* kind, const char* path, DataFileKind found) {
    if (found == DataFileKind::CannotOpen) {
        std::fprintf(stderr, "drav: warning: cannot open %s file %s\n", kind, path);
        return true;
    }
    if (found == DataFileKind::NotRegular) {
        std::fprintf(stderr, "drav: warning: %s file %s is not a regular file\n", kind, path);
        return true;
    }
    return false;
}

void WarnAboutModelFile(const char* path, const Model* model, const ModelLoadNotes& notes) {
    if (WarnIfNotOpened("model", path, notes.modelFile.kind)) {
        return;
    }
    if (model == nullptr) {
        std::fprintf(stderr, "drav: warning: model file %s rejected\n", path);
    } else if (notes.declaredTriangles > model->triangleCount) {
        std::fprintf(stderr,
                     "drav: warning: model file %s declares %" PRId32
                     " triangles but holds %" PRId32 "; only those are drawn\n",
                     path, notes.declaredTriangles, model->triangleCount);
    }
}

void WarnAboutTextureFile(const char* path, const DataFileFound& found) {
    if (WarnIfNotOpened("texture", path, found.kind) || found.kind != DataFileKind::Regular) {
        return;
    }
    if (found.size == 0) {
        std::fprintf(stderr, "drav: warning: texture file %s is empty\n", path);
    } else if (found.size < TextureBytes) {
        std::fprintf(stderr,
                     "drav: warning: texture file %s holds %" PRIu64
                     " bytes, fewer than the %d of a texture; the rest read as zero\n",
                     path, found.size, TextureBytes);
    }
}

} // namespace

void WarnAboutModelFiles(const char* modelPath, const char* texturePath, const Model* model,
                         const ModelLoadNotes& notes) {
    WarnAboutModelFile(modelPath, model, notes);
    WarnAboutTextureFile(texturePath, notes.textureFile);
}
