// drav-render: builds the level as the demo does, runs simulation ticks with no key down,
// renders one frame and writes it (and the fog table) to files; from that frame on it can
// record a scripted walk as a GIF clip.
#include <cstdio>

#include "app/frame.h"
#include "app/startup.h"
#include "app/tick.h"
#include "common/png_writer.h"
#include "render/palette.h"
#include "render/renderer.h"
#include "render_clip.h"
#include "render_options.h"
#include "scene/level.h"

namespace {

constexpr int ExitWriteFailed = 1;
constexpr int PngScale = 2;

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
    const auto frameBytes = static_cast<size_t>(frame.width) * frame.height;
    if (!options.rawPath.empty() &&
        !WriteBytes(options.rawPath.c_str(), frame.pixels, frameBytes)) {
        failed = options.rawPath.c_str();
    } else if (!options.pngPath.empty() &&
               !WritePalettedPng(options.pngPath.c_str(), frame.pixels, frame.width, frame.height,
                                 Palette, PngScale)) {
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
    const int exitStatus =
        ReportCommandLine(ParseRenderOptions(argc, argv, DRAV_DEFAULT_DATA_DIR, options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    const std::unique_ptr<Renderer> renderer = CreateRenderer(1, DefaultThreadCount());
    BuildColourTables();
    LoadModelSet(options.dataDirectory.c_str());
    Scene* scene = BuildLevel();
    FillProjectionMatrix();
    for (uint32_t tick = 0; tick < options.ticks; ++tick) {
        RunTick(*scene, NoKeyDown);
    }
    PlaceCamera(*scene, options.camera);
    RenderFrame(*renderer, *scene);
    std::printf("models=%u\n", static_cast<unsigned>(renderer->frame.drawnModelCount));
    if (!WriteOutputs(options, renderer->target)) {
        return ExitWriteFailed;
    }
    if (!options.gifPath.empty()) {
        if (!WriteWalkClip(options.gifPath.c_str(), *renderer, *scene, options.walk)) {
            return ExitWriteFailed;
        }
        std::printf("clip: %llu frames\n",
                    static_cast<unsigned long long>(WalkClipFrames(options.walk.totalTicks)));
    }
    return 0;
}
