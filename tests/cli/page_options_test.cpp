#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/drav_options.h"

namespace {

CommandLineOutcome ParseWithLibrary(const std::vector<std::string>& arguments,
                                    DravOptions& options) {
    std::vector<const char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    return ParseDravOptions(static_cast<int>(argv.size()), argv.data(), options);
}

// The page's parser answers every query as the library answers drav's command line: the same
// run or exit status, the same help and messages word for word, the same values.
TEST(PageOptions, AnyQueryGetsTheLibrarysAnswer) {
    const char* const queries[] = {
        "",
        "?help",
        "?scale=2&threads=3&fps-cap=1000&vsync&fullscreen",
        "?record=a.dem",
        "?play=walk.dem&scale=3",
        "?scale=9",
        "?threads=0&scale=x",
        "?fps-cap=1001",
        "?scale",
        "?scale=2&threads",
        "?scale=",
        "?play=",
        "?play=--x",
        "?scale=2&scale=3",
        "?scale=2&scale=9",
        "?vsync&vsync",
        "?vsync=1",
        "?bogus",
        "?bogus=1&h",
        "?record=a&play=b",
        "?play=b&record=a",
        "?record=a&play=b&bogus",
        "?help&scale=9",
        "?help&bogus",
        "?help&record=a&play=b",
        "?=x",
        "?=&scale=9&help",
        "?x=-hx",
        "?x=-h-scale",
        "?x=-h-&scale=9",
        "?version",
        "?scale=9&help&version&bogus",
        "?version&scale",
        "?key-forward=w,ArrowUp&smooth&key-clip=,",
    };
    for (const char* query : queries) {
        const std::vector<std::string> arguments = QueryArguments(query);
        DravOptions expected;
        DravOptions actual;
        const CommandLineOutcome library = ParseWithLibrary(arguments, expected);
        const CommandLineOutcome page = ParsePageOptions(arguments, actual);
        EXPECT_EQ(page.run, library.run) << query;
        EXPECT_EQ(page.exitStatus, library.exitStatus) << query;
        EXPECT_EQ(page.text, library.text) << query;
        if (library.run) {
            EXPECT_EQ(actual.frame.scale, expected.frame.scale) << query;
            EXPECT_EQ(actual.frame.threads, expected.frame.threads) << query;
            EXPECT_EQ(actual.present.framesPerSecondCap, expected.present.framesPerSecondCap);
            EXPECT_EQ(actual.present.display.vsync, expected.present.display.vsync) << query;
            EXPECT_EQ(actual.present.display.fullscreen, expected.present.display.fullscreen);
            EXPECT_EQ(actual.recordPath, expected.recordPath) << query;
            EXPECT_EQ(actual.playPath, expected.playPath) << query;
        }
    }
}

// The address wins over the settings the page keeps, field by field; the kept settings leave
// out the fields that only steer the settings.
TEST(PageOptions, TheAddressWinsOverTheKeptSettings) {
    EXPECT_EQ(QueryOverSettings("scale=2&fullscreen&key-forward=w", "?scale=1&vsync"),
              "fullscreen&key-forward=w&scale=1&vsync");
    EXPECT_EQ(QueryOverSettings("", "?scale=3"), "scale=3");
    EXPECT_EQ(QueryOverSettings("scale=2&&", ""), "scale=2");
    EXPECT_EQ(SettingsOfQuery("scale=2&write-config&config=x&key-back=s"), "scale=2&key-back=s");
}

} // namespace
