#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "walk_script.h"

namespace {

uint8_t Bit(Key key) {
    return static_cast<uint8_t>(1u << static_cast<unsigned>(key));
}

TEST(ParseWalk, ReadsStepsOfKeysAndTicks) {
    Walk walk;
    ASSERT_TRUE(ParseWalk("U400 R63  UR60", walk));
    ASSERT_EQ(walk.steps.size(), 3u);
    EXPECT_EQ(walk.steps[0].keys, Bit(Key::Up));
    EXPECT_EQ(walk.steps[0].ticks, 400u);
    EXPECT_EQ(walk.steps[1].keys, Bit(Key::Right));
    EXPECT_EQ(walk.steps[2].keys, Bit(Key::Up) | Bit(Key::Right));
    EXPECT_EQ(walk.steps[2].ticks, 60u);
    EXPECT_EQ(walk.totalTicks, 523u);
}

TEST(ParseWalk, EachLetterHoldsItsOwnKey) {
    const std::pair<const char*, Key> letters[] = {
        {"U1", Key::Up},     {"D1", Key::Down},     {"L1", Key::Left}, {"R1", Key::Right},
        {"P1", Key::PageUp}, {"N1", Key::PageDown}, {"E1", Key::End}};
    for (const auto& [script, key] : letters) {
        Walk walk;
        ASSERT_TRUE(ParseWalk(script, walk)) << script;
        EXPECT_EQ(walk.steps[0].keys, Bit(key)) << script;
    }
    Walk all;
    ASSERT_TRUE(ParseWalk(" EPNLRUD7 ", all));
    EXPECT_EQ(all.steps[0].keys, 0x7F);
}

TEST(ParseWalk, RejectsMalformedScripts) {
    const char* const bad[] = {"",
                               "   ",
                               "U",
                               "400",
                               "X5",
                               "UU5",
                               "U0",
                               "U5x",
                               "u5",
                               "U5,R3",
                               "U-5",
                               "U+5",
                               "U5\tR3",
                               "5U",
                               "U 5",
                               "U10000001",
                               "U6000000 D6000000",
                               "U99999999999999999999999"};
    for (const char* script : bad) {
        Walk walk;
        EXPECT_FALSE(ParseWalk(script, walk)) << '"' << script << '"';
    }
    Walk longest;
    EXPECT_TRUE(ParseWalk("U5000000 D5000000", longest));
    EXPECT_EQ(longest.totalTicks, MaxWalkTicks);
}

TEST(ParseWalk, DefaultWalkIsAValidTourOfSomeThousandTicks) {
    Walk walk;
    ASSERT_TRUE(ParseWalk(DefaultWalk, walk));
    EXPECT_GT(walk.totalTicks, 3000u);
    uint8_t used = 0;
    for (const WalkStep& step : walk.steps) {
        used = static_cast<uint8_t>(used | step.keys);
    }
    EXPECT_EQ(used, 0x7F) << "every key takes part";
}

TEST(NextTickKeys, HoldsEachStepForItsTicksAndStartsOver) {
    Walk walk;
    ASSERT_TRUE(ParseWalk("U2 RL1 D3", walk));
    const uint8_t up = Bit(Key::Up), turn = Bit(Key::Right) | Bit(Key::Left), down = Bit(Key::Down);
    const std::vector<uint8_t> expected = {up, up, turn, down, down, down, up, up, turn};
    WalkCursor cursor;
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(NextTickKeys(walk, cursor), expected[i]) << "tick " << i;
    }
}

TEST(ScriptedKeyDown, AnswersFromTheScriptedKeys) {
    ScriptedKeys = Bit(Key::PageDown) | Bit(Key::Up);
    EXPECT_TRUE(ScriptedKeyDown(Key::PageDown));
    EXPECT_TRUE(ScriptedKeyDown(Key::Up));
    EXPECT_FALSE(ScriptedKeyDown(Key::Down));
    EXPECT_FALSE(ScriptedKeyDown(Key::End));
    ScriptedKeys = 0;
    EXPECT_FALSE(ScriptedKeyDown(Key::Up));
}

} // namespace
