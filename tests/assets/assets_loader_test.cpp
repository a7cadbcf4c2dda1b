#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assets/model.h"
#include "support/assets_test_files.h"

namespace {

bool AllZero(const uint8_t* bytes, size_t size) {
    return std::all_of(bytes, bytes + size, [](uint8_t byte) { return byte == 0; });
}

class ModelLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        texturePath = scratch.Write("texture.raw", SampleTexture(TextureBytes));
    }

    static Bytes SampleTexture(size_t size) {
        Bytes bytes(size);
        for (size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<uint8_t>(7 + i * 13);
        }
        return bytes;
    }

    ModelPointer LoadBytes(const Bytes& modelFile) {
        return Load(scratch.Write("model.hgm", modelFile), texturePath);
    }

    ScratchDirectory scratch;
    std::string texturePath;
};

TEST_F(ModelLoaderTest, OneTriangleFileIs108BytesAndLoadsByteForByte) {
    const Bytes triangle = PatternedTriangles(1);
    const Bytes file = ModelFile("HGM!", 0, 1, triangle);
    ASSERT_EQ(file.size(), 108u);
    const ModelPointer model = LoadBytes(file);
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->triangleCount, 1);
    EXPECT_EQ(TriangleBytes(*model), triangle);
    ASSERT_NE(model->texture, nullptr);
    EXPECT_EQ(Bytes(model->texture->texels, model->texture->texels + TextureBytes),
              SampleTexture(TextureBytes));
}

TEST_F(ModelLoaderTest, VertexFieldsSitAtTheirFileOffsets) {
    Bytes triangle(sizeof(ModelTriangle), 0);
    const float x = 1.5f, v = -0.25f;
    std::memcpy(triangle.data() + 32, &x, 4);      // second vertex, x
    std::memcpy(triangle.data() + 64 + 28, &v, 4); // third vertex, v
    const ModelPointer model = LoadBytes(ModelFile("HGM!", 0, 1, triangle));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->triangles[0].vertices[1].x, 1.5f);
    EXPECT_EQ(model->triangles[0].vertices[2].v, -0.25f);
}

TEST_F(ModelLoaderTest, EmptyModelLoadsWithAValidEmptyArray) {
    const ModelPointer model = LoadBytes(ModelFile("HGM!", 0, 0, {}));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->triangleCount, 0);
    EXPECT_NE(model->triangles, nullptr);
    EXPECT_NE(model->texture, nullptr);
}

TEST_F(ModelLoaderTest, RejectsFilesThatAreNotVersionZeroModels) {
    const Bytes body = PatternedTriangles(1);
    for (const char* magic : {"hgm!", "HGM?", "!MGH", "HGM\0"}) {
        EXPECT_EQ(LoadBytes(ModelFile(magic, 0, 1, body)), nullptr) << magic;
    }
    for (int32_t version : {1, -1, 256, INT32_MIN}) {
        EXPECT_EQ(LoadBytes(ModelFile("HGM!", version, 1, body)), nullptr) << version;
    }
    EXPECT_EQ(Load(scratch.PathOf("absent.hgm"), texturePath), nullptr);
    EXPECT_EQ(Load(scratch.path, texturePath), nullptr) << "a directory is not a model";
}

TEST_F(ModelLoaderTest, RejectsIncompleteHeaders) {
    const Bytes header = ModelFile("HGM!", 0, 0, {});
    for (size_t size = 0; size < header.size(); ++size) {
        EXPECT_EQ(LoadBytes(Bytes(header.begin(), header.begin() + size)), nullptr) << size;
    }
}

TEST_F(ModelLoaderTest, RejectsCountsOutsideWhatTheFormatCanHold) {
    for (int32_t count :
         {-1, -96, INT32_MIN, MaxModelTriangles + 1, INT32_MAX / 96 + 1, INT32_MAX}) {
        EXPECT_EQ(LoadBytes(ModelFile("HGM!", 0, count, PatternedTriangles(2))), nullptr) << count;
    }
}

TEST(ModelLimits, LargestCountIsTheLargestWholeFileBelowTwoGigabytes) {
    const int64_t header = 12;
    const int64_t record = sizeof(ModelTriangle);
    EXPECT_LE(header + record * MaxModelTriangles, INT32_MAX);
    EXPECT_GT(header + record * (MaxModelTriangles + 1), INT32_MAX);
}

TEST_F(ModelLoaderTest, CountBeyondTheFileLoadsOnlyTheTrianglesItHolds) {
    // A 12-byte file that claims 22369621 triangles (2 GiB) holds none.
    ModelLoadNotes notes{};
    const std::string path =
        scratch.Write("model.hgm", ModelFile("HGM!", 0, MaxModelTriangles, {}));
    const ModelPointer model(LoadModel(path.c_str(), texturePath.c_str(), &notes));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->triangleCount, 0);
    EXPECT_EQ(notes.declaredTriangles, MaxModelTriangles);
    EXPECT_EQ(notes.modelFile.kind, DataFileKind::Regular);
    EXPECT_EQ(notes.modelFile.size, 12u);
}

