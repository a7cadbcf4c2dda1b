#include "startup/load_warnings.h"

#include <cinttypes>
#include <cstdio>

namespace {

// "PROGRAM: warning: cannot open <kind> file <path>" for a file that cannot be opened,
// "PROGRAM: warning: <kind> file <path> is not a regular file" for one that was left closed;
// false for a regular file or one never asked for.
bool WarnIfNotOpened(const char* program, const char* kind, const char* path, DataFileKind found) {
    if (found == DataFileKind::CannotOpen) {
        std::fprintf(stderr, "%s: warning: cannot open %s file %s\n", program, kind, path);
        return true;
    }
    if (found == DataFileKind::NotRegular) {
        std::fprintf(stderr, "%s: warning: %s file %s is not a regular file\n", program, kind,
                     path);
        return true;
    }
    return false;
}

void WarnAboutModelFile(const char* program, const char* path, const Model* model,
                        const ModelLoadNotes& notes) {
    if (WarnIfNotOpened(program, "model", path, notes.modelFile.kind)) {
        return;
    }
    if (model == nullptr) {
        std::fprintf(stderr, "%s: warning: model file %s rejected\n", program, path);
    } else if (notes.declaredTriangles > model->triangleCount) {
        std::fprintf(stderr,
                     "%s: warning: model file %s declares %" PRId32 " triangles but holds %" PRId32
                     "; only those are drawn\n",
                     program, path, notes.declaredTriangles, model->triangleCount);
    }
}

void WarnAboutTextureFile(const char* program, const char* path, const DataFileFound& found) {
    if (WarnIfNotOpened(program, "texture", path, found.kind) ||
        found.kind != DataFileKind::Regular) {
        return;
    }
    if (found.size == 0) {
        std::fprintf(stderr, "%s: warning: texture file %s is empty\n", program, path);
    } else if (found.size < TextureBytes) {
        std::fprintf(stderr,
                     "%s: warning: texture file %s holds %" PRIu64
                     " bytes, fewer than the %d of a texture; the rest read as zero\n",
                     program, path, found.size, TextureBytes);
    }
}

} // namespace

void WarnAboutModelFiles(const char* program, const char* modelPath, const char* texturePath,
                         const Model* model, const ModelLoadNotes& notes) {
    WarnAboutModelFile(program, modelPath, model, notes);
    WarnAboutTextureFile(program, texturePath, notes.textureFile);
}
