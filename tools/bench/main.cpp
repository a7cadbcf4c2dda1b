// drav-bench: builds the level as drav does, then walks a script of keys through drav's
// own tick, rendering and timing one frame after every tick, and reports start-up and frame
// times, what the frames drew, and the heap in use.
#include <chrono>
#include <cstdio>

#include "assets/output_file.h"
#include "bench_options.h"
#include "bench_report.h"
#include "demo/demo_session.h"
#include "frame_count.h"
#include "frame_profile.h"
#include "heap_usage.h"
#include "render/frame.h"
#include "scene/tick.h"
#include "startup/headless_session.h"
#include "timedemo.h"
#include "walk_script.h"

namespace {

constexpr int ExitWriteFailed = 1;
constexpr int ExitNoData = 1;

using Clock = std::chrono::steady_clock;

// The level and the renderer of the timed frames.
HeadlessSession Session;
// Draws nothing; its single worker makes the counting pass's decisions over the whole frame.
std::unique_ptr<Renderer> CountingRenderer;
// Records the walk when --record is given.
DemoRecorder Recorder;

double MillisecondsBetween(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The program's start-up, timed step by step, up to and including its first frame. False when
// no data files are found.
bool StartUp(const BenchOptions& options, StartupTimes& times) {
    StartupStepTimes steps{};
    if (!StartHeadlessSession(
            Session,
            {"drav-bench", options.dataDirectory, options.frame.scale, options.frame.threads},
            &steps)) {
        return false;
    }
    const Clock::time_point frameStart = Clock::now();
    RenderFrame(*Session.renderer, *Session.scene);
    const double frameMs = MillisecondsBetween(frameStart, Clock::now());
    times = StartupTimes{steps.colourTablesMs, steps.modelsMs, steps.levelMs,
                         steps.colourTablesMs + steps.modelsMs + steps.levelMs + frameMs};
    return true;
}

// One tick of the walk, then one timed frame; the counting pass runs after the clock stopped.
FrameRecord TickAndRender(Scene& scene, const Walk& walk, WalkCursor& cursor, uint32_t tick) {
    ScriptedKeys = NextTickKeys(walk, cursor);
    RunTick(scene, ScriptedKeyDown);
    RecordDemoTick(Recorder, scene, ScriptedKeys);
    const Clock::time_point start = Clock::now();
    RenderFrame(*Session.renderer, scene);
    const Clock::time_point end = Clock::now();
    FrameRecord record{};
    record.tick = tick;
    record.x = scene.x;
    record.y = scene.y;
    record.z = scene.z;
    record.pitch = scene.pitch;
    record.yaw = scene.yaw;
    record.modelsDrawn = Session.renderer->frame.drawnModelCount;
    record.nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count();
    record.counts = CountFrame(WholeFrameWorker(*CountingRenderer), CountingRenderer->frame, scene);
    return record;
}

// The frame's size, the threads and the pixels per second at the median frame time.
void PrintFrameRate(std::FILE* out, const RenderTarget& frame, int threads, double medianMs) {
    const double pixels = static_cast<double>(frame.width) * frame.height;
    const double perSecond = medianMs > 0.0 ? pixels / medianMs * 1000.0 : 0.0;
    std::fprintf(out,
                 "frame: %dx%d pixels, %d thread%s, %.1f million pixels per second at the median\n",
                 frame.width, frame.height, threads, threads == 1 ? "" : "s", perSecond / 1e6);
}

// Runs writer into the file at path (none when path is empty), written as OpenOutputFile
// writes files; names the file and why on failure.
template <typename Writer> bool WriteFile(const std::string& path, Writer writer) {
    if (path.empty()) {
        return true;
    }
    OutputFile file;
    std::string error;
    bool written = OpenOutputFile(file, path.c_str(), error);
    if (written) {
        writer(file.stream);
        written = CommitOutputFile(file, error);
    }
    if (!written) {
        std::fprintf(stderr, "drav-bench: %s\n", error.c_str());
    }
    return written;
}

} // namespace

int main(int argc, char** argv) {
    BenchOptions options;
    const int exitStatus = ReportCommandLine(ParseBenchOptions(argc, argv, options));
    if (exitStatus >= 0) {
        return exitStatus;
    }
    if (!OutputFilesWritable("drav-bench",
                             {options.recordPath, options.tracePath, options.jsonPath})) {
        return ExitBadArguments;
    }
    if (!options.playPath.empty()) {
        return RunTimedemo(options.playPath.c_str(), options.dataDirectory, options.frame);
    }
    const Walk& walk = options.walk;
    const uint32_t frames =
        options.frames != 0 ? options.frames : static_cast<uint32_t>(walk.totalTicks);
    std::vector<FrameRecord> records;
    records.reserve(frames);
    std::vector<FrameProfile> profiles;
    profiles.reserve(options.profile ? frames : 0);

    StartupTimes startup;
    CountingRenderer = CreateRenderer(options.frame.scale, 1);
    if (!StartUp(options, startup)) {
        return ExitNoData;
    }
    const int64_t heapAfterStartup = HeapBytesInUse();
    if (!options.recordPath.empty() &&
        !StartDemoRecording(Recorder, "drav-bench", options.recordPath.c_str(),
                            DigestDataFiles(options.dataDirectory))) {
        return ExitWriteFailed;
    }
    WalkCursor cursor;
    for (uint32_t tick = 1; tick <= frames; ++tick) {
        records.push_back(TickAndRender(*Session.scene, walk, cursor, tick));
        if (options.profile) {
            profiles.push_back(ProfileFrame(*CountingRenderer, *Session.scene));
        }
    }

    if (!options.recordPath.empty() && !FinishDemoRecording(Recorder, *Session.scene)) {
        return ExitWriteFailed;
    }

    BenchSummary summary = SummariseFrames(records);
    summary.startup = startup;
    summary.heapAfterStartup = heapAfterStartup;
    summary.heapAtEnd = HeapBytesInUse();
    summary.heapSource = HeapCountSource();
    PrintSummary(stdout, summary);
    PrintFrameRate(stdout, Session.renderer->target, options.frame.threads,
                   summary.frameTimes.medianMs);
    if (options.profile) {
        PrintProfile(stdout, profiles, summary);
    }
    const bool written =
        WriteFile(options.tracePath, [&](std::FILE* f) { WriteTrace(f, records); }) &&
        WriteFile(options.jsonPath, [&](std::FILE* f) { WriteSummaryJson(f, summary); });
    EndHeadlessSession(Session);
    return written ? 0 : ExitWriteFailed;
}