TEST_F(ModelLoaderTest, PartlySuppliedTriangleIsKeptWithItsMissingBytesZero) {
    const Bytes given = PatternedTriangles(3);
    for (size_t supplied : {sizeof(ModelTriangle) + 1, sizeof(ModelTriangle) + 40,
                            2 * sizeof(ModelTriangle) - 1, 2 * sizeof(ModelTriangle)}) {
        SCOPED_TRACE(supplied);
        const ModelPointer model =
            LoadBytes(ModelFile("HGM!", 0, 3, Bytes(given.begin(), given.begin() + supplied)));
        ASSERT_NE(model, nullptr);
        ASSERT_EQ(model->triangleCount, 2);
        const Bytes loaded = TriangleBytes(*model);
        EXPECT_TRUE(std::equal(given.begin(), given.begin() + supplied, loaded.begin()));
        EXPECT_TRUE(AllZero(loaded.data() + supplied, loaded.size() - supplied));
    }
}

TEST_F(ModelLoaderTest, BytesAfterTheLastTriangleAreIgnored) {
    Bytes body = PatternedTriangles(2);
    const Bytes expected = body;
    body.insert(body.end(), 500, 0xEE);
    const ModelPointer model = LoadBytes(ModelFile("HGM!", 0, 2, body));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(model->triangleCount, 2);
    EXPECT_EQ(TriangleBytes(*model), expected);
}

TEST_F(ModelLoaderTest, MissingTextureFileLeavesTheTextureZero) {
    const std::string modelPath = scratch.Write("model.hgm", ModelFile("HGM!", 0, 1, {}));
    const ModelPointer model = Load(modelPath, scratch.PathOf("absent.raw"));
    ASSERT_NE(model, nullptr);
    ASSERT_NE(model->texture, nullptr);
    EXPECT_TRUE(AllZero(model->texture->texels, TextureBytes));
}

TEST_F(ModelLoaderTest, ShortTextureFillsFromTheStartAndLongOneIsCut) {
    const Bytes shortTexture = SampleTexture(100);
    const Texture* loaded = LoadTexture(scratch.Write("short.raw", shortTexture).c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(std::equal(shortTexture.begin(), shortTexture.end(), loaded->texels));
    EXPECT_TRUE(AllZero(loaded->texels + 100, TextureBytes - 100));
    std::free(const_cast<Texture*>(loaded));

    const Bytes longTexture = SampleTexture(TextureBytes + 900);
    loaded = LoadTexture(scratch.Write("long.raw", longTexture).c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(std::equal(loaded->texels, loaded->texels + TextureBytes, longTexture.begin()));
    std::free(const_cast<Texture*>(loaded));
}

TEST_F(ModelLoaderTest, EveryLoadHasArraysOfItsOwn) {
    const Bytes file = ModelFile("HGM!", 0, 2, PatternedTriangles(2));
    const ModelPointer first = LoadBytes(file);
    const ModelPointer second = LoadBytes(file);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->triangles, second->triangles);
    EXPECT_NE(first->texture, second->texture);
    first->triangles[0].vertices[0].x = 42.0f;
    first->texture->texels[0] = 99;
    EXPECT_NE(second->triangles[0].vertices[0].x, 42.0f);
    EXPECT_NE(second->texture->texels[0], 99);
}

// gcc announces AddressSanitizer with a macro, clang through __has_feature.
#if defined(__SANITIZE_ADDRESS__)
#define DRAV_UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DRAV_UNDER_ADDRESS_SANITIZER 1
#endif
#endif

#if defined(DRAV_UNDER_ADDRESS_SANITIZER)
TEST_F(ModelLoaderTest, FailedAllocationGivesNoModel) {
    GTEST_SKIP() << "address space limits do not apply under AddressSanitizer";
}
#else
// Exits with 0 when the model is rejected once the address space is limited to 1 GiB.
[[noreturn]] void LoadWithinOneGigabyte(const std::string& modelPath,
                                        const std::string& texturePath) {
    const rlimit limit = {1ul << 30, 1ul << 30};
    setrlimit(RLIMIT_AS, &limit);
    std::exit(LoadModel(modelPath.c_str(), texturePath.c_str()) == nullptr ? 0 : 1);
}

TEST_F(ModelLoaderTest, FailedAllocationGivesNoModel) {
    // A sparse file of 1.5 GiB holds that many bytes of triangles, which cannot be allocated
    // within a 1 GiB address space.
    const std::string modelPath =
        scratch.Write("huge.hgm", ModelFile("HGM!", 0, MaxModelTriangles, {}));
    ASSERT_EQ(truncate(modelPath.c_str(), 3l << 29), 0);
    EXPECT_EXIT(LoadWithinOneGigabyte(modelPath, texturePath), ::testing::ExitedWithCode(0), "");
}
#endif

} // namespace
