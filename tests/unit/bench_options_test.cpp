#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench_options.h"
#include "walk_script.h"

namespace {

bool Parse(std::vector<const char*> arguments, BenchOptions& options) {
    arguments.insert(arguments.begin(), "drav-bench");
    return ParseBenchOptions(static_cast<int>(arguments.size()), arguments.data(), "default/data",
                             options);
}

TEST(ParseBenchOptions, DefaultsToTheBuiltInWalkWithoutOutputs) {
    BenchOptions options;
    ASSERT_TRUE(Parse({}, options));
    EXPECT_STREQ(options.dataDirectory, "default/data");
    EXPECT_EQ(options.walkScript, DefaultWalk);
    EXPECT_EQ(options.frames, 0u);
    EXPECT_EQ(options.tracePath, nullptr);
    EXPECT_EQ(options.jsonPath, nullptr);
}

TEST(ParseBenchOptions, TakesEveryOptionInAnyOrder) {
    BenchOptions options;
    ASSERT_TRUE(Parse({"--json", "s.json", "--frames", "250", "--walk", "U4 L2", "--trace", "t.txt",
                       "--data", "d"},
                      options));
    EXPECT_STREQ(options.dataDirectory, "d");
    EXPECT_STREQ(options.walkScript, "U4 L2");
    EXPECT_EQ(options.frames, 250u);
    EXPECT_STREQ(options.tracePath, "t.txt");
    EXPECT_STREQ(options.jsonPath, "s.json");
}

TEST(ParseBenchOptions, RejectsWhatItDoesNotUnderstand) {
    const std::vector<std::vector<const char*>> bad = {{"--frames"},
                                                       {"--frames", "0"},
                                                       {"--frames", "-3"},
                                                       {"--frames", "1e3"},
                                                       {"--frames", "10000001"},
                                                       {"--frames", "12x"},
                                                       {"--scale", "0"},
                                                       {"--scale", "9"},
                                                       {"--threads", "0"},
                                                       {"--threads", "65"},
                                                       {"--speed", "2"},
                                                       {"stray"},
                                                       {"--data", "d", "--walk"}};
    for (const auto& arguments : bad) {
        BenchOptions options;
        EXPECT_FALSE(Parse(arguments, options)) << arguments[0];
    }
    BenchOptions most;
    EXPECT_TRUE(Parse({"--frames", "10000000"}, most));
}

TEST(ParseBenchOptions, TakesScaleAndThreadsWithinTheirRanges) {
    BenchOptions options;
    ASSERT_TRUE(Parse({}, options));
    EXPECT_EQ(options.scale, 1u);
    EXPECT_EQ(options.threads, 0u) << "one per core";
    ASSERT_TRUE(Parse({"--scale", "8", "--threads", "64"}, options));
    EXPECT_EQ(options.scale, 8u);
    EXPECT_EQ(options.threads, 64u);
}

} // namespace
