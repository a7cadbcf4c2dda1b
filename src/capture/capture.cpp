#include "capture/capture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "capture/capture_file.h"
#include "capture/capture_folder.h"
#include "capture/frame_png.h"
#include "capture/view_text.h"
#include "render/palette.h"

CaptureState Capture;

namespace {

// The keyword of the PNG text chunk that holds the drav-render options of the view.
constexpr char ViewKeyword[] = "drav-view";
constexpr uint64_t TicksPerClipFrame = 2;
constexpr double NoticeMilliseconds = 2000.0;
constexpr size_t NoticeCapacity = 160;

char TitleSuffix[NoticeCapacity];

const std::string& CaptureFolder() {
    if (!Capture.folderChosen) {
        SetCaptureFolder(DefaultCaptureFolder());
    }
    return Capture.folder;
}

void ShowNotice(const std::string& notice) {
    Capture.notice = notice;
    Capture.noticeNew = true;
}

void SaveScreenshot(const FrameView& frame, uint64_t ticks, const Scene& scene) {
    char view[ViewTextCapacity];
    FormatViewText(view, ticks, scene);
    std::vector<uint8_t> png;
    CaptureFile saved;
    if (!EncodeFramePng(frame, Palette, 1, PngText{ViewKeyword, view}, png)) {
        std::fprintf(stderr, "drav: cannot encode the screenshot\n");
        ShowNotice("cannot encode the screenshot");
    } else if (!SaveCapture(CaptureFolder(), "png", png, saved)) {
        const char* reason = std::strerror(errno);
        std::fprintf(stderr, "drav: cannot save %s: %s; nothing of it is kept\n",
                     CapturePath(CaptureFolder(), saved.name).c_str(), reason);
        ShowNotice(std::string("cannot save ") + saved.name + ": " + reason);
    } else {
        std::printf("drav: saved %s (%s)\n", CapturePath(saved.folder, saved.name).c_str(), view);
        ShowNotice(std::string("saved ") + saved.name);
    }
    std::fflush(stdout);
}

void ToggleClip(const FrameView& frame) {
    if (Capture.recording) {
        StopClipRecording(Capture.recorder);
        Capture.recording = false;
        return;
    }
    Capture.recording =
        StartClipRecording(Capture.recorder, CaptureFolder(), frame.width, frame.height, Palette);
}

// Shows how a clip ended; one that ended by itself failed, and is recording no more.
void TakeClipNotice() {
    std::string outcome;
    if (!TakeClipOutcome(Capture.recorder, outcome)) {
        return;
    }
    ShowNotice(outcome);
    if (Capture.recording) {
        Capture.recording = false;
        JoinClipRecording(Capture.recorder);
    }
}

} // namespace

void SetCaptureFolder(const std::string& folder) {
    Capture.folder = folder;
    Capture.folderChosen = true;
}

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
    TakeClipNotice();
    if (Capture.recording && ticks - Capture.lastClipTick >= TicksPerClipFrame) {
        OfferClipFrame(Capture.recorder, frame, ticks);
        Capture.lastClipTick = ticks;
    }
}

const char* CaptureTitleSuffix(double now) {
    if (Capture.recording) {
        std::snprintf(TitleSuffix, sizeof TitleSuffix, " - recording %s",
                      Capture.recorder.file.name);
        return TitleSuffix;
    }
    if (Capture.noticeNew) {
        Capture.noticeNew = false;
        Capture.noticeEnd = now + NoticeMilliseconds;
    }
    if (!Capture.notice.empty() && now < Capture.noticeEnd) {
        std::snprintf(TitleSuffix, sizeof TitleSuffix, " - %s", Capture.notice.c_str());
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
