#include "capture/gif_clip.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr int ColourBits = 8;
constexpr uint16_t LongestDelay = 65535;

int WriteToFile(GifFileType* gif, const GifByteType* bytes, int size) {
    auto* file = static_cast<std::FILE*>(gif->UserData);
    return static_cast<int>(std::fwrite(bytes, 1, static_cast<size_t>(size), file));
}

bool WriteColourTable(GifFileType* gif, int32_t width, int32_t height, const RgbQuad* palette) {
    GifColorType colours[PaletteSize];
    for (int i = 0; i < PaletteSize; ++i) {
        colours[i] = GifColorType{palette[i].red, palette[i].green, palette[i].blue};
    }
    ColorMapObject* map = GifMakeMapObject(PaletteSize, colours);
    if (map == nullptr) {
        return false;
    }
    const bool written = EGifPutScreenDesc(gif, width, height, ColourBits, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    return written;
}

// The application extension that makes viewers play the clip over and over.
bool WriteLoopForever(GifFileType* gif) {
    const GifByteType loopCount[] = {1, 0, 0}; // sub-block 1: repeat count 0, for ever
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
           EGifPutExtensionBlock(gif, sizeof loopCount, loopCount) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

// 3/100 s per two ticks, rounded up for an odd count.
uint16_t DelayFor(uint64_t ticks) {
    const uint64_t delay = (ticks * ClipFrameDelay + 1) / 2;
    return static_cast<uint16_t>(std::min<uint64_t>(std::max<uint64_t>(delay, 1), LongestDelay));
}

// Writes the pending frame as the rectangle that changed since the shown picture, then makes
// it the shown picture. An unchanged frame still takes its place in time, as one pixel.
bool WritePendingFrame(GifClip& clip, uint16_t delay) {
    const FrameView frame{clip.pending.data(), clip.width, clip.height, clip.width};
    PixelRect rect = PixelRect{0, 0, clip.width, clip.height};
    if (clip.framesWritten > 0) {
        rect = ChangedRectangle(clip.shown.data(), frame);
    }
    if (rect.width == 0) {
        rect = PixelRect{0, 0, 1, 1};
    }
    const GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const size_t extensionSize = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(clip.gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(extensionSize),
                         extension) != GIF_OK ||
        EGifPutImageDesc(clip.gif, rect.left, rect.top, rect.width, rect.height, false, nullptr) !=
            GIF_OK) {
        return false;
    }
    for (int32_t row = rect.top; row < rect.top + rect.height; ++row) {
        GifPixelType* line =
            clip.pending.data() + static_cast<size_t>(row) * clip.width + rect.left;
        if (EGifPutLine(clip.gif, line, rect.width) != GIF_OK) {
            return false;
        }
    }
    clip.shown.swap(clip.pending);
    ++clip.framesWritten;
    return true;
}

} // namespace

PixelRect ChangedRectangle(const uint8_t* before, const FrameView& after) {
    int32_t left = after.width, right = 0, top = after.height, bottom = 0;
    for (int32_t row = 0; row < after.height; ++row) {
        const uint8_t* old = before + static_cast<size_t>(row) * after.width;
        const uint8_t* now = FrameViewRow(after, row);
        int32_t first = 0;
        while (first < after.width && old[first] == now[first]) {
            ++first;
        }
        if (first == after.width) {
            continue;
        }
        int32_t last = after.width - 1;
        while (old[last] == now[last]) {
            --last;
        }
        left = std::min(left, first);
        right = std::max(right, last + 1);
        top = std::min(top, row);
        bottom = row + 1;
    }
    if (top == after.height) {
        return PixelRect{0, 0, 0, 0};
    }
    return PixelRect{left, top, right - left, bottom - top};
}

bool OpenGifClip(GifClip& clip, std::FILE* file, int32_t width, int32_t height,
                 const RgbQuad* palette) {
    clip = GifClip{file, nullptr, width, height, {}, {}, 0, false, 0, false};
    int error = 0;
    clip.gif = EGifOpen(file, WriteToFile, &error);
    if (clip.gif == nullptr) {
        clip.failed = true;
        return false;
    }
    const size_t size = static_cast<size_t>(width) * height;
    clip.shown.assign(size, 0);
    clip.pending.assign(size, 0);
    EGifSetGifVersion(clip.gif, true);
    clip.failed =
        !WriteColourTable(clip.gif, width, height, palette) || !WriteLoopForever(clip.gif);
    return !clip.failed;
}

bool AddGifFrame(GifClip& clip, const FrameView& frame, uint64_t tick) {
    if (clip.failed) {
        return false;
    }
    if (clip.hasPending && !WritePendingFrame(clip, DelayFor(tick - clip.pendingTick))) {
        clip.failed = true;
        return false;
    }
    for (int32_t row = 0; row < clip.height; ++row) {
        const uint8_t* source = FrameViewRow(frame, row);
        std::memcpy(clip.pending.data() + static_cast<size_t>(row) * clip.width, source,
                    static_cast<size_t>(clip.width));
    }
    clip.pendingTick = tick;
    clip.hasPending = true;
    return true;
}

bool CloseGifClip(GifClip& clip) {
    if (clip.gif == nullptr) {
        return false;
    }
    if (!clip.failed && clip.hasPending && !WritePendingFrame(clip, ClipFrameDelay)) {
        clip.failed = true;
    }
    int error = 0;
    // Writes the trailer; a clip with no frame at all is still a well-formed empty picture.
    if (EGifCloseFile(clip.gif, &error) != GIF_OK) {
        clip.failed = true;
    }
    clip.gif = nullptr;
    return !clip.failed;
}
