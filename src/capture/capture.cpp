#include "capture/capture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "capture/capture_file.h"
#include "capture/frame_png.h"
#include "capture/view_text.h"
#include "render/palette.h"

CaptureState Capture;

namespace {

// The keyword of the PNG text chunk that holds the drav-render options of the view.
constexpr char ViewKeyword[] = "drav-view";
constexpr uint64_t TicksPerClipFrame = 2;
constexpr double SavedNoticeMilliseconds = 3000.0;

char TitleSuffix[CaptureNameCapacity + 16];

void SaveScreenshot(const FrameView& frame, uint64_t ticks, const Scene& scene) {
    char view[ViewTextCapacity];
    FormatViewText(view, ticks, scene);
    std::vector<uint8_t> png;
    char name[CaptureNameCapacity];
    if (!EncodeFramePng(frame, Palette, 1, PngText{ViewKeyword, view}, png)) {
        std::printf("drav: cannot encode the screenshot\n");
    } else if (!SaveCapture("png", png, name)) {
        std::printf("drav: cannot save the screenshot: %s\n", std::strerror(errno));
    } else {
        std::printf("drav: saved %s (%s)\n", name, view);
        std::memcpy(Capture.savedName, name, sizeof name);
        Capture.savedNoticeNew = true;
    }
    std::fflush(stdout);
}

void ToggleClip(const FrameView& frame) {
    if (Capture.recording) {
        StopClipRecording(Capture.recorder);
        Capture.recording = false;
        return;
    }
    Capture.recording = StartClipRecording(Capture.recorder, frame.width, frame.height, Palette);
}

} // namespace

void RequestScreenshot() {
    Capture.screenshotRequested = true;
}

void RequestClipToggle() {
    Capture.clipToggleRequested = true;
}

void CaptureFrame(const FrameView& frame, uint64_t ticks, const Scene& scene) {
    if (Capture.screenshotRequested) {
        Capture.screenshotRequested = false;
        SaveScreenshot(frame, ticks, scene);
    }
    if (Capture.clipToggleRequested) {
        Capture.clipToggleRequested = false;
        ToggleClip(frame);
        if (Capture.recording) {
            // The clip starts with this frame.
            Capture.lastClipTick = ticks - TicksPerClipFrame;
        }
    }
    if (Capture.recording && ticks - Capture.lastClipTick >= TicksPerClipFrame) {
        OfferClipFrame(Capture.recorder, frame, ticks);
        Capture.lastClipTick = ticks;
    }
}

const char* CaptureTitleSuffix(double now) {
    if (Capture.recording) {
        std::snprintf(TitleSuffix, sizeof TitleSuffix, " - recording %s", Capture.recorder.name);
        return TitleSuffix;
    }
    if (Capture.savedNoticeNew) {
        Capture.savedNoticeNew = false;
        Capture.savedNoticeEnd = now + SavedNoticeMilliseconds;
    }
    if (Capture.savedName[0] != '\0' && now < Capture.savedNoticeEnd) {
        std::snprintf(TitleSuffix, sizeof TitleSuffix, " - saved %s", Capture.savedName);
        return TitleSuffix;
    }
    return "";
}

void FinishCaptures() {
    if (Capture.recording) {
        StopClipRecording(Capture.recorder);
        Capture.recording = false;
    }
    JoinClipRecording(Capture.recorder);
}
