// Builds without a GIF encoder (Windows and the browser, which have no packaged giflib)
// record no clips: F9 says so and changes nothing else.
#include <cstdio>

#include "capture/clip_recorder.h"

bool StartClipRecording(ClipRecorder& recorder, const std::string&, int32_t, int32_t,
                        const RgbQuad*) {
    std::fprintf(stderr, "drav: this build cannot record GIF clips\n");
    PostClipOutcome(recorder, "this build cannot record GIF clips");
    return false;
}

void OfferClipFrame(ClipRecorder&, const FrameView&, uint64_t) {}

void StopClipRecording(ClipRecorder&) {}

void JoinClipRecording(ClipRecorder&) {}
