// drav-render: builds the level as drav does, runs simulation ticks with no key down,
// renders one frame and writes it (and the fog table) to files; from that frame on it can
// record a scripted walk, or the played demo, as a GIF clip.
#include <cstdio>
#include <string>

#include "assets/data_file.h"
#include "capture/png_writer.h"
#include "demo/demo_session.h"
#include "render/frame.h"
#include "render/frame_layout.h"
#include "render/palette.h"
#include "render_clip.h"
#include "render_options.h"
#include "startup/headless_session.h"

namespace {

constexpr int ExitWriteFailed = 1;
constexpr int ExitNoData = 1;

DemoPlayback Playback;

// Writes each requested file; names the first that fails, and why, on stderr. The frame's rows
// are packed (its pitch is its width).
bool WriteOutputs(const RenderOptions& options, const RenderTarget& frame) {
    std::string error;
    // The PNG shows the frame as the window does.
    const int pngScale = ShownPixelSize(LayoutForScale(options.frame.scale));
    const auto frameBytes = static_cast<size_t>(frame.width) * frame.height;
    const bool written =
        (options.rawPath.empty() ||
         WriteFileBytes(options.rawPath.c_str(), frame.pixels, frameBytes, &error)) &&
        (options.pngPath.empty() ||
         WritePalettedPng(options.pngPath.c_str(), frame.pixels, frame.width, frame.height, Palette,
                          pngScale, &error)) &&
        (options.fogTablePath.empty() ||
         WriteFileBytes(options.fogTablePath.c_str(), FogTable, FogTableSize, &error));
    if (!written) {
        std::fprintf(stderr, "drav-render: %s\n", error.c_str());
    }
    return written;
}

void ReportClip(uint64_t ticks) {
    std::printf("clip: %llu frames\n", static_cast<unsigned long long>(ClipFrames(ticks)));
}

// Plays the demo's ticks up to the requested one, comparing its checks on the way, and
// records them as a clip when one is asked for. Returns 0, or the exit code of a demo that
// cannot be played or does not match, or of a clip that cannot be written.
int PlayDemo(Scene& scene, const RenderOptions& options, Renderer& renderer) {
    const Demo& demo = Playback.demo;
    const uint32_t ticks =
        options.playTick != PlayToEnd ? options.playTick : static_cast<uint32_t>(demo.keys.size());
    if (ticks > demo.keys.size()) {
        std::fprintf(stderr, "drav-render: the demo %s has only %zu ticks\n",
                     options.playPath.c_str(), demo.keys.size());
        return DemoExitUnplayable;
    }
    DemoPlayer& player = Playback.player;
    StartDemoPlayer(player, demo, scene);
    const ClipTick playTick = [](Scene& played) { PlayDemoTick(Playback.player, played); };
    if (options.gifPath.empty()) {
        while (player.tick < ticks) {
            playTick(scene);
        }
    } else if (!WriteClip(options.gifPath.c_str(), renderer, scene, ticks, playTick)) {
        return ExitWriteFailed;
    }
    if (const int mismatch = ReportDemoMismatch(Playback, "drav-render"); mismatch != 0) {
        return mismatch;
    }
    if (!options.gifPath.empty()) {
        ReportClip(ticks);
    }
    // The camera the demo's keys led to, in digits that give back the exact floats.
    std::printf("tick %u x %.9g z %.9g pitch %.9g yaw %.9g\n", player.tick, scene.x, scene.z,
                scene.pitch, scene.yaw);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    RenderOptions options;
    const int exitStatus = ReportCommandLine(ParseRenderOptions(argc, argv, options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    if (!OutputFilesWritable("drav-render", {options.rawPath, options.pngPath, options.fogTablePath,
                                             options.gifPath})) {
        return ExitBadArguments;
    }
    if (!options.playPath.empty() &&
        !LoadDemoPlayback(Playback, "drav-render", options.playPath, options.dataDirectory)) {
        return DemoExitUnplayable;
    }
    HeadlessSession session;
    if (!StartHeadlessSession(session, {"drav-render", options.dataDirectory, options.frame.scale,
                                        options.frame.threads})) {
        return ExitNoData;
    }
    Renderer* renderer = session.renderer.get();
    Scene* scene = session.scene;
    RunIdleTicks(session, options.ticks);
    if (!options.playPath.empty()) {
        if (const int played = PlayDemo(*scene, options, *renderer); played != 0) {
            return played;
        }
    }
    if (options.camera.given) {
        SetCameraPose(*scene, options.camera.pose);
    }
    RenderFrame(*renderer, *scene);
    std::printf("models=%u\n", static_cast<unsigned>(renderer->frame.drawnModelCount));
    bool written = WriteOutputs(options, renderer->target);
    // A demo's clip was written as it played; a walk's starts from the frame.
    if (written && !options.gifPath.empty() && options.playPath.empty()) {
        written = WriteWalkClip(options.gifPath.c_str(), *renderer, *scene, options.walk);
        if (written) {
            ReportClip(options.walk.totalTicks);
        }
    }
    EndHeadlessSession(session);
    return written ? 0 : ExitWriteFailed;
}
