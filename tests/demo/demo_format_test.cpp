// Demo files in memory: what the writer's pieces encode parses back to the same demo, and
// every malformed, truncated or foreign file is refused with a reason, never read past its end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "demo/demo_format.h"
#include "scene/tick.h"

namespace {

// A demo of the given length with varied keys and the checks the schedule asks for.
Demo MakeDemo(uint32_t ticks) {
    Demo demo{};
    demo.dataDigest = 0x0123456789abcdefull;
    for (uint32_t t = 1; t <= ticks; ++t) {
        demo.keys.push_back(static_cast<uint8_t>((t * 37u) & AllKeyBits));
        if (IsScheduledCheck(t) || t == ticks) {
            DemoCheck check{t, {t, t + 1, t + 2, t + 3, t + 4, t + 5}, t * 7ull, ~uint64_t{t}};
            demo.checks.push_back(check);
        }
    }
    if (ticks == 0) {
        demo.checks.push_back(DemoCheck{0, {1, 2, 3, 4, 5, 6}, 8, 9});
    }
    return demo;
}

// A version 2 demo: MakeDemo's keys and checks, motion in two ticks of three, and turning.
Demo MakeMouseDemo(uint32_t ticks) {
    Demo demo = MakeDemo(ticks);
    demo.version = DemoMouseVersion;
    demo.turning = MouseTurning{250, true};
    for (int32_t t = 0; t < static_cast<int32_t>(ticks); ++t) {
        demo.motion.push_back(t % 3 == 0 ? MouseMotion{0, 0}
                                         : MouseMotion{t - 100, t - DemoMotionLimit});
    }
    return demo;
}

// Header, keys with their checks, end marker and the patched tick count, as the writer does.
std::vector<uint8_t> Encode(const Demo& demo) {
    std::vector<uint8_t> out;
    AppendDemoHeader(out, demo.dataDigest,
                     demo.version == DemoMouseVersion ? &demo.turning : nullptr);
    size_t nextCheck = 0;
    for (uint32_t tick = 0;; ++tick) {
        while (nextCheck < demo.checks.size() && demo.checks[nextCheck].tick == tick) {
            AppendDemoCheck(out, demo.checks[nextCheck++]);
        }
        if (tick == demo.keys.size()) {
            break;
        }
        AppendDemoTick(out, demo.keys[tick],
                       demo.motion.empty() ? MouseMotion{} : demo.motion[tick]);
    }
    const uint32_t ticks = static_cast<uint32_t>(demo.keys.size());
    AppendDemoEnd(out, ticks);
    uint8_t count[4];
    EncodeTickCount(count, ticks);
    std::memcpy(out.data() + DemoTickCountOffset, count, sizeof count);
    return out;
}

std::string ParseError(const std::vector<uint8_t>& bytes) {
    Demo demo;
    std::string error;
    EXPECT_FALSE(ParseDemo(bytes.data(), bytes.size(), demo, error));
    return error;
}

// Why the file is refused with one byte changed.
std::string EditedError(std::vector<uint8_t> bytes, size_t offset, uint8_t value) {
    bytes[offset] = value;
    return ParseError(bytes);
}

// Offset of the first byte of tick t's key in an encoded demo with checks on the schedule.
size_t KeyOffset(uint32_t tick) {
    constexpr size_t CheckSize = 45;
    return DemoHeaderSize + (tick - 1) + ((tick - 1) / DemoCheckInterval) * CheckSize;
}

TEST(DemoFormat, RoundTripsKeysChecksAndDigest) {
    for (uint32_t ticks : {0u, 1u, 63u, 64u, 65u, 200u}) {
        const Demo original = MakeDemo(ticks);
        const std::vector<uint8_t> bytes = Encode(original);
        Demo parsed;
        std::string error;
        ASSERT_TRUE(ParseDemo(bytes.data(), bytes.size(), parsed, error)) << ticks << ": " << error;
        EXPECT_EQ(parsed.dataDigest, original.dataDigest);
        EXPECT_EQ(parsed.keys, original.keys);
        ASSERT_EQ(parsed.checks.size(), original.checks.size()) << ticks;
        for (size_t i = 0; i < parsed.checks.size(); ++i) {
            const DemoCheck& got = parsed.checks[i];
            const DemoCheck& wanted = original.checks[i];
            EXPECT_EQ(got.tick, wanted.tick);
            EXPECT_TRUE(std::equal(std::begin(got.camera), std::end(got.camera), wanted.camera));
            EXPECT_EQ(got.keysDigest, wanted.keysDigest);
            EXPECT_EQ(got.frameDigest, wanted.frameDigest);
        }
    }
    EXPECT_EQ(Encode(MakeDemo(200)).size(), DemoHeaderSize + 200 + 4 * 45 + 5);
}

// Every prefix of a valid file is refused; under the sanitizers this also proves the parser
// stays inside the bytes it is given.
TEST(DemoFormat, RefusesEveryTruncation) {
    for (const Demo& demo : {MakeDemo(130), MakeMouseDemo(130)}) {
        const std::vector<uint8_t> bytes = Encode(demo);
        for (size_t size = 0; size < bytes.size(); ++size) {
            const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + size);
            EXPECT_FALSE(ParseError(prefix).empty()) << demo.version << " " << size;
        }
    }
}

