// Screenshots (F12) and GIF clips (F9) of what the window shows. The backends only report the
// key presses; the main loop hands over each finished frame. Nothing here touches the
// simulation.
#pragma once

#include <cstdint>
#include <string>

#include "capture/clip_recorder.h"
#include "capture/frame_view.h"
#include "scene/scene.h"

struct CaptureState {
    bool screenshotRequested;
    bool clipToggleRequested;
    bool recording;
    uint64_t lastClipTick; // tick of the last frame given to the clip
    ClipRecorder recorder;
    std::string folder; // the captures folder, once chosen
    bool folderChosen;  // else the first capture takes DefaultCaptureFolder
    std::string notice; // what the title says for a while: the file saved, or why not
    bool noticeNew;     // the notice has not been shown yet
    double noticeEnd;   // clock reading when the notice goes away
};

extern CaptureState Capture;

// Makes folder the captures folder (a --captures folder, checked by the caller).
void SetCaptureFolder(const std::string& folder);

// Called by a backend when F12 or F9 goes down; acted on after the next frame.
void RequestScreenshot();
void RequestClipToggle();

// After each frame, with the ticks run so far: saves a requested screenshot with the view in
// its text chunk, starts or stops a requested clip, and gives a recording clip every frame
// that is two or more ticks newer than the last it took.
void CaptureFrame(const FrameView& frame, uint64_t ticks, const Scene& scene);

// Appended to the title, with the clock reading of the title update: while a clip records,
// its name; for 2 seconds after a screenshot or a clip is saved, its name (the one place a
// Windows or browser user sees it), or after a capture failed, why; else nothing.
const char* CaptureTitleSuffix(double now);

// Finishes a clip that is still recording, waiting for its file to be complete.
void FinishCaptures();
