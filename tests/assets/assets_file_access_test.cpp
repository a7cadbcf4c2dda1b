// Which files the loader opens and closes, and in what order, watched through inotify.
#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

#include <map>
#include <string>

#include "assets/model.h"
#include "support/assets_test_files.h"

namespace {

// Records opens and closes of the watched files, in the order the kernel saw them.
struct FileWatch {
    FileWatch() : descriptor(inotify_init1(IN_NONBLOCK)) { EXPECT_GE(descriptor, 0); }
    ~FileWatch() { close(descriptor); }
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    void Watch(const std::string& path, const std::string& label) {
        const int watch = inotify_add_watch(descriptor, path.c_str(), IN_OPEN | IN_CLOSE);
        ASSERT_GE(watch, 0) << path;
        labels[watch] = label;
    }

    // The events so far, as "label:open" and "label:close" separated by spaces.
    std::string Events() {
        std::string log;
        alignas(inotify_event) char buffer[4096];
        ssize_t size;
        while ((size = read(descriptor, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + size;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                const char* what = (event->mask & IN_OPEN) ? ":open" : ":close";
                log += (log.empty() ? "" : " ") + labels[event->wd] + what;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return log;
    }

    int descriptor;
    std::map<int, std::string> labels;
};

class FileAccessTest : public ::testing::Test {
  protected:
    // Loads the model file with the given bytes and returns the watched events.
    std::string EventsOfLoading(const Bytes& modelFile) {
        const std::string modelPath = scratch.Write("model.hgm", modelFile);
        const std::string texturePath = scratch.Write("texture.raw", Bytes(TextureBytes, 5));
        FileWatch watch;
        watch.Watch(modelPath, "model");
        watch.Watch(texturePath, "texture");
        FreeModel(LoadModel(modelPath.c_str(), texturePath.c_str()));
        return watch.Events();
    }

    ScratchDirectory scratch;
};

TEST_F(FileAccessTest, AcceptedModelClosesItsFileBeforeTheTextureIsOpened) {
    EXPECT_EQ(EventsOfLoading(ModelFile("HGM!", 0, 2, PatternedTriangles(2))),
              "model:open model:close texture:open texture:close");
}

TEST_F(FileAccessTest, ShortModelFileStillClosesBeforeTheTextureIsOpened) {
    EXPECT_EQ(EventsOfLoading(ModelFile("HGM!", 0, 5, PatternedTriangles(1))),
              "model:open model:close texture:open texture:close");
}

TEST_F(FileAccessTest, RejectedModelNeverOpensItsTexture) {
    const Bytes triangles = PatternedTriangles(1);
    EXPECT_EQ(EventsOfLoading(ModelFile("hgm!", 0, 1, triangles)), "model:open model:close");
    EXPECT_EQ(EventsOfLoading(ModelFile("HGM!", 1, 1, triangles)), "model:open model:close");
    EXPECT_EQ(EventsOfLoading(ModelFile("HGM!", 0, -1, triangles)), "model:open model:close");
    EXPECT_EQ(EventsOfLoading(ModelFile("HGM!", 0, MaxModelTriangles + 1, triangles)),
              "model:open model:close");
    EXPECT_EQ(EventsOfLoading(Bytes{'H', 'G', 'M', '!', 0}), "model:open model:close");
}

TEST_F(FileAccessTest, MissingModelFileNeverOpensTheTexture) {
    const std::string texturePath = scratch.Write("texture.raw", Bytes(TextureBytes, 5));
    FileWatch watch;
    watch.Watch(texturePath, "texture");
    EXPECT_EQ(LoadModel(scratch.PathOf("absent.hgm").c_str(), texturePath.c_str()), nullptr);
    EXPECT_EQ(watch.Events(), "");
}

} // namespace
