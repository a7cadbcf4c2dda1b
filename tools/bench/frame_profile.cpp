#include "frame_profile.h"

#include <chrono>

#include "frame_stats.h"
#include "render/render_pass.h"

namespace {

using Clock = std::chrono::steady_clock;

int64_t NanosecondsBetween(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(end - start).count();
}

// The median in milliseconds of one value of every profile.
template <typename Value> double MedianMs(const std::vector<FrameProfile>& profiles, Value value) {
    std::vector<int64_t> nanoseconds;
    nanoseconds.reserve(profiles.size());
    for (const FrameProfile& profile : profiles) {
        nanoseconds.push_back(value(profile));
    }
    return SummariseFrameTimes(std::move(nanoseconds)).medianMs;
}

} // namespace

FrameProfile ProfileFrame(Renderer& renderer, const Scene& scene) {
    WorkerState& worker = WholeFrameWorker(renderer);
    const Clock::time_point start = Clock::now();
    PrepareFrame(renderer.frame, scene);
    const Clock::time_point prepared = Clock::now();
    DrawFrameRows(worker, DrawOrder::NearToFarUnfilled, renderer.frame);
    const Clock::time_point unfilled = Clock::now();
    ClearRows(worker);
    DrawFrameRows(worker, DrawOrder::NearToFar, renderer.frame);
    const Clock::time_point drawn = Clock::now();
    return {NanosecondsBetween(start, prepared), NanosecondsBetween(prepared, unfilled),
            NanosecondsBetween(unfilled, drawn)};
}

void PrintProfile(std::FILE* out, const std::vector<FrameProfile>& profiles,
                  const BenchSummary& summary) {
    const double serial = MedianMs(profiles, [](const FrameProfile& p) { return p.serialNs; });
    const double setUp = MedianMs(profiles, [](const FrameProfile& p) { return p.unfilledNs; });
    const double filling =
        MedianMs(profiles, [](const FrameProfile& p) { return p.drawingNs - p.unfilledNs; });
    std::fprintf(out,
                 "profile, one thread, medians per frame: serial part (walk, culling, sort) "
                 "%.4f ms, set-up (models, triangles, coverage) %.4f ms, filling %.4f ms\n",
                 serial, setUp, filling);
    const BenchSummary& s = summary;
    std::fprintf(out,
                 "models skipped per frame: %.1f by their box before set-up, %.1f by their "
                 "projected positions, %.1f behind a covered frame\n",
                 s.meanModelsBoxHidden, s.meanModelsHidden - s.meanModelsBoxHidden,
                 s.meanModels - s.meanModelsReached);
}
