#include "assets/model.h"

#include "assets/shared_positions.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The in-memory records are the file bytes unchanged, which is only right on a little-endian
// host with IEEE single-precision floats.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "model files are little-endian");
static_assert(sizeof(float) == 4, "model files hold 32-bit floats");

Model* PlaneModel;
Model* BrokenModel;
Model* ColumnModel;
Model* TableModel;
Model* CubeModel;
Model* CeilModel;
Model* HeartModel;

const ModelSlot ModelSlots[ModelSlotCount] = {
    {&PlaneModel, "plane.hgm", "tex1.raw"},   {&BrokenModel, "broken.hgm", "tex4.raw"},
    {&ColumnModel, "column.hgm", "tex2.raw"}, {&TableModel, "table.hgm", "tex3.raw"},
    {&CubeModel, "cube.hgm", "tex5.raw"},     {&CeilModel, "ceil.hgm", "tex6.raw"},
    {&HeartModel, "heart.hgm", "heart.raw"},
};

namespace {

constexpr int32_t NoModel = -1;

uint32_t ModelMagic() {
    uint32_t magic;
    std::memcpy(&magic, "HGM!", sizeof magic);
    return magic;
}

// Reads one little-endian 32-bit header field; false when the file ends first.
bool ReadHeaderField(std::FILE* file, void* field) {
    return std::fread(field, 4, 1, file) == 1;
}

// Reads the three header fields one by one; returns the triangle count, or NoModel when the
// header is incomplete or names a file this loader does not accept.
int32_t ReadTriangleCount(std::FILE* file) {
    uint32_t magic = 0;
    int32_t version = 0;
    int32_t count = 0;
    if (!ReadHeaderField(file, &magic) || magic != ModelMagic()) {
        return NoModel;
    }
    if (!ReadHeaderField(file, &version) || version != 0) {
        return NoModel;
    }
    if (!ReadHeaderField(file, &count) || count < 0 || count > MaxModelTriangles) {
        return NoModel;
    }
    return count;
}

// The triangles that a file of fileSize bytes holds after its 12-byte header, a partly
// supplied last one included.
int64_t TrianglesPresent(uint64_t fileSize) {
    constexpr uint64_t HeaderBytes = 12;
    const uint64_t body = fileSize > HeaderBytes ? fileSize - HeaderBytes : 0;
    return static_cast<int64_t>((body + sizeof(ModelTriangle) - 1) / sizeof(ModelTriangle));
}

// A zero-filled model with room for count triangles, or null when memory runs out. The array
// always has at least one record so that an empty model still has a valid pointer.
Model* AllocateModel(int32_t count) {
    Model* model = static_cast<Model*>(std::calloc(1, sizeof(Model)));
    if (!model) {
        return nullptr;
    }
    const size_t records = count > 0 ? static_cast<size_t>(count) : 1;
    model->triangles = static_cast<ModelTriangle*>(std::calloc(records, sizeof(ModelTriangle)));
    if (!model->triangles) {
        std::free(model);
        return nullptr;
    }
    model->triangleCount = count;
    return model;
}

// Reads the header and, with one read, the triangles the file holds; then closes the file.
Model* ReadModelFile(const char* fileName, ModelLoadNotes& notes) {
    const OpenedDataFile file = OpenDataFile(fileName);
    notes.modelFile = file.found;
    if (!file.stream) {
        return nullptr;
    }
    const int32_t declared = ReadTriangleCount(file.stream);
    Model* model = nullptr;
    if (declared != NoModel) {
        notes.declaredTriangles = declared;
        const auto count =
            static_cast<int32_t>(std::min<int64_t>(declared, TrianglesPresent(file.found.size)));
        model = AllocateModel(count);
    }
    if (model) {
        // A file that shrank since its size was taken leaves the rest of the block zero.
        std::fread(model->triangles, 1,
                   static_cast<size_t>(model->triangleCount) * sizeof(ModelTriangle), file.stream);
    }
    std::fclose(file.stream);
    return model;
}

} // namespace

Texture* LoadTexture(const char* fileName, DataFileFound* found) {
    Texture* texture = static_cast<Texture*>(std::calloc(1, sizeof(Texture)));
    if (!texture) {
        return nullptr;
    }
    const OpenedDataFile file = OpenDataFile(fileName);
    if (found) {
        *found = file.found;
    }
    if (file.stream) {
        std::fread(texture->texels, 1, sizeof texture->texels, file.stream);
        std::fclose(file.stream);
    }
    return texture;
}

Model* LoadModel(const char* modelFileName, const char* textureFileName, ModelLoadNotes* notes) {
    ModelLoadNotes found = {};
    Model* model = ReadModelFile(modelFileName, found);
    if (model) {
        model->texture = LoadTexture(textureFileName, &found.textureFile);
        if (model->texture) {
            // Without memory for it the model is still drawn, triangle by triangle.
            model->shared = FindSharedPositions(model->triangles, model->triangleCount);
        } else {
            FreeModel(model);
            model = nullptr;
        }
    }
    if (notes) {
        *notes = found;
    }
    return model;
}

void FreeModel(Model* model) {
    if (!model) {
        return;
    }
    FreeSharedPositions(model->shared);
    std::free(model->texture);
    std::free(model->triangles);
    std::free(model);
}
