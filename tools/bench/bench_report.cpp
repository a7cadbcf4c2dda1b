#include "bench_report.h"

#include <cinttypes>

namespace {

double Mean(uint64_t total, uint64_t count) {
    return count == 0 ? 0.0 : static_cast<double>(total) / static_cast<double>(count);
}

} // namespace

BenchSummary SummariseFrames(const std::vector<FrameRecord>& records) {
    BenchSummary summary{};
    std::vector<int64_t> nanoseconds;
    nanoseconds.reserve(records.size());
    uint64_t models = 0, reached = 0, hidden = 0, boxHidden = 0, farToNearPixels = 0;
    TriangleCounts pass{0, 0, 0};
    for (const FrameRecord& record : records) {
        nanoseconds.push_back(record.nanoseconds);
        models += record.modelsDrawn;
        reached += record.counts.modelsReached;
        hidden += record.counts.modelsHidden;
        boxHidden += record.counts.modelsBoxHidden;
        pass.submitted += record.counts.nearToFar.submitted;
        pass.drawn += record.counts.nearToFar.drawn;
        pass.pixels += record.counts.nearToFar.pixels;
        farToNearPixels += record.counts.farToNear.pixels;
    }
    const uint64_t frames = records.size();
    summary.frames = frames;
    summary.frameTimes = SummariseFrameTimes(std::move(nanoseconds));
    summary.fpsAtMedian =
        summary.frameTimes.medianMs > 0.0 ? 1000.0 / summary.frameTimes.medianMs : 0.0;
    summary.meanModels = Mean(models, frames);
    summary.meanModelsReached = Mean(reached, frames);
    summary.meanModelsHidden = Mean(hidden, frames);
    summary.meanModelsBoxHidden = Mean(boxHidden, frames);
    summary.meanSubmitted = Mean(pass.submitted, frames);
    summary.meanDrawn = Mean(pass.drawn, frames);
    summary.meanRejected = Mean(pass.submitted - pass.drawn, frames);
    summary.meanPixels = Mean(pass.pixels, frames);
    summary.meanPixelsFarToNear = Mean(farToNearPixels, frames);
    return summary;
}

void PrintSummary(std::FILE* out, const BenchSummary& s) {
    const StartupTimes& t = s.startup;
    std::fprintf(out,
                 "start-up: palette and fog table %.3f ms, models %.3f ms, level %.3f ms, "
                 "start to first frame %.3f ms\n",
                 t.colourTablesMs, t.modelsMs, t.levelMs, t.firstFrameMs);
    const FrameTimeStats& f = s.frameTimes;
    std::fprintf(out,
                 "frames: %" PRIu64 ", median %.4f ms, p90 %.4f ms, p99 %.4f ms, max %.4f ms, "
                 "%.0f fps at the median\n",
                 s.frames, f.medianMs, f.p90Ms, f.p99Ms, f.maxMs, s.fpsAtMedian);
    std::fprintf(out,
                 "per frame: %.1f models drawn, %.1f of them before the frame was covered, "
                 "%.1f of those found hidden; triangles %.1f submitted, %.1f drawn, %.1f "
                 "rejected; %.0f pixels written (%.0f far to near)\n",
                 s.meanModels, s.meanModelsReached, s.meanModelsHidden, s.meanSubmitted,
                 s.meanDrawn, s.meanRejected, s.meanPixels, s.meanPixelsFarToNear);
    std::fprintf(out,
                 "heap in use (%s): %" PRId64 " bytes after start-up, %" PRId64 " at the end\n",
                 s.heapSource, s.heapAfterStartup, s.heapAtEnd);
}

void WriteSummaryJson(std::FILE* out, const BenchSummary& s) {
    const StartupTimes& t = s.startup;
    const FrameTimeStats& f = s.frameTimes;
    std::fprintf(out, "{\n  \"frames\": %" PRIu64 ",\n", s.frames);
    std::fprintf(out,
                 "  \"startup_ms\": {\"colour_tables\": %.4f, \"models\": %.4f, \"level\": "
                 "%.4f, \"start_to_first_frame\": %.4f},\n",
                 t.colourTablesMs, t.modelsMs, t.levelMs, t.firstFrameMs);
    std::fprintf(out,
                 "  \"frame_ms\": {\"median\": %.5f, \"p90\": %.5f, \"p99\": %.5f, \"max\": "
                 "%.5f},\n  \"fps_at_median\": %.1f,\n",
                 f.medianMs, f.p90Ms, f.p99Ms, f.maxMs, s.fpsAtMedian);
    std::fprintf(out,
                 "  \"per_frame\": {\"models_drawn\": %.3f, \"models_reached\": %.3f, "
                 "\"models_hidden\": %.3f, "
                 "\"triangles_submitted\": %.3f, \"triangles_drawn\": %.3f, "
                 "\"triangles_rejected\": %.3f, \"pixels_written\": %.3f, "
                 "\"pixels_far_to_near\": %.3f},\n",
                 s.meanModels, s.meanModelsReached, s.meanModelsHidden, s.meanSubmitted,
                 s.meanDrawn, s.meanRejected, s.meanPixels, s.meanPixelsFarToNear);
    std::fprintf(out,
                 "  \"heap_bytes\": {\"source\": \"%s\", \"after_startup\": %" PRId64
                 ", \"at_end\": %" PRId64 "}\n}\n",
                 s.heapSource, s.heapAfterStartup, s.heapAtEnd);
}

void WriteTrace(std::FILE* out, const std::vector<FrameRecord>& records) {
    for (const FrameRecord& r : records) {
        std::fprintf(out, "%" PRIu32 " %.9g %.9g %.9g %.9g %.9g %" PRIu32 " %.3f\n", r.tick, r.x,
                     r.y, r.z, r.pitch, r.yaw, r.modelsDrawn,
                     static_cast<double>(r.nanoseconds) / 1000.0);
    }
}