TEST(DemoFormat, RefusesForeignAndMalformedFiles) {
    const std::vector<uint8_t> good = Encode(MakeDemo(130));
    auto edited = [&](size_t offset, uint8_t value) { return EditedError(good, offset, value); };
    EXPECT_NE(edited(0, 'X').find("not a demo"), std::string::npos);
    EXPECT_NE(edited(8, 3).find("version 3"), std::string::npos);
    EXPECT_NE(edited(DemoTickCountOffset, 131).find("header says 131"), std::string::npos);
    EXPECT_NE(edited(KeyOffset(5), 0x90).find("unknown byte 144"), std::string::npos);
    EXPECT_NE(edited(KeyOffset(5), DemoMotionTag).find("unknown byte 129"), std::string::npos);
    // A check record's tick is the tick count before it.
    EXPECT_NE(edited(KeyOffset(64) + 2, 65).find("names tick 65"), std::string::npos);

    std::vector<uint8_t> endedButUnfinished = good;
    std::memset(endedButUnfinished.data() + DemoTickCountOffset, 0xff, 4);
    EXPECT_NE(ParseError(endedButUnfinished).find("never closed"), std::string::npos);

    std::vector<uint8_t> stray = good;
    stray.push_back(0);
    EXPECT_NE(ParseError(stray).find("stray"), std::string::npos);
}

// A recording stopped by a kill keeps every key it holds and its complete checks, from the
// header on; a check record cut short is dropped, and a bad byte is still refused.
TEST(DemoFormat, AnUnclosedRecordingKeepsEveryKeyItHolds) {
    std::vector<uint8_t> bytes = Encode(MakeDemo(200));
    std::memset(bytes.data() + DemoTickCountOffset, 0xff, 4);
    const auto cutAt = [&](size_t size) {
        return std::vector<uint8_t>(bytes.begin(), bytes.begin() + size);
    };
    // Cut among the keys after the check of tick 128, inside that check record, and right
    // after the header.
    const struct {
        size_t size;
        uint32_t keys;
        size_t checks;
    } cases[] = {{KeyOffset(150), 149, 2}, {KeyOffset(128) + 21, 128, 1}, {DemoHeaderSize, 0, 0}};
    for (const auto& cut : cases) {
        const std::vector<uint8_t> prefix = cutAt(cut.size);
        Demo demo;
        std::string error;
        ASSERT_TRUE(ParseDemo(prefix.data(), prefix.size(), demo, error)) << cut.size << error;
        EXPECT_TRUE(demo.unfinished);
        EXPECT_EQ(demo.keys.size(), cut.keys);
        EXPECT_EQ(demo.checks.size(), cut.checks);
        EXPECT_TRUE(std::equal(demo.keys.begin(), demo.keys.end(), MakeDemo(200).keys.begin()));
    }
    std::vector<uint8_t> bad = cutAt(KeyOffset(150));
    bad[KeyOffset(140)] = 0x90;
    EXPECT_NE(ParseError(bad).find("unknown byte"), std::string::npos);
}

// The parsed demo encodes back into the very bytes: motion, turning and checks all came back.
TEST(DemoFormat, MouseDemosRoundTripMotionAndTurning) {
    const std::vector<uint8_t> bytes = Encode(MakeMouseDemo(130));
    Demo parsed;
    std::string error;
    ASSERT_TRUE(ParseDemo(bytes.data(), bytes.size(), parsed, error)) << error;
    EXPECT_EQ(parsed.version, DemoMouseVersion);
    EXPECT_TRUE(parsed.turning.sensitivity == 250 && parsed.turning.invert);
    EXPECT_EQ(Encode(parsed), bytes);
}

TEST(DemoFormat, RefusesMalformedMouseDemos) {
    const std::vector<uint8_t> good = Encode(MakeMouseDemo(130));
    auto edited = [&](size_t offset, uint8_t value) { return EditedError(good, offset, value); };
    EXPECT_NE(edited(DemoHeaderSize, 5).find("mouse sensitivity 5"), std::string::npos);
    EXPECT_NE(edited(DemoHeaderSize + 4, 3).find("mouse flags 3"), std::string::npos);
    // Tick 1 has no motion; tick 2's record follows its key byte: emptied, it holds none.
    const size_t motion = DemoMouseHeaderSize + 1;
    ASSERT_EQ(good[motion], DemoMotionTag);
    std::vector<uint8_t> still = good;
    std::fill(still.begin() + motion + 1, still.begin() + motion + 5, 0);
    EXPECT_NE(ParseError(still).find("holds none"), std::string::npos);
    // Motion must be followed by its tick's key byte, here by the last check record.
    std::vector<uint8_t> dangling = good;
    const uint8_t record[] = {DemoMotionTag, 1, 0, 0, 0};
    dangling.insert(dangling.end() - 5 - 45, std::begin(record), std::end(record));
    EXPECT_NE(ParseError(dangling).find("no key byte after the motion"), std::string::npos);
}

TEST(DemoFormat, ChecksMustStandOnTheSchedule) {
    Demo missing = MakeDemo(130);
    missing.checks.erase(missing.checks.begin()); // the one after tick 64
    EXPECT_NE(ParseError(Encode(missing)).find("after tick 64 is missing"), std::string::npos);

    Demo noLast = MakeDemo(130);
    noLast.checks.pop_back();
    EXPECT_NE(ParseError(Encode(noLast)).find("last tick 130"), std::string::npos);

    Demo extra = MakeDemo(130);
    extra.checks.insert(extra.checks.begin(), DemoCheck{10, {}, 0, 0});
    EXPECT_NE(ParseError(Encode(extra)).find("neither on the schedule"), std::string::npos);

    Demo twice = MakeDemo(130);
    twice.checks.insert(twice.checks.begin(), twice.checks.front());
    EXPECT_NE(ParseError(Encode(twice)).find("two check records for tick 64"), std::string::npos);
}

} // namespace
