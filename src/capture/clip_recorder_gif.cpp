#include <cerrno>
#include <cstdio>
#include <cstring>

#include "capture/clip_recorder.h"
#include "capture/gif_clip.h"

namespace {

// Takes the oldest queued frame, waiting for one; null once stopping with nothing queued.
// The frame stays counted while it is encoded, so the loop never writes into it.
QueuedFrame* WaitForFrame(ClipRecorder& recorder) {
    std::unique_lock<std::mutex> guard(recorder.lock);
    recorder.frameReady.wait(guard, [&] { return recorder.count > 0 || recorder.stopping; });
    return recorder.count > 0 ? &recorder.queue[recorder.first] : nullptr;
}

void ReleaseFrame(ClipRecorder& recorder) {
    std::lock_guard<std::mutex> guard(recorder.lock);
    recorder.first = (recorder.first + 1) % ClipQueueLength;
    --recorder.count;
}

void Encode(ClipRecorder& recorder, std::FILE* file, GifClip clip) {
    while (QueuedFrame* frame = WaitForFrame(recorder)) {
        AddGifFrame(
            clip, FrameView{frame->pixels.data(), recorder.width, recorder.height, recorder.width},
            frame->tick);
        ReleaseFrame(recorder);
    }
    const bool encoded = CloseGifClip(clip);
    if (std::fclose(file) != 0 || !encoded) {
        // What was written stays: a decoder shows the frames before the failure.
        std::printf("drav: cannot write all of %s: %s\n", recorder.name, std::strerror(errno));
    } else {
        std::printf("drav: recorded %s: %u frames, %u dropped\n", recorder.name, clip.framesWritten,
                    recorder.dropped);
    }
    std::fflush(stdout);
}

} // namespace

bool StartClipRecording(ClipRecorder& recorder, int32_t width, int32_t height,
                        const RgbQuad* palette) {
    JoinClipRecording(recorder);
    std::FILE* file = CreateCaptureFile("gif", recorder.name);
    if (file == nullptr) {
        std::printf("drav: cannot create a GIF clip: %s\n", std::strerror(errno));
        return false;
    }
    GifClip clip;
    if (!OpenGifClip(clip, file, width, height, palette)) {
        CloseGifClip(clip);
        std::fclose(file);
        std::remove(recorder.name);
        std::printf("drav: cannot write %s\n", recorder.name);
        return false;
    }
    for (QueuedFrame& frame : recorder.queue) {
        frame.pixels.resize(static_cast<size_t>(width) * height);
    }
    recorder.first = 0;
    recorder.count = 0;
    recorder.stopping = false;
    recorder.width = width;
    recorder.height = height;
    recorder.offered = 0;
    recorder.dropped = 0;
    recorder.worker = std::thread(Encode, std::ref(recorder), file, std::move(clip));
    std::printf("drav: recording %s\n", recorder.name);
    std::fflush(stdout);
    return true;
}

void OfferClipFrame(ClipRecorder& recorder, const FrameView& frame, uint64_t tick) {
    {
        std::lock_guard<std::mutex> guard(recorder.lock);
        ++recorder.offered;
        if (recorder.count == ClipQueueLength) {
            ++recorder.dropped;
            return;
        }
        QueuedFrame& slot = recorder.queue[(recorder.first + recorder.count) % ClipQueueLength];
        for (int32_t row = 0; row < recorder.height; ++row) {
            std::memcpy(slot.pixels.data() + static_cast<size_t>(row) * recorder.width,
                        FrameViewRow(frame, row), static_cast<size_t>(recorder.width));
        }
        slot.tick = tick;
        ++recorder.count;
    }
    recorder.frameReady.notify_one();
}

void StopClipRecording(ClipRecorder& recorder) {
    {
        std::lock_guard<std::mutex> guard(recorder.lock);
        recorder.stopping = true;
    }
    recorder.frameReady.notify_one();
}

void JoinClipRecording(ClipRecorder& recorder) {
    if (recorder.worker.joinable()) {
        recorder.worker.join();
    }
}
