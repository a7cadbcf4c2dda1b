#include "render_clip.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "assets/output_file.h"
#include "capture/gif_clip.h"
#include "render/frame.h"
#include "render/palette.h"
#include "scene/tick.h"

namespace {

constexpr uint64_t TicksPerFrame = 2;

bool AddFrame(GifClip& clip, Renderer& renderer, Scene& scene, uint64_t tick) {
    RenderFrame(renderer, scene);
    const RenderTarget& frame = renderer.target;
    return AddGifFrame(clip, FrameView{frame.pixels, frame.width, frame.height, frame.pitch}, tick);
}

bool WriteFrames(GifClip& clip, Renderer& renderer, Scene& scene, uint64_t ticks,
                 const ClipTick& runTick) {
    if (!AddFrame(clip, renderer, scene, 0)) {
        return false;
    }
    for (uint64_t tick = 1; tick <= ticks; ++tick) {
        runTick(scene);
        if (tick % TicksPerFrame == 0 && !AddFrame(clip, renderer, scene, tick)) {
            return false;
        }
    }
    return true;
}

} // namespace

uint64_t ClipFrames(uint64_t ticks) {
    return 1 + ticks / TicksPerFrame;
}

bool WriteClip(const char* path, Renderer& renderer, Scene& scene, uint64_t ticks,
               const ClipTick& runTick) {
    OutputFile file;
    std::string error;
    if (!OpenOutputFile(file, path, error)) {
        std::fprintf(stderr, "drav-render: %s\n", error.c_str());
        return false;
    }
    GifClip clip;
    const bool opened =
        OpenGifClip(clip, file.stream, renderer.target.width, renderer.target.height, Palette);
    const bool framesWritten = opened && WriteFrames(clip, renderer, scene, ticks, runTick);
    const bool closed = CloseGifClip(clip);
    if (!opened || !framesWritten || !closed) {
        std::fprintf(stderr, "drav-render: cannot write %s: %s\n", path,
                     std::strerror(errno != 0 ? errno : EIO));
        AbandonOutputFile(file);
        return false;
    }
    if (!CommitOutputFile(file, error)) {
        std::fprintf(stderr, "drav-render: %s\n", error.c_str());
        return false;
    }
    return true;
}

bool WriteWalkClip(const char* path, Renderer& renderer, Scene& scene, const Walk& walk) {
    WalkCursor cursor;
    return WriteClip(path, renderer, scene, walk.totalTicks, [&walk, &cursor](Scene& walked) {
        ScriptedKeys = NextTickKeys(walk, cursor);
        RunTick(walked, ScriptedKeyDown);
    });
}
