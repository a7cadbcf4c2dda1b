// Triangle models and 64x64 textures as read from the data files, and the seven model slots.
#pragma once

#include <cstdint>

#include "assets/data_file.h"

// One vertex exactly as stored in a model file (32 bytes, little-endian floats).
struct ModelVertex {
    float x, y, z;
    float unused[3]; // stored with the vertex, never read
    float u, v;      // texture coordinates, 0..1 across the 64 texels
};

// Three vertices; their order decides which side of the triangle faces the viewer.
struct ModelTriangle {
    ModelVertex vertices[3];
};

static_assert(sizeof(ModelVertex) == 32, "ModelVertex must match the file record");
static_assert(sizeof(ModelTriangle) == 96, "ModelTriangle must match the file record");

constexpr int TextureSide = 64;
constexpr int TextureBytes = TextureSide * TextureSide;

// 64 rows of 64 palette indices; texel (u, v) is texels[v * 64 + u].
struct Texture {
    uint8_t texels[TextureBytes];
};

struct SharedPositions; // assets/shared_positions.h

struct Model {
    ModelTriangle* triangles;
    int32_t triangleCount;
    Texture* texture;
    // The distinct positions of the triangles' corners, found by LoadModel, which lets the
    // renderer transform each once per draw. Null for models made any other way (they are
    // drawn triangle by triangle, with the same result). Derived from the triangles as loaded:
    // whoever changes those afterwards must free it and set it to null.
    SharedPositions* shared = nullptr;
};

// The largest triangle count a file may declare: the whole file, header included, then still
// fits in 2^31 - 1 bytes. Larger counts are rejected before anything is allocated.
constexpr int32_t MaxModelTriangles =
    (INT32_MAX - 11) / static_cast<int32_t>(sizeof(ModelTriangle));

// What LoadModel found in a model's two files besides what the model holds, for warnings.
struct ModelLoadNotes {
    DataFileFound modelFile;
    // The header's triangle count, once the header is accepted; above the model's
    // triangleCount when the file ends before its triangles do.
    int32_t declaredTriangles;
    DataFileFound textureFile; // NotTried when the model file was rejected
};

// Loads a model file and then its texture; returns null when the model file cannot be opened,
// is not a regular file, has a wrong magic, version or triangle count, or memory runs out.
// The model holds the triangles the file holds, a partly supplied last one included with its
// missing bytes zero; a header that declares more gives no more (a triangle of zeros has its
// three corners in one point and draws nothing), so memory and work stay within the file's
// size. The texture file is opened only after the model file is accepted and closed; a
// texture file that cannot be opened or is not a regular file leaves the texture all zero.
// Fills notes when it is not null.
Model* LoadModel(const char* modelFileName, const char* textureFileName,
                 ModelLoadNotes* notes = nullptr);
// Reads up to 4096 bytes of a texture file; bytes the file does not supply are zero, as are
// all of them when the file cannot be opened or is not a regular file. Fills found when it is
// not null. Returns null only when memory runs out.
Texture* LoadTexture(const char* fileName, DataFileFound* found = nullptr);
// Frees a model with its triangles, texture and shared positions; null is ignored. The program
// itself keeps its models for its whole run; tools and tests release theirs.
void FreeModel(Model* model);

extern Model* PlaneModel;
extern Model* BrokenModel;
extern Model* ColumnModel;
extern Model* TableModel;
extern Model* CubeModel;
extern Model* CeilModel;
extern Model* HeartModel;

// One model slot with the two files it is loaded from, in loading order.
struct ModelSlot {
    Model** slot;
    const char* modelFileName;
    const char* textureFileName;
};
constexpr int ModelSlotCount = 7;
extern const ModelSlot ModelSlots[ModelSlotCount];
