#include "startup/headless_session.h"

#include <chrono>

#include "render/palette.h"
#include "scene/level.h"
#include "scene/tick.h"
#include "startup/data_directory.h"
#include "startup/startup.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point& since) {
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double, std::milli>(now - since).count();
    since = now;
    return elapsed;
}

} // namespace

bool StartHeadlessSession(HeadlessSession& session, const HeadlessSessionOptions& options,
                          StartupStepTimes* times) {
    session.renderer = CreateRenderer(options.scale, options.threads);
    StartupStepTimes stepTimes{};
    Clock::time_point stepStart = Clock::now();
    BuildColourTables();
    stepTimes.colourTablesMs = MillisecondsSince(stepStart);
    if (!LoadDataSet(options.program, options.dataDirectory, MissingDataHint)) {
        return false;
    }
    stepTimes.modelsMs = MillisecondsSince(stepStart);
    session.scene = BuildWorld();
    stepTimes.levelMs = MillisecondsSince(stepStart);
    if (times != nullptr) {
        *times = stepTimes;
    }
    return true;
}

void RunIdleTicks(HeadlessSession& session, uint32_t ticks) {
    for (uint32_t tick = 0; tick < ticks; ++tick) {
        RunTick(*session.scene, NoKeyDown);
    }
}

void EndHeadlessSession(HeadlessSession& session) {
    if (session.scene != nullptr) {
        DestroyLevel(session.scene);
        session.scene = nullptr;
    }
    FreeModelSet();
}
