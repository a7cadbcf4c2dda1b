// drav-render: builds the level as the demo does, runs simulation ticks with no key down,
// renders one frame and writes it (and the fog table) to files.
#include <cstdio>
#include <string>

#include "app/demo_session.h"
#include "app/frame.h"
#include "app/startup.h"
#include "app/tick.h"
#include "common/png_writer.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/render_state.h"
#include "render_options.h"
#include "scene/level.h"

namespace {

constexpr int ExitWriteFailed = 1;
constexpr int PngScale = 2;

uint8_t FramePixels[FrameSize];
Demo PlayedDemo;

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
    if (!options.rawPath.empty() && !WriteBytes(options.rawPath.c_str(), FrameBuffer, FrameSize)) {
        failed = options.rawPath.c_str();
    } else if (!options.pngPath.empty() &&
               !WritePalettedPng(options.pngPath.c_str(), FrameBuffer, FrameWidth, FrameHeight,
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

// Plays the demo's ticks up to the requested one, comparing its checks on the way. Returns
// 0, or the exit code of a demo that cannot be played or does not match.
int PlayDemo(Scene& scene, const RenderOptions& options) {
    const uint32_t ticks = options.playTick != PlayToEnd
                               ? options.playTick
                               : static_cast<uint32_t>(PlayedDemo.keys.size());
    if (ticks > PlayedDemo.keys.size()) {
        std::fprintf(stderr, "drav-render: the demo %s has only %zu ticks\n",
                     options.playPath.c_str(), PlayedDemo.keys.size());
        return DemoExitUnplayable;
    }
    DemoPlayer player;
    StartDemoPlayer(player, PlayedDemo, scene);
    while (player.tick < ticks) {
        RunTick(scene, ScriptedKeyDown);
        AfterPlayedTick(player, scene);
    }
    if (player.failed) {
        std::fprintf(stderr, "drav-render: demo %s: %s\n", options.playPath.c_str(),
                     player.failure.c_str());
        return DemoExitMismatch;
    }
    // The camera the demo's keys led to, in digits that give back the exact floats.
    std::printf("tick %u x %.9g z %.9g pitch %.9g yaw %.9g\n", player.tick, scene.x, scene.z,
                scene.pitch, scene.yaw);
    return 0;
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
    std::string error;
    if (!options.playPath.empty() &&
        !LoadDemoFile(options.playPath.c_str(), DigestDataFiles(options.dataDirectory.c_str()),
                      PlayedDemo, error)) {
        std::fprintf(stderr, "drav-render: %s\n", error.c_str());
        return DemoExitUnplayable;
    }
    FrameBuffer = FramePixels;
    BuildColourTables();
    LoadModelSet(options.dataDirectory.c_str());
    Scene* scene = BuildLevel();
    FillProjectionMatrix();
    for (uint32_t tick = 0; tick < options.ticks; ++tick) {
        RunTick(*scene, NoKeyDown);
    }
    if (!options.playPath.empty()) {
        if (const int played = PlayDemo(*scene, options); played != 0) {
            return played;
        }
    }
    PlaceCamera(*scene, options.camera);
    RenderFrame(*scene);
    std::printf("models=%u\n", static_cast<unsigned>(DrawnModelCount));
    return WriteOutputs(options) ? 0 : ExitWriteFailed;
}
