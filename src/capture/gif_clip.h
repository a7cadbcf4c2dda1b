// An animated GIF clip written frame by frame: the palette as the one global colour table,
// each frame stored as the smallest rectangle that differs from the picture before it and
// left in place under the next, and each frame shown for 3/100 s per two ticks until the
// next frame's tick. Needs giflib.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "capture/frame_view.h"
#include "render/palette.h"

// Delay of a frame that stands for two ticks, in hundredths of a second.
constexpr int ClipFrameDelay = 3;

struct GifFileType;

// Columns [left, left + width) of rows [top, top + height); width 0 when nothing differs.
struct PixelRect {
    int32_t left, top, width, height;
};

// The smallest rectangle holding every pixel where after differs from before, whose rows are
// packed at after.width bytes.
PixelRect ChangedRectangle(const uint8_t* before, const FrameView& after);

struct GifClip {
    std::FILE* file; // owned by the caller, written through giflib's output callback
    GifFileType* gif;
    int32_t width, height;
    std::vector<uint8_t> shown;   // what a decoder shows after the frames written so far
    std::vector<uint8_t> pending; // the last frame given, written once its length is known
    uint64_t pendingTick;
    bool hasPending;
    uint32_t framesWritten;
    bool failed; // a write failed; later frames are ignored
};

// Writes the header, colour table and loop-forever extension of a width x height clip.
bool OpenGifClip(GifClip& clip, std::FILE* file, int32_t width, int32_t height,
                 const RgbQuad* palette);
// Gives the frame shown from the given tick on; frames come in increasing tick order.
bool AddGifFrame(GifClip& clip, const FrameView& frame, uint64_t tick);
// Writes the last frame and the trailer and releases giflib's state; does not close the file.
bool CloseGifClip(GifClip& clip);
