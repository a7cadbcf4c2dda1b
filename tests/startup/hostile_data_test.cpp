// Data files a hostile or careless user might leave: counts the file cannot hold, textures
// that are empty, short or not files at all, and pipes that would block a reader.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "assets/model.h"
#include "assets/shared_positions.h"
#include "support/assets_test_files.h"
#include "support/level_fixture.h"

namespace {

class HostileFileTest : public ::testing::Test {
  protected:
    // Loads the model file at modelPath with texture textureName of the scratch directory.
    ModelPointer LoadNoting(const std::string& modelPath, const std::string& textureName) {
        return ModelPointer(
            LoadModel(modelPath.c_str(), scratch.PathOf(textureName).c_str(), &notes));
    }
    std::string GoodModel() { return scratch.Write("model.hgm", ModelFile("HGM!", 0, 0, {})); }

    ScratchDirectory scratch;
    ModelLoadNotes notes{};
};

TEST_F(HostileFileTest, TexturesThatAreNotWholeTexturesLoadAsZerosAndAreNoted) {
    scratch.Write("empty.raw", {});
    scratch.Write("short.raw", Bytes(100, 7));
    scratch.Write("long.raw", Bytes(TextureBytes + 1, 7));
    ASSERT_EQ(mkdir(scratch.PathOf("directory.raw").c_str(), 0700), 0);
    ASSERT_EQ(mkfifo(scratch.PathOf("pipe.raw").c_str(), 0600), 0);
    struct Case {
        const char* name;
        DataFileKind kind;
        uint64_t size;
        uint8_t lastTexel;
    };
    const Case cases[] = {{"empty.raw", DataFileKind::Regular, 0, 0},
                          {"short.raw", DataFileKind::Regular, 100, 0},
                          {"long.raw", DataFileKind::Regular, TextureBytes + 1, 7},
                          {"absent.raw", DataFileKind::CannotOpen, 0, 0},
                          {"directory.raw", DataFileKind::NotRegular, 0, 0},
                          // Opening a pipe with no writer would block for ever.
                          {"pipe.raw", DataFileKind::NotRegular, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ModelPointer model = LoadNoting(GoodModel(), c.name);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(notes.textureFile.kind, c.kind);
        EXPECT_EQ(notes.textureFile.size, c.size);
        EXPECT_EQ(model->texture->texels[TextureBytes - 1], c.lastTexel);
    }
}

TEST_F(HostileFileTest, ModelFileThatIsNotARegularFileIsRejectedUnopened) {
    ASSERT_EQ(mkfifo(scratch.PathOf("pipe.hgm").c_str(), 0600), 0);
    scratch.Write("texture.raw", Bytes(TextureBytes, 1));
    EXPECT_EQ(LoadNoting(scratch.PathOf("pipe.hgm"), "texture.raw"), nullptr);
    EXPECT_EQ(notes.modelFile.kind, DataFileKind::NotRegular);
    EXPECT_EQ(notes.textureFile.kind, DataFileKind::NotTried);
    EXPECT_EQ(LoadNoting(scratch.path, "texture.raw"), nullptr);
    EXPECT_EQ(notes.modelFile.kind, DataFileKind::NotRegular);
}

// Every suspicious file of a set is named on stderr, and its model still loads.
TEST(LoadModelSetWarnings, NameEverySuspiciousFileAndKeepTheModels) {
    ScratchDirectory directory;
    directory.Write("plane.hgm", ModelFile("HGM!", 0, MaxModelTriangles, {}));
    directory.Write("tex1.raw", Bytes(TextureBytes, 3));
    directory.Write("broken.hgm", ModelFile("HGM!", 0, 1, PatternedTriangles(1)));
    directory.Write("tex4.raw", {});
    directory.Write("column.hgm", ModelFile("HGM!", 0, 0, {}));
    directory.Write("tex2.raw", Bytes(4095, 3));
    directory.Write("table.hgm", ModelFile("HGM!", 0, 0, {}));
    ASSERT_EQ(mkdir(directory.PathOf("tex3.raw").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(directory.PathOf("cube.hgm").c_str(), 0700), 0);

    ::testing::internal::CaptureStderr();
    const int loaded = LoadModelSet(directory.path.c_str());
    const std::string messages = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(loaded, 4);
    const std::string expected[] = {
        directory.PathOf("plane.hgm") + " declares 22369621 triangles but holds 0",
        directory.PathOf("tex4.raw") + " is empty",
        directory.PathOf("tex2.raw") + " holds 4095 bytes",
        directory.PathOf("tex3.raw") + " is not a regular file",
        directory.PathOf("cube.hgm") + " is not a regular file",
        "cannot open model file " + directory.PathOf("ceil.hgm"),
    };
    for (const std::string& line : expected) {
        EXPECT_NE(messages.find(line), std::string::npos) << line << " in:\n" << messages;
    }
    EXPECT_EQ(messages.find("tex1.raw"), std::string::npos) << messages;
    EXPECT_EQ(messages.find("broken.hgm"), std::string::npos) << messages;
    FreeModelSet();
}

// A model as the loader used to give it for a header that claims `extra` triangles more than
// the file holds: the file's triangles followed by triangles of zeros.
Model* WithZeroTriangles(const Model& model, int32_t extra) {
    Model* padded = static_cast<Model*>(std::calloc(1, sizeof(Model)));
    const int32_t count = model.triangleCount + extra;
    padded->triangles = static_cast<ModelTriangle*>(std::calloc(count, sizeof(ModelTriangle)));
    std::memcpy(padded->triangles, model.triangles, model.triangleCount * sizeof(ModelTriangle));
    padded->triangleCount = count;
    padded->texture = static_cast<Texture*>(std::malloc(sizeof(Texture)));
    *padded->texture = *model.texture;
    padded->shared = FindSharedPositions(padded->triangles, count);
    return padded;
}

class ZeroTrianglesTest : public LevelFixture {
  protected:
    std::vector<uint8_t> Render(float x, float z, float yaw, float pitch) {
        SetCameraPose(*scene, CameraPose{x, z, yaw, pitch});
        RenderFrame(*renderer, *scene);
        return frame;
    }
};

// Loading only the triangles a file holds draws the frames that the zero-filled triangles
// beyond them drew: a triangle of zeros has its three corners in one point.
TEST_F(ZeroTrianglesTest, DrawNothingSoDroppingThemKeepsEveryPixel) {
    struct View {
        float x, z, yaw, pitch;
    };
    const View views[] = {{18, 2, 1, 0}, {18, 2, 1, 1.45f}, {18, 2, 1, -1.5f}, {0, -17, 0, 0.3f}};
    Model* const plane = PlaneModel;
    Model* const ceiling = CeilModel;
    for (int32_t extra : {1, 5, 20000}) {
        SCOPED_TRACE(extra);
        for (const View& v : views) {
            PlaneModel = plane;
            CeilModel = ceiling;
            DestroyLevel(scene);
            scene = BuildLevel();
            const std::vector<uint8_t> expected = Render(v.x, v.z, v.yaw, v.pitch);
            PlaneModel = WithZeroTriangles(*plane, extra);
            CeilModel = WithZeroTriangles(*ceiling, extra);
            DestroyLevel(scene);
            scene = BuildLevel();
            EXPECT_EQ(Render(v.x, v.z, v.yaw, v.pitch), expected) << v.pitch;
            FreeModel(PlaneModel);
            FreeModel(CeilModel);
        }
    }
    PlaneModel = plane;
    CeilModel = ceiling;
}

} // namespace
