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

// Takes no more frames and forgets the queued ones.
void StopTakingFrames(ClipRecorder& recorder) {
    std::lock_guard<std::mutex> guard(recorder.lock);
    recorder.stopping = true;
    recorder.count = 0;
}

// Says on stderr and in the outcome why the clip failed; its file is gone.
void ReportFailure(ClipRecorder& recorder, const char* action) {
    const char* reason = std::strerror(errno != 0 ? errno : EIO);
    const std::string path = CapturePath(recorder.file.folder, recorder.file.name);
    std::fprintf(stderr, "drav: cannot %s %s: %s; nothing of it is kept\n", action, path.c_str(),
                 reason);
    PostClipOutcome(recorder,
                    std::string("cannot ") + action + " " + recorder.file.name + ": " + reason);
}

// Encodes frames until stopped; the first failed write ends the clip at once.
bool EncodeFrames(ClipRecorder& recorder, GifClip& clip) {
    while (QueuedFrame* frame = WaitForFrame(recorder)) {
        const bool added = AddGifFrame(
            clip, FrameView{frame->pixels.data(), recorder.width, recorder.height, recorder.width},
            frame->tick);
        ReleaseFrame(recorder);
        if (!added) {
            StopTakingFrames(recorder);
            return false;
        }
    }
    return true;
}

void Encode(ClipRecorder& recorder, GifClip clip) {
    errno = 0;
    const bool encoded = EncodeFrames(recorder, clip);
    // Releases giflib's state in any case; the trailer only counts after a full encoding.
    const bool closed = CloseGifClip(clip) && encoded;
    if (!closed || !PublishCaptureFile(recorder.file)) {
        DiscardCaptureFile(recorder.file);
        ReportFailure(recorder, "record");
        return;
    }
    const std::string path = CapturePath(recorder.file.folder, recorder.file.name);
    std::printf("drav: recorded %s: %u frames, %u dropped\n", path.c_str(), clip.framesWritten,
                recorder.dropped);
    std::fflush(stdout);
    PostClipOutcome(recorder, std::string("saved ") + recorder.file.name);
}

} // namespace

bool StartClipRecording(ClipRecorder& recorder, const std::string& folder, int32_t width,
                        int32_t height, const RgbQuad* palette) {
    JoinClipRecording(recorder);
    errno = 0;
    if (!CreateCaptureFile(folder, "gif", recorder.file)) {
        recorder.file.folder = folder;
        ReportFailure(recorder, "create");
        return false;
    }
    GifClip clip;
    if (!OpenGifClip(clip, recorder.file.stream, width, height, palette)) {
        CloseGifClip(clip);
        DiscardCaptureFile(recorder.file);
        ReportFailure(recorder, "create");
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
    recorder.worker = std::thread(Encode, std::ref(recorder), std::move(clip));
    std::printf("drav: recording %s\n", CapturePath(folder, recorder.file.name).c_str());
    std::fflush(stdout);
    return true;
}

void OfferClipFrame(ClipRecorder& recorder, const FrameView& frame, uint64_t tick) {
    {
        std::lock_guard<std::mutex> guard(recorder.lock);
        if (recorder.stopping) {
            return;
        }
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
