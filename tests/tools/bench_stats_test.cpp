#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench_report.h"
#include "frame_stats.h"

namespace {

constexpr int64_t Ms = 1000000; // nanoseconds

TEST(SummariseFrameTimes, NoFramesGiveZeros) {
    const FrameTimeStats stats = SummariseFrameTimes({});
    EXPECT_EQ(stats.medianMs, 0.0);
    EXPECT_EQ(stats.maxMs, 0.0);
}

TEST(SummariseFrameTimes, MedianOfOddAndEvenCounts) {
    EXPECT_EQ(SummariseFrameTimes({3 * Ms, 1 * Ms, 2 * Ms}).medianMs, 2.0);
    EXPECT_EQ(SummariseFrameTimes({4 * Ms, 1 * Ms, 2 * Ms, 3 * Ms}).medianMs, 2.5);
    EXPECT_EQ(SummariseFrameTimes({7 * Ms}).medianMs, 7.0);
}

TEST(SummariseFrameTimes, PercentilesByNearestRankInAnyOrder) {
    std::vector<int64_t> times;
    for (int64_t i = 100; i >= 1; --i) {
        times.push_back(i * Ms);
    }
    const FrameTimeStats stats = SummariseFrameTimes(times);
    EXPECT_EQ(stats.p90Ms, 90.0);
    EXPECT_EQ(stats.p99Ms, 99.0);
    EXPECT_EQ(stats.maxMs, 100.0);
    EXPECT_EQ(stats.medianMs, 50.5);
    // With ten frames the 99th percentile is already the slowest one.
    const FrameTimeStats ten = SummariseFrameTimes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10 * Ms});
    EXPECT_EQ(ten.p99Ms, 10.0);
    EXPECT_EQ(ten.p90Ms, 9.0 / Ms);
}

FrameRecord Record(uint32_t tick, int64_t nanoseconds, uint32_t models, uint64_t submitted,
                   uint64_t drawn, uint64_t pixels) {
    FrameRecord record{};
    record.tick = tick;
    record.x = 1.5f;
    record.y = 1.0f;
    record.z = -2.25f;
    record.pitch = 0.125f;
    record.yaw = -3.5f;
    record.modelsDrawn = models;
    record.nanoseconds = nanoseconds;
    record.counts.models = models;
    record.counts.modelsReached = models / 2;
    record.counts.modelsHidden = models / 10;
    record.counts.nearToFar = TriangleCounts{submitted, drawn, pixels};
    record.counts.farToNear = TriangleCounts{submitted, drawn, 2 * pixels};
    return record;
}

TEST(SummariseFrames, MeansPerFrameAndRateAtTheMedian) {
    const std::vector<FrameRecord> records = {Record(1, 2 * Ms / 10, 10, 100, 40, 5000),
                                              Record(2, 4 * Ms / 10, 20, 300, 60, 7000),
                                              Record(3, 1 * Ms, 30, 200, 200, 9000)};
    const BenchSummary summary = SummariseFrames(records);
    EXPECT_EQ(summary.frames, 3u);
    EXPECT_DOUBLE_EQ(summary.frameTimes.medianMs, 0.4);
    EXPECT_DOUBLE_EQ(summary.fpsAtMedian, 2500.0);
    EXPECT_DOUBLE_EQ(summary.meanModels, 20.0);
    EXPECT_DOUBLE_EQ(summary.meanModelsReached, 10.0);
    EXPECT_DOUBLE_EQ(summary.meanModelsHidden, 2.0);
    EXPECT_DOUBLE_EQ(summary.meanSubmitted, 200.0);
    EXPECT_DOUBLE_EQ(summary.meanDrawn, 100.0);
    EXPECT_DOUBLE_EQ(summary.meanRejected, 100.0);
    EXPECT_DOUBLE_EQ(summary.meanPixels, 7000.0);
    EXPECT_DOUBLE_EQ(summary.meanPixelsFarToNear, 14000.0);
    EXPECT_EQ(SummariseFrames({}).fpsAtMedian, 0.0);
}

// Everything a writer printed into a temporary file.
template <typename Writer> std::string Written(Writer writer) {
    std::FILE* file = std::tmpfile();
    writer(file);
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) {
        text += static_cast<char>(c);
    }
    std::fclose(file);
    return text;
}

TEST(WriteTrace, OneLinePerFrameWithCameraModelsAndMicroseconds) {
    const std::vector<FrameRecord> records = {Record(1, 123456, 7, 0, 0, 0),
                                              Record(2, 2000, 0, 0, 0, 0)};
    const std::string trace = Written([&](std::FILE* f) { WriteTrace(f, records); });
    EXPECT_EQ(trace, "1 1.5 1 -2.25 0.125 -3.5 7 123.456\n"
                     "2 1.5 1 -2.25 0.125 -3.5 0 2.000\n");
}

TEST(WriteSummaryJson, HoldsEveryFigureUnderItsName) {
    BenchSummary summary = SummariseFrames({Record(1, Ms / 4, 150, 4000, 1000, 140000)});
    summary.startup = StartupTimes{3.5, 1.25, 0.5, 6.0};
    summary.heapAfterStartup = 1000;
    summary.heapAtEnd = 1000;
    summary.heapSource = "test";
    const std::string json = Written([&](std::FILE* f) { WriteSummaryJson(f, summary); });
    for (const char* field :
         {"\"frames\": 1,", "\"colour_tables\": 3.5000", "\"start_to_first_frame\": 6.0000",
          "\"median\": 0.25000", "\"fps_at_median\": 4000.0", "\"models_drawn\": 150.000",
          "\"triangles_rejected\": 3000.000", "\"pixels_written\": 140000.000",
          "\"models_reached\": 75.000", "\"models_hidden\": 15.000",
          "\"pixels_far_to_near\": 280000.000", "\"source\": \"test\"", "\"at_end\": 1000"}) {
        EXPECT_NE(json.find(field), std::string::npos) << field << " in\n" << json;
    }
    EXPECT_EQ(json.front(), '{');
    EXPECT_EQ(json.substr(json.size() - 2), "}\n");
}

} // namespace
