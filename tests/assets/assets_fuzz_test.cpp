// Randomised model files: whatever the bytes, the loader neither crashes nor reads or writes
// out of bounds (the sanitizer build checks that), and what it returns is what the bytes
// say: no model for a file it must reject, otherwise the triangles the file holds, the last
// one completed with zeros.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "assets/model.h"
#include "support/assets_test_files.h"

namespace {

constexpr int Iterations = 3000;

struct Header {
    bool accepted;
    int32_t count;
};

// The verdict on a file, worked out from its bytes independently of the loader.
Header Decode(const Bytes& file) {
    if (file.size() < 12 || std::memcmp(file.data(), "HGM!", 4) != 0) {
        return {false, 0};
    }
    int32_t version, count;
    std::memcpy(&version, file.data() + 4, 4);
    std::memcpy(&count, file.data() + 8, 4);
    const bool accepted = version == 0 && count >= 0 && count <= MaxModelTriangles;
    // Triangles the file holds, a partly supplied last one included.
    const auto present = static_cast<int64_t>((file.size() - 12 + 95) / 96);
    return {accepted, static_cast<int32_t>(std::min<int64_t>(count, present))};
}

class RandomFiles {
  public:
    explicit RandomFiles(uint32_t seed) : random(seed) {}

    Bytes Next() {
        switch (Below(6)) {
        case 0:
            return RandomBytes(Below(300));
        case 1:
            return ModelFile("HGM!", 0, static_cast<int32_t>(Below(5)), RandomBytes(Below(500)));
        case 2:
            return FlipBytes(ModelFile("HGM!", 0, 3, PatternedTriangles(3)), 1 + Below(8));
        case 3: {
            Bytes file = ModelFile("HGM!", 0, 3, PatternedTriangles(3));
            file.resize(Below(static_cast<uint32_t>(file.size()) + 1));
            return file;
        }
        case 4:
            return ModelFile("HGM!", 0, static_cast<int32_t>(random()), RandomBytes(Below(200)));
        default:
            // The magic, the version and the count.
            return FlipBytes(ModelFile("HGM!", 0, 1, PatternedTriangles(1)), 1, 12);
        }
    }

  private:
    uint32_t Below(uint32_t limit) { return static_cast<uint32_t>(random() % limit); }

    Bytes RandomBytes(size_t size) {
        Bytes bytes(size);
        std::generate(bytes.begin(), bytes.end(),
                      [this] { return static_cast<uint8_t>(random()); });
        return bytes;
    }

    // Replaces count bytes among the first within bytes with random values.
    Bytes FlipBytes(Bytes bytes, uint32_t count, size_t within = SIZE_MAX) {
        const uint32_t range = static_cast<uint32_t>(std::min(within, bytes.size()));
        for (uint32_t i = 0; i < count; ++i) {
            bytes[Below(range)] = static_cast<uint8_t>(random());
        }
        return bytes;
    }

    std::mt19937 random;
};

void ExpectLoadedAsDecoded(const Model* model, const Bytes& file, const Bytes& texture) {
    const Header header = Decode(file);
    if (!header.accepted) {
        EXPECT_EQ(model, nullptr);
        return;
    }
    ASSERT_NE(model, nullptr);
    ASSERT_EQ(model->triangleCount, header.count);
    const size_t block = static_cast<size_t>(header.count) * sizeof(ModelTriangle);
    const size_t supplied = std::min(block, file.size() - 12);
    const auto* loaded = reinterpret_cast<const uint8_t*>(model->triangles);
    EXPECT_TRUE(std::equal(file.begin() + 12, file.begin() + 12 + supplied, loaded));
    EXPECT_TRUE(std::all_of(loaded + supplied, loaded + block, [](uint8_t b) { return !b; }));
    EXPECT_TRUE(std::equal(texture.begin(), texture.end(), model->texture->texels));
}

TEST(ModelLoaderFuzz, ArbitraryBytesLoadExactlyAsTheyDecode) {
    ScratchDirectory scratch;
    const Bytes texture(1000, 0x3C);
    const std::string texturePath = scratch.Write("texture.raw", texture);
    RandomFiles files(20240611);
    int accepted = 0;
    for (int i = 0; i < Iterations; ++i) {
        SCOPED_TRACE("iteration " + std::to_string(i));
        const Bytes file = files.Next();
        const ModelPointer model = Load(scratch.Write("model.hgm", file), texturePath);
        ExpectLoadedAsDecoded(model.get(), file, texture);
        accepted += model != nullptr;
        if (HasFailure()) {
            break;
        }
    }
    // Both verdicts must come up often, or the test would not be exercising the loader.
    EXPECT_GT(accepted, Iterations / 5);
    EXPECT_LT(accepted, Iterations * 4 / 5);
}

} // namespace
