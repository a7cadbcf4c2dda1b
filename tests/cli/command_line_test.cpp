#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/drav_options.h"
#include "render/renderer.h"

namespace {

CommandLineOutcome ParseDemo(const std::vector<std::string>& arguments, DravOptions& options) {
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    return ParseDravOptions(static_cast<int>(argv.size()), argv.data(), options);
}

TEST(CommandLine, WholeNumbersArePlainDecimalDigits) {
    uint32_t value = 9;
    EXPECT_TRUE(ParseWholeNumber("0", value));
    EXPECT_EQ(value, 0u);
    EXPECT_TRUE(ParseWholeNumber("4294967295", value));
    EXPECT_EQ(value, 4294967295u);
    for (const char* bad : {"", "-1", "+1", " 1", "1x", "1.5", "4294967296", "0x10"}) {
        EXPECT_FALSE(ParseWholeNumber(bad, value)) << '"' << bad << '"';
    }
}

TEST(CommandLine, DefaultThreadsAreTheUsableCores) {
    const int cores = DefaultThreadCount();
    EXPECT_GE(cores, 1);
    EXPECT_LE(cores, MaxRenderThreads);
    const FrameOptions defaults = DefaultFrameOptions();
    EXPECT_EQ(defaults.scale, 1);
    EXPECT_EQ(defaults.threads, cores);
}

TEST(CommandLine, DemoTakesScaleAndThreads) {
    DravOptions options;
    ASSERT_TRUE(ParseDemo({"drav"}, options).run);
    EXPECT_EQ(options.frame.scale, 1);
    ASSERT_TRUE(ParseDemo({"drav", "--scale", "4", "--threads", "2"}, options).run);
    EXPECT_EQ(options.frame.scale, 4);
    EXPECT_EQ(options.frame.threads, 2);
    ASSERT_TRUE(ParseDemo({"drav", "--scale=2"}, options).run);
    EXPECT_EQ(options.frame.scale, 2);

    const CommandLineOutcome help = ParseDemo({"drav", "--help"}, options);
    EXPECT_FALSE(help.run);
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.text.find("--threads"), std::string::npos) << help.text;

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"drav", "--scale", "9"},
                                                {"drav", "--threads", "-2"},
                                                {"drav", "--scale"},
                                                {"drav", "level"}}) {
        const CommandLineOutcome outcome = ParseDemo(bad, options);
        EXPECT_FALSE(outcome.run) << bad[1];
        EXPECT_EQ(outcome.exitStatus, ExitBadArguments) << bad[1];
        EXPECT_EQ(outcome.text.rfind("drav: ", 0), 0u) << outcome.text;
    }
}

TEST(CommandLine, DemoTakesAFrameRateCapVsyncAndFullscreen) {
    DravOptions options;
    ASSERT_TRUE(ParseDemo({"drav"}, options).run);
    EXPECT_EQ(options.present.framesPerSecondCap, 0);
    EXPECT_FALSE(options.present.display.vsync);
    EXPECT_FALSE(options.present.display.fullscreen);
    ASSERT_TRUE(ParseDemo({"drav", "--fps-cap", "60", "--vsync", "--fullscreen"}, options).run);
    EXPECT_EQ(options.present.framesPerSecondCap, 60);
    EXPECT_TRUE(options.present.display.vsync);
    EXPECT_TRUE(options.present.display.fullscreen);
    ASSERT_TRUE(ParseDemo({"drav", "--fps-cap=1000"}, options).run);
    EXPECT_EQ(options.present.framesPerSecondCap, 1000);
    EXPECT_FALSE(options.present.display.vsync);

    for (const char* bad : {"-1", "1001", "sixty", ""}) {
        const CommandLineOutcome outcome = ParseDemo({"drav", "--fps-cap", bad}, options);
        EXPECT_EQ(outcome.exitStatus, ExitBadArguments) << bad;
        EXPECT_NE(outcome.text.find("--fps-cap"), std::string::npos) << outcome.text;
    }
}

TEST(CommandLine, PageQueryBecomesArguments) {
    using Arguments = std::vector<std::string>;
    EXPECT_EQ(QueryArguments(""), Arguments{"drav"});
    EXPECT_EQ(QueryArguments("?"), Arguments{"drav"});
    EXPECT_EQ(QueryArguments("?scale=2"), (Arguments{"drav", "--scale", "2"}));
    EXPECT_EQ(QueryArguments("?scale=2&threads=1"),
              (Arguments{"drav", "--scale", "2", "--threads", "1"}));
    EXPECT_EQ(QueryArguments("?help&&scale="), (Arguments{"drav", "--help", "--scale", ""}));
    EXPECT_EQ(QueryArguments("?a=b=c"), (Arguments{"drav", "--a", "b=c"}));

    DravOptions options;
    EXPECT_EQ(ParseDemo(QueryArguments("?scale=3"), options).run, true);
    EXPECT_EQ(options.frame.scale, 3);
    EXPECT_EQ(ParseDemo(QueryArguments("?scale=0"), options).exitStatus, ExitBadArguments);
}

} // namespace
