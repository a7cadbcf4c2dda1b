// The benchmark's results: per-frame records, the summary, and their text and JSON forms.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "frame_count.h"
#include "frame_stats.h"

// One rendered frame of the walk: the camera after the tick, the models drawn and the frame's
// measured time.
struct FrameRecord {
    uint32_t tick;
    float x, y, z, pitch, yaw;
    uint32_t modelsDrawn;
    int64_t nanoseconds;
    FrameCounts counts;
};

struct StartupTimes {
    double colourTablesMs;
    double modelsMs;
    double levelMs;
    double firstFrameMs; // from the start of the colour tables to the end of the first frame
};

struct BenchSummary {
    uint64_t frames;
    StartupTimes startup;
    FrameTimeStats frameTimes;
    double fpsAtMedian; // 0 when the median is 0
    double meanModels;
    double meanModelsReached;
    double meanModelsHidden;
    double meanModelsBoxHidden; // of the hidden ones, those found so by their box
    double meanSubmitted;
    double meanDrawn;
    double meanRejected;
    double meanPixels;
    double meanPixelsFarToNear;
    int64_t heapAfterStartup; // -1: not known
    int64_t heapAtEnd;
    const char* heapSource;
};

// Frame statistics and means over the records; the start-up and heap fields are left zero.
BenchSummary SummariseFrames(const std::vector<FrameRecord>& records);

void PrintSummary(std::FILE* out, const BenchSummary& summary);
void WriteSummaryJson(std::FILE* out, const BenchSummary& summary);
// One line per frame: tick x y z pitch yaw models microseconds.
void WriteTrace(std::FILE* out, const std::vector<FrameRecord>& records);
