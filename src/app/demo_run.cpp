#include "app/demo_run.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/demo_session.h"
#include "app/main_loop.h"
#include "app/platform.h"

namespace {

DemoOptions Options;
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
        std::fprintf(stderr, "drav: demo %s: %s\n", Options.playPath, Player.failure.c_str());
        return DemoExitMismatch;
    }
    if (!DemoPlayerFinished(Player)) {
        std::fprintf(stderr, "drav: demo %s stopped at tick %u of %zu; %u of %zu checks matched\n",
                     Options.playPath, Player.tick, PlayedDemo.keys.size(), Player.checksPassed,
                     checks);
        return DemoExitStopped;
    }
    std::printf("drav: demo %s: %zu ticks, all %zu checks matched\n", Options.playPath,
                PlayedDemo.keys.size(), checks);
    return DemoExitMatched;
}

} // namespace

const char* const DemoUsage = "usage: drav [--record DEMO | --play DEMO]\n";

bool ParseDemoOptions(int argc, const char* const* argv, DemoOptions& options) {
    options = DemoOptions{nullptr, nullptr};
    if (argc == 1) {
        return true;
    }
    if (argc != 3) {
        return false;
    }
    if (std::strcmp(argv[1], "--record") == 0) {
        options.recordPath = argv[2];
    } else if (std::strcmp(argv[1], "--play") == 0) {
        options.playPath = argv[2];
    } else {
        return false;
    }
    return true;
}

bool PrepareDemoSession(const DemoOptions& options) {
    Options = options;
    if (options.playPath == nullptr) {
        return true;
    }
    std::string error;
    if (!LoadDemoFile(options.playPath, DigestDataFiles(nullptr), PlayedDemo, error)) {
        std::fprintf(stderr, "drav: %s\n", error.c_str());
        return false;
    }
    return true;
}

void BeginDemoSession(Scene& scene) {
    if (Options.playPath != nullptr) {
        StartDemoPlayer(Player, PlayedDemo, scene);
        LoopTickSource = TickSource{ScriptedKeyDown, AfterLoopTick};
        if (DemoPlayerFinished(Player)) {
            Running = 0;
        }
    } else if (Options.recordPath != nullptr) {
        if (StartDemoRecording(Recorder, Options.recordPath, DigestDataFiles(nullptr))) {
            LoopTickSource = TickSource{RecordingKeyDown, AfterRecordedTick};
        }
    }
}

int EndDemoSession(Scene& scene) {
    if (Options.playPath != nullptr) {
        return ReportPlayback();
    }
    if (Options.recordPath != nullptr && FinishDemoRecording(Recorder, scene)) {
        std::printf("drav: recorded %u ticks into %s\n", Recorder.writer.ticks, Options.recordPath);
    }
    return 0;
}

int RunDemoSession(const DemoOptions& options) {
    if (!PrepareDemoSession(options)) {
        return DemoExitUnplayable;
    }
    Scene* scene = StartDemo();
    if (scene == nullptr) {
        return 1;
    }
    BeginDemoSession(*scene);
    const int loopResult = RunMainLoop(*scene);
    const int sessionResult = EndDemoSession(*scene);
    return sessionResult != 0 ? sessionResult : loopResult;
}
