// Recording a GIF clip beside the main loop: the loop hands frames over and never waits. A
// worker thread encodes them from a bounded queue of buffers allocated when the recording
// starts; a frame that finds the queue full is dropped and counted. A write that fails ends the
// recording at once and removes its file; how a recording ended is left for the loop as a
// short outcome ("saved NAME", or why not) that it shows in the title.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "capture/capture_file.h"
#include "capture/frame_view.h"
#include "render/palette.h"

constexpr int ClipQueueLength = 8;

struct QueuedFrame {
    std::vector<uint8_t> pixels; // width x height, packed
    uint64_t tick;
};

struct ClipRecorder {
    std::thread worker;
    std::mutex lock;
    std::condition_variable frameReady;
    QueuedFrame queue[ClipQueueLength];
    int first;     // the oldest queued frame, which the worker may be encoding
    int count;     // frames queued and not yet encoded
    bool stopping; // no more frames are taken: stopped, or a write failed
    int32_t width, height;
    uint32_t offered, dropped;
    CaptureFile file;    // file.name is the clip's name
    std::string outcome; // how the last recording ended, until taken
    bool outcomeReady;
};

// Leaves the outcome of a recording for TakeClipOutcome.
void PostClipOutcome(ClipRecorder& recorder, const std::string& outcome);
// The outcome of a recording that ended since the last call, if any.
bool TakeClipOutcome(ClipRecorder& recorder, std::string& outcome);

// Creates a new drav-NNNN.gif in folder and starts the worker on it; false, with nothing
// started and the reason on stderr and in the outcome, when the file cannot be created or this
// build has no GIF encoder.
bool StartClipRecording(ClipRecorder& recorder, const std::string& folder, int32_t width,
                        int32_t height, const RgbQuad* palette);
// Queues a copy of the frame shown from the given tick on, or drops it when the queue is full.
void OfferClipFrame(ClipRecorder& recorder, const FrameView& frame, uint64_t tick);
// Lets the worker encode what is queued, finish the file, say on stdout what it recorded (on
// stderr why it could not) and end. Returns at once.
void StopClipRecording(ClipRecorder& recorder);
// Waits for a stopped recording's worker to end.
void JoinClipRecording(ClipRecorder& recorder);
