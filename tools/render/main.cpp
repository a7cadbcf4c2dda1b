// drav-render: builds the level as the demo does, runs simulation ticks with no key down,
// renders one frame and writes it (and the fog table) to files; from that frame on it can
// record a scripted walk as a GIF clip.
#include <cstdio>

#include "app/frame.h"
#include "app/startup.h"
#include "app/tick.h"
#include "common/png_writer.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/render_state.h"
#include "render_clip.h"
#include "render_options.h"
#include "scene/level.h"

namespace {

constexpr int ExitWriteFailed = 1;
constexpr int ExitBadArguments = 2;
constexpr int PngScale = 2;

uint8_t FramePixels[FrameSize];

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

// Writes each requested file; names the first that fails on stderr.
bool WriteOutputs(const RenderOptions& options) {
    const char* failed = nullptr;
    if (options.rawPath != nullptr && !WriteBytes(options.rawPath, FrameBuffer, FrameSize)) {
        failed = options.rawPath;
    } else if (options.pngPath != nullptr &&
               !WritePalettedPng(options.pngPath, FrameBuffer, FrameWidth, FrameHeight, Palette,
                                 PngScale)) {
        failed = options.pngPath;
    } else if (options.fogTablePath != nullptr &&
               !WriteBytes(options.fogTablePath, FogTable, FogTableSize)) {
        failed = options.fogTablePath;
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
    if (!ParseRenderOptions(argc, argv, DRAV_DEFAULT_DATA_DIR, options)) {
        std::fputs(RenderUsage, stderr);
        return ExitBadArguments;
    }
    FrameBuffer = FramePixels;
    BuildColourTables();
    LoadModelSet(options.dataDirectory);
    Scene* scene = BuildLevel();
    FillProjectionMatrix();
    for (uint32_t tick = 0; tick < options.ticks; ++tick) {
        RunTick(*scene, NoKeyDown);
    }
    PlaceCamera(*scene, options.camera);
    Walk walk;
    if (options.gifPath != nullptr &&
        !ParseWalk(options.walkScript != nullptr ? options.walkScript : DefaultWalk, walk)) {
        std::fprintf(stderr, "drav-render: not a walk: %s\n", options.walkScript);
        return ExitBadArguments;
    }
    RenderFrame(*scene);
    std::printf("models=%u\n", static_cast<unsigned>(DrawnModelCount));
    if (!WriteOutputs(options)) {
        return ExitWriteFailed;
    }
    if (options.gifPath != nullptr) {
        if (!WriteWalkClip(options.gifPath, *scene, walk)) {
            return ExitWriteFailed;
        }
        std::printf("clip: %llu frames\n",
                    static_cast<unsigned long long>(WalkClipFrames(walk.totalTicks)));
    }
    return 0;
}
