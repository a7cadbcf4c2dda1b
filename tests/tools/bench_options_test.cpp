#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench_options.h"
#include "render/renderer.h"
#include "walk_script.h"

namespace {

CommandLineOutcome Parse(std::vector<const char*> arguments, BenchOptions& options) {
    arguments.insert(arguments.begin(), "drav-bench");
    return ParseBenchOptions(static_cast<int>(arguments.size()), arguments.data(), options);
}

TEST(ParseBenchOptions, DefaultsToTheBuiltInWalkWithoutOutputs) {
    BenchOptions options;
    options.dataDirectory = "stale";
    ASSERT_TRUE(Parse({}, options).run);
    Walk builtIn;
    ASSERT_TRUE(ParseWalk(DefaultWalk, builtIn));
    // No --data: the program searches for its data.
    EXPECT_EQ(options.dataDirectory, "");
    EXPECT_EQ(options.walk.totalTicks, builtIn.totalTicks);
    EXPECT_EQ(options.walk.steps.size(), builtIn.steps.size());
    EXPECT_EQ(options.frames, 0u);
    EXPECT_EQ(options.tracePath, "");
    EXPECT_EQ(options.jsonPath, "");
    EXPECT_EQ(options.frame.scale, 1);
    EXPECT_EQ(options.frame.threads, DefaultThreadCount());
}

TEST(ParseBenchOptions, TakesEveryOptionInAnyOrder) {
    BenchOptions options;
    ASSERT_TRUE(Parse({"--threads", "2", "--json", "s.json", "--frames", "250", "--walk", "U4 L2",
                       "--trace", "t.txt", "--scale", "4", "--data", "d"},
                      options)
                    .run);
    EXPECT_EQ(options.dataDirectory, "d");
    EXPECT_EQ(options.walk.totalTicks, 6u);
    ASSERT_EQ(options.walk.steps.size(), 2u);
    EXPECT_EQ(options.walk.steps[1].keys, 1u << static_cast<int>(Key::Left));
    EXPECT_EQ(options.frames, 250u);
    EXPECT_EQ(options.tracePath, "t.txt");
    EXPECT_EQ(options.jsonPath, "s.json");
    EXPECT_EQ(options.frame.scale, 4);
    EXPECT_EQ(options.frame.threads, 2);
}

TEST(ParseBenchOptions, RejectsWhatItDoesNotUnderstand) {
    const std::vector<std::vector<const char*>> bad = {{"--frames"},
                                                       {"--frames", "0"},
                                                       {"--frames", "-3"},
                                                       {"--frames", "1e3"},
                                                       {"--frames", "10000001"},
                                                       {"--frames", "12x"},
                                                       {"--walk", "X5"},
                                                       {"--walk", "U"},
                                                       {"--speed", "2"},
                                                       {"stray"},
                                                       {"--scale", "16"},
                                                       {"--threads", "x"},
                                                       {"--data", "d", "--walk"}};
    for (const auto& arguments : bad) {
        BenchOptions options;
        const CommandLineOutcome outcome = Parse(arguments, options);
        EXPECT_FALSE(outcome.run) << arguments[0];
        EXPECT_EQ(outcome.exitStatus, ExitBadArguments) << arguments[0];
        EXPECT_NE(outcome.text.find("usage: drav-bench"), std::string::npos) << outcome.text;
    }
    BenchOptions most;
    EXPECT_TRUE(Parse({"--frames", "10000000"}, most).run);
}

// A timedemo brings its own walk and report. The refusal names the first refused option
// declared, and the help lists the refusal on each of them, the same in every parse.
TEST(ParseBenchOptions, PlayRefusesTheWalkOptionsTheSameWayEveryTime) {
    BenchOptions options;
    const CommandLineOutcome refused =
        Parse({"--play", "d.dem", "--json", "s.json", "--walk", "U1"}, options);
    EXPECT_EQ(refused.exitStatus, ExitBadArguments);
    EXPECT_EQ(refused.text.rfind("drav-bench: --walk excludes --play\n", 0), 0u) << refused.text;
    const std::string help = Parse({"--help"}, options).text;
    for (const char* option :
         {"--walk SCRIPT", "--frames N", "--trace FILE", "--json FILE", "--record DEMO"}) {
        EXPECT_NE(help.find(std::string(option) + " Excludes: --play\n"), std::string::npos)
            << option;
    }
    for (int parse = 0; parse < 20; ++parse) {
        EXPECT_EQ(Parse({"--help"}, options).text, help);
    }
}

} // namespace
