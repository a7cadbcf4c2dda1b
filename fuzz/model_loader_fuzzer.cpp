// The model loader on any model file with any texture file. The loader's verdict, triangles,
// texture, notes and shared positions are checked against a decoding of the bytes done here.
// Input: the texture's length (16 bits, modulo 8193), the texture's bytes, the model file's.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "assets/data_file.h"
#include "assets/model.h"
#include "assets/shared_positions.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A directory of this process's own for the two files.
const std::string& ScratchDirectory() {
    static const std::string directory = [] {
        char pattern[] = "/tmp/drav-fuzz-XXXXXX";
        FUZZ_CHECK(mkdtemp(pattern) != nullptr);
        return std::string(pattern);
    }();
    return directory;
}

std::string WriteFile(const char* name, const Bytes& bytes) {
    const std::string path = ScratchDirectory() + "/" + name;
    FUZZ_CHECK(WriteFileBytes(path.c_str(), bytes.data(), bytes.size()));
    return path;
}

// What a model file holds, read from its bytes: accepted or not, the declared count and the
// number of triangle records the bytes reach into.
struct Decoded {
    bool accepted;
    int32_t declared;
    int64_t present;
};

Decoded Decode(const Bytes& file) {
    if (file.size() < 12 || std::memcmp(file.data(), "HGM!", 4) != 0) {
        return {false, 0, 0};
    }
    int32_t version, count;
    std::memcpy(&version, file.data() + 4, 4);
    std::memcpy(&count, file.data() + 8, 4);
    const bool accepted = version == 0 && count >= 0 && int64_t{count} * 96 + 12 <= INT32_MAX;
    return {accepted, count, static_cast<int64_t>((file.size() - 12 + 95) / 96)};
}

bool AllZero(const uint8_t* bytes, size_t size) {
    return std::all_of(bytes, bytes + size, [](uint8_t byte) { return byte == 0; });
}

// Every corner's shared position is its own position, bit for bit, and no position is listed
// twice.
void CheckSharedPositions(const Model& model) {
    const SharedPositions& shared = *model.shared;
    FUZZ_CHECK(shared.count > 0 && shared.count <= 3 * model.triangleCount);
    for (int32_t corner = 0; corner < 3 * model.triangleCount; ++corner) {
        const int32_t index = shared.corners[corner];
        FUZZ_CHECK(index >= 0 && index < shared.count);
        const ModelVertex& vertex = model.triangles[corner / 3].vertices[corner % 3];
        FUZZ_CHECK(std::memcmp(&shared.positions[index], &vertex.x, sizeof(ModelPosition)) == 0);
    }
    for (int32_t i = 1; i < shared.count; ++i) {
        for (int32_t j = 0; j < i; ++j) {
            FUZZ_CHECK(std::memcmp(&shared.positions[i], &shared.positions[j],
                                   sizeof(ModelPosition)) != 0);
        }
    }
}

void CheckLoaded(const Model& model, const ModelLoadNotes& notes, const Bytes& file,
                 const Bytes& texture, const Decoded& decoded) {
    FUZZ_CHECK(notes.declaredTriangles == decoded.declared);
    FUZZ_CHECK(model.triangleCount == std::min<int64_t>(decoded.declared, decoded.present));
    const size_t block = static_cast<size_t>(model.triangleCount) * sizeof(ModelTriangle);
    const size_t supplied = std::min(block, file.size() - 12);
    const auto* triangles = reinterpret_cast<const uint8_t*>(model.triangles);
    FUZZ_CHECK(std::equal(file.begin() + 12, file.begin() + 12 + supplied, triangles));
    FUZZ_CHECK(AllZero(triangles + supplied, block - supplied));

    FUZZ_CHECK(notes.textureFile.kind == DataFileKind::Regular);
    FUZZ_CHECK(notes.textureFile.size == texture.size());
    const size_t texels = std::min<size_t>(texture.size(), TextureBytes);
    FUZZ_CHECK(std::equal(texture.begin(), texture.begin() + texels, model.texture->texels));
    FUZZ_CHECK(AllZero(model.texture->texels + texels, TextureBytes - texels));

    FUZZ_CHECK((model.shared != nullptr) ==
               (model.triangleCount > 0 && model.triangleCount <= MaxSharingTriangles));
    if (model.shared != nullptr) {
        CheckSharedPositions(model);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input{data, size};
    const Bytes texture = TakeBytes(input, Take<uint16_t>(input) % (2 * TextureBytes + 1));
    const Bytes file = TakeBytes(input, input.size);
    const std::string texturePath = WriteFile("texture.raw", texture);
    const std::string modelPath = WriteFile("model.hgm", file);

    ModelLoadNotes notes{};
    Model* model = LoadModel(modelPath.c_str(), texturePath.c_str(), &notes);
    const Decoded decoded = Decode(file);
    FUZZ_CHECK(notes.modelFile.kind == DataFileKind::Regular);
    FUZZ_CHECK(notes.modelFile.size == file.size());
    FUZZ_CHECK((model != nullptr) == decoded.accepted);
    if (model != nullptr) {
        CheckLoaded(*model, notes, file, texture, decoded);
    } else {
        FUZZ_CHECK(notes.textureFile.kind == DataFileKind::NotTried);
    }
    FreeModel(model);
    return 0;
}
