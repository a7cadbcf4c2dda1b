#include "app/demo_run.h"

#include <cstdio>
#include <string>

#include "app/demo_session.h"
#include "app/main_loop.h"
#include "app/platform.h"

namespace {

// The demo files of the session; empty when not given. Copies, since the browser's entry
// returns before the session ends.
std::string RecordPath;
std::string PlayPath;
Demo PlayedDemo;
DemoPlayer Player;
DemoRecorder Recorder;
// The keys the tick being run found held, gathered as it asks.
uint8_t RecordedKeys = 0;

bool RecordingKeyDown(Key key) {
    const bool down = PlatformKeyDown(key);
    if (down) {
        RecordedKeys = static_cast<uint8_t>(RecordedKeys | KeyBit(key));
    }
    return down;
}

void AfterRecordedTick(Scene& scene) {
    RecordDemoTick(Recorder, scene, RecordedKeys);
    RecordedKeys = 0;
}

void AfterLoopTick(Scene& scene) {
    AfterPlayedTick(Player, scene);
    if (DemoPlayerFinished(Player)) {
        Running = 0;
    }
}

int ReportPlayback() {
    const size_t checks = PlayedDemo.checks.size();
    if (Player.failed) {
        std::fprintf(stderr, "drav: demo %s: %s\n", PlayPath.c_str(), Player.failure.c_str());
        return DemoExitMismatch;
    }
    if (!DemoPlayerFinished(Player)) {
        std::fprintf(stderr, "drav: demo %s stopped at tick %u of %zu; %u of %zu checks matched\n",
                     PlayPath.c_str(), Player.tick, PlayedDemo.keys.size(), Player.checksPassed,
                     checks);
        return DemoExitStopped;
    }
    std::printf("drav: demo %s: %zu ticks, all %zu checks matched\n", PlayPath.c_str(),
                PlayedDemo.keys.size(), checks);
    return DemoExitMatched;
}

} // namespace

bool PrepareDemoSession(const DemoOptions& options) {
    RecordPath = options.recordPath;
    PlayPath = options.playPath;
    if (PlayPath.empty()) {
        return true;
    }
    std::string error;
    if (!LoadDemoFile(PlayPath.c_str(), DigestDataFiles(""), PlayedDemo, error)) {
        std::fprintf(stderr, "drav: %s\n", error.c_str());
        return false;
    }
    return true;
}

void BeginDemoSession(Scene& scene) {
    if (!PlayPath.empty()) {
        StartDemoPlayer(Player, PlayedDemo, scene);
        LoopTickSource = TickSource{ScriptedKeyDown, AfterLoopTick};
        if (DemoPlayerFinished(Player)) {
            Running = 0;
        }
    } else if (!RecordPath.empty()) {
        if (StartDemoRecording(Recorder, RecordPath.c_str(), DigestDataFiles(""))) {
            LoopTickSource = TickSource{RecordingKeyDown, AfterRecordedTick};
        }
    }
}

int EndDemoSession(Scene& scene) {
    if (!PlayPath.empty()) {
        return ReportPlayback();
    }
    if (!RecordPath.empty() && FinishDemoRecording(Recorder, scene)) {
        std::printf("drav: recorded %u ticks into %s\n", Recorder.writer.ticks, RecordPath.c_str());
    }
    return 0;
}

int RunDemoSession(const DemoOptions& options) {
    if (!PrepareDemoSession(options)) {
        return DemoExitUnplayable;
    }
    Scene* scene =
        StartDemo(DemoSettings{options.frame.scale, options.frame.threads, options.present});
    if (scene == nullptr) {
        return 1;
    }
    BeginDemoSession(*scene);
    const int loopResult = RunMainLoop(*scene, options.present.framesPerSecondCap);
    const int sessionResult = EndDemoSession(*scene);
    return sessionResult != 0 ? sessionResult : loopResult;
}
