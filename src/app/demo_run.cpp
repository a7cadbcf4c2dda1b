#include "app/demo_run.h"

#include <cstdio>
#include <string>

#include "app/main_loop.h"
#include "app/platform.h"
#include "assets/output_file.h"
#include "capture/capture.h"
#include "capture/capture_folder.h"
#include "demo/demo_session.h"

namespace {

// The demo files of the session; empty paths when not given. Copies, since the browser's entry
// returns before the session ends.
std::string RecordPath;
DemoPlayback Playback;
DemoRecorder Recorder;
// Mouse turning as the options ask for it.
MouseOptions Mouse{};
// The keys the tick being run found held, gathered as it asks, and the motion it took.
uint8_t RecordedKeys = 0;
MouseMotion RecordedMotion{};

bool RecordingKeyDown(Key key) {
    const bool down = PlatformKeyDown(key);
    if (down) {
        RecordedKeys = static_cast<uint8_t>(RecordedKeys | KeyBit(key));
    }
    return down;
}

// Motion beyond what a demo holds is clamped before the tick, so the recording plays the same.
MouseMotion RecordingMotion() {
    RecordedMotion = ClampDemoMotion(PlatformTakeMouseMotion());
    return RecordedMotion;
}

void AfterRecordedTick(Scene& scene) {
    RecordDemoTick(Recorder, scene, RecordedKeys, RecordedMotion);
    RecordedKeys = 0;
    RecordedMotion = MouseMotion{};
}

MouseMotion PlayedMotion() {
    return ScriptedMotion;
}

// The keyboard drives the loop as it starts; the mouse as well when it was asked for.
void StartMouse() {
    if (Mouse.enabled) {
        PlatformEnableMouse();
        LoopTickSource =
            TickSource{PlatformKeyDown, nullptr, PlatformTakeMouseMotion, Mouse.turning};
    }
}

void AfterLoopTick(Scene& scene) {
    AfterPlayedTick(Playback.player, scene);
    if (DemoPlayerFinished(Playback.player)) {
        Running = 0;
    }
}

int ReportPlayback() {
    const DemoPlayer& player = Playback.player;
    const Demo& demo = Playback.demo;
    if (const int mismatch = ReportDemoMismatch(Playback, "drav"); mismatch != DemoExitMatched) {
        return mismatch;
    }
    if (!DemoPlayerFinished(player)) {
        std::fprintf(stderr, "drav: demo %s stopped at tick %u of %zu; %u of %zu checks matched\n",
                     Playback.path.c_str(), player.tick, demo.keys.size(), player.checksPassed,
                     demo.checks.size());
        return DemoExitStopped;
    }
    std::printf("drav: demo %s: %zu ticks, all %zu checks matched\n", Playback.path.c_str(),
                demo.keys.size(), demo.checks.size());
    return DemoExitMatched;
}

// Fails, after saying why, with a file to record that could not be written.
bool CheckRecordPath(const std::string& path) {
    const std::string problem = path.empty() ? std::string() : OutputPathProblem(path.c_str());
    if (!problem.empty()) {
        std::fprintf(stderr, "drav: %s\n", problem.c_str());
    }
    return problem.empty();
}

// A captures folder named on the command line is made and checked now; the default one only
// when the first capture needs it.
bool PrepareCaptures(const std::string& folder) {
    if (folder.empty()) {
        return true;
    }
    std::string error;
    if (!PrepareCaptureFolder(folder, error)) {
        std::fprintf(stderr, "drav: %s\n", error.c_str());
        return false;
    }
    SetCaptureFolder(folder);
    return true;
}

} // namespace

bool PrepareDemoSession(const DravOptions& options) {
    RecordPath = options.recordPath;
    Mouse = options.mouse;
    Playback.path = options.playPath;
    return Playback.path.empty() || LoadDemoPlayback(Playback, "drav", Playback.path, "");
}

void BeginDemoSession(Scene& scene) {
    if (!Playback.path.empty()) {
        // The demo's own motion and turning drive the view; the pointer stays free.
        StartDemoPlayer(Playback.player, Playback.demo, scene);
        LoopTickSource =
            TickSource{ScriptedKeyDown, AfterLoopTick, PlayedMotion, Playback.demo.turning};
        if (DemoPlayerFinished(Playback.player)) {
            Running = 0;
        }
        return;
    }
    StartMouse();
    if (!RecordPath.empty() &&
        StartDemoRecording(Recorder, "drav", RecordPath.c_str(), DigestDataFiles(""),
                           Mouse.enabled ? &Mouse.turning : nullptr)) {
        LoopTickSource = TickSource{RecordingKeyDown, AfterRecordedTick,
                                    Mouse.enabled ? RecordingMotion : nullptr, Mouse.turning};
    }
}

int EndDemoSession(Scene& scene) {
    if (!Playback.path.empty()) {
        return ReportPlayback();
    }
    if (!RecordPath.empty() && FinishDemoRecording(Recorder, scene)) {
        std::printf("drav: recorded %u ticks into %s\n", Recorder.writer.ticks, RecordPath.c_str());
    }
    return 0;
}

int RunDrav(const DravOptions& options) {
    if (!PrepareDemoSession(options)) {
        return DemoExitUnplayable;
    }
    if (!CheckRecordPath(options.recordPath) || !PrepareCaptures(options.capturesFolder)) {
        return ExitCannotWrite;
    }
    Scene* scene = StartWindowProgram(
        WindowSettings{options.frame.scale, options.frame.threads, options.present});
    if (scene == nullptr) {
        return 1;
    }
    BeginDemoSession(*scene);
    const int loopResult =
        RunMainLoop(*scene, options.present.framesPerSecondCap, options.present.smooth);
    const int sessionResult = EndDemoSession(*scene);
    return sessionResult != 0 ? sessionResult : loopResult;
}
