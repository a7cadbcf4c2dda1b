// The hand-over of a recording's outcome from the clip worker to the main loop.
#include "capture/clip_recorder.h"

void PostClipOutcome(ClipRecorder& recorder, const std::string& outcome) {
    std::lock_guard<std::mutex> guard(recorder.lock);
    recorder.outcome = outcome;
    recorder.outcomeReady = true;
}

bool TakeClipOutcome(ClipRecorder& recorder, std::string& outcome) {
    std::lock_guard<std::mutex> guard(recorder.lock);
    if (!recorder.outcomeReady) {
        return false;
    }
    recorder.outcomeReady = false;
    outcome = recorder.outcome;
    return true;
}
