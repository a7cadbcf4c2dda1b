#include "render_clip.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/capture/gif_clip.h"
#include "app/frame.h"
#include "app/tick.h"
#include "render/palette.h"

namespace {

constexpr uint64_t TicksPerFrame = 2;

bool AddFrame(GifClip& clip, Renderer& renderer, Scene& scene, uint64_t tick) {
    RenderFrame(renderer, scene);
    const RenderTarget& frame = renderer.target;
    return AddGifFrame(clip, FrameView{frame.pixels, frame.width, frame.height, frame.pitch}, tick);
}

bool WriteFrames(GifClip& clip, Renderer& renderer, Scene& scene, const Walk& walk) {
    if (!AddFrame(clip, renderer, scene, 0)) {
        return false;
    }
    WalkCursor cursor;
    for (uint64_t tick = 1; tick <= walk.totalTicks; ++tick) {
        ScriptedKeys = NextTickKeys(walk, cursor);
        RunTick(scene, ScriptedKeyDown);
        if (tick % TicksPerFrame == 0 && !AddFrame(clip, renderer, scene, tick)) {
            return false;
        }
    }
    return true;
}

} // namespace

uint64_t WalkClipFrames(uint64_t walkTicks) {
    return 1 + walkTicks / TicksPerFrame;
}

bool WriteWalkClip(const char* path, Renderer& renderer, Scene& scene, const Walk& walk) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "drav-render: cannot create %s: %s\n", path, std::strerror(errno));
        return false;
    }
    GifClip clip;
    const bool opened =
        OpenGifClip(clip, file, renderer.target.width, renderer.target.height, Palette);
    const bool framesWritten = opened && WriteFrames(clip, renderer, scene, walk);
    const bool closed = CloseGifClip(clip);
    if (std::fclose(file) != 0 || !opened || !framesWritten || !closed) {
        std::fprintf(stderr, "drav-render: cannot write %s\n", path);
        return false;
    }
    return true;
}
