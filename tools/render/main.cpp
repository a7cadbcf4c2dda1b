// drav-render: builds the level as the demo does, runs simulation ticks with no key down,
// renders one frame and writes it (and the fog table) to files.
#include <cstdio>

#include "app/data_directory.h"
#include "app/frame.h"
#include "app/frame_layout.h"
#include "app/startup.h"
#include "app/tick.h"
#include "common/png_writer.h"
#include "render/palette.h"
#include "render/renderer.h"
#include "render_options.h"
#include "scene/level.h"

namespace {

constexpr int ExitWriteFailed = 1;
constexpr int ExitNoData = 1;

bool NoKeyDown(Key) {
    return false;
}

bool WriteBytes(const char* path, const uint8_t* bytes, size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

// Writes each requested file; names the first that fails on stderr. The frame's rows are
// packed (its pitch is its width).
bool WriteOutputs(const RenderOptions& options, const RenderTarget& frame) {
    const char* failed = nullptr;
    // The PNG shows the frame as the window does.
    const int pngScale = ShownPixelSize(LayoutForScale(options.frame.scale));
    const auto frameBytes = static_cast<size_t>(frame.width) * frame.height;
    if (!options.rawPath.empty() &&
        !WriteBytes(options.rawPath.c_str(), frame.pixels, frameBytes)) {
        failed = options.rawPath.c_str();
    } else if (!options.pngPath.empty() &&
               !WritePalettedPng(options.pngPath.c_str(), frame.pixels, frame.width, frame.height,
                                 Palette, pngScale)) {
        failed = options.pngPath.c_str();
    } else if (!options.fogTablePath.empty() &&
               !WriteBytes(options.fogTablePath.c_str(), FogTable, FogTableSize)) {
        failed = options.fogTablePath.c_str();
    }
    if (failed != nullptr) {
        std::fprintf(stderr, "drav-render: cannot write %s\n", failed);
    }
    return failed == nullptr;
}

void PlaceCamera(Scene& scene, const CameraOverride& camera) {
    if (camera.given) {
        scene.x = camera.x;
        scene.z = camera.z;
        scene.yaw = camera.yaw;
        scene.pitch = camera.pitch;
    }
}

} // namespace

int main(int argc, char** argv) {
    RenderOptions options;
    const int exitStatus = ReportCommandLine(ParseRenderOptions(argc, argv, options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    const std::unique_ptr<Renderer> renderer =
        CreateRenderer(options.frame.scale, options.frame.threads);
    BuildColourTables();
    if (!LoadDataSet("drav-render", options.dataDirectory, MissingDataHint)) {
        return ExitNoData;
    }
    Scene* scene = BuildLevel();
    FillProjectionMatrix();
    for (uint32_t tick = 0; tick < options.ticks; ++tick) {
        RunTick(*scene, NoKeyDown);
    }
    PlaceCamera(*scene, options.camera);
    RenderFrame(*renderer, *scene);
    std::printf("models=%u\n", static_cast<unsigned>(renderer->frame.drawnModelCount));
    const bool written = WriteOutputs(options, renderer->target);
    // Released so that a leak check at exit finds nothing left.
    DestroyLevel(scene);
    FreeModelSet();
    return written ? 0 : ExitWriteFailed;
}
