// The demo-file reader on any bytes. It never reads outside them (the sanitizers watch), and a
// file it accepts is a demo within the limits: key bytes of the seven keys, mouse motion only
// in version 2 and within its limit, check records in tick order ending on the last tick,
// which encodes back into a file that reads the same.
// Input: the file's bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "demo/demo_format.h"
#include "fuzz_check.h"
#include "scene/tick.h"

namespace {

void CheckLimits(const Demo& demo) {
    FUZZ_CHECK(demo.keys.size() <= DemoMaxTicks);
    for (uint8_t keys : demo.keys) {
        FUZZ_CHECK(keys <= AllKeyBits);
    }
    FUZZ_CHECK(demo.motion.size() == demo.keys.size());
    for (const MouseMotion& motion : demo.motion) {
        FUZZ_CHECK(demo.version == DemoMouseVersion || (motion.dx == 0 && motion.dy == 0));
        FUZZ_CHECK(motion.dx >= -DemoMotionLimit - 1 && motion.dx <= DemoMotionLimit);
        FUZZ_CHECK(motion.dy >= -DemoMotionLimit - 1 && motion.dy <= DemoMotionLimit);
    }
    // A closed demo ends with a check after its last tick; one never closed may stop anywhere
    // after its last check.
    if (demo.unfinished) {
        FUZZ_CHECK(demo.checks.empty() || demo.checks.back().tick <= demo.keys.size());
    } else {
        FUZZ_CHECK(!demo.checks.empty() && demo.checks.back().tick == demo.keys.size());
    }
    for (size_t i = 0; i + 1 < demo.checks.size(); ++i) {
        FUZZ_CHECK(demo.checks[i].tick < demo.checks[i + 1].tick);
        FUZZ_CHECK(IsScheduledCheck(demo.checks[i].tick));
    }
}

// The closed file of the demo: the header, each tick's motion and key byte after the check that
// precedes it, the last check and the end marker.
std::vector<uint8_t> Encode(const Demo& demo) {
    std::vector<uint8_t> file;
    AppendDemoHeader(file, demo.dataDigest,
                     demo.version == DemoMouseVersion ? &demo.turning : nullptr);
    const auto ticks = static_cast<uint32_t>(demo.keys.size());
    uint8_t tickCount[4];
    EncodeTickCount(tickCount, ticks);
    std::copy(tickCount, tickCount + 4, file.begin() + DemoTickCountOffset);
    size_t nextCheck = 0;
    for (uint32_t tick = 0; tick <= ticks; ++tick) {
        if (nextCheck < demo.checks.size() && demo.checks[nextCheck].tick == tick) {
            AppendDemoCheck(file, demo.checks[nextCheck++]);
        }
        if (tick < ticks) {
            AppendDemoTick(file, demo.keys[tick], demo.motion[tick]);
        }
    }
    AppendDemoEnd(file, ticks);
    return file;
}

bool SameCheck(const DemoCheck& a, const DemoCheck& b) {
    return a.tick == b.tick && std::equal(a.camera, a.camera + DemoCameraFields, b.camera) &&
           a.keysDigest == b.keysDigest && a.frameDigest == b.frameDigest;
}

void CheckReadsBack(const Demo& demo) {
    const std::vector<uint8_t> file = Encode(demo);
    Demo again;
    std::string error;
    FUZZ_CHECK(ParseDemo(file.data(), file.size(), again, error));
    FUZZ_CHECK(again.dataDigest == demo.dataDigest && again.keys == demo.keys);
    FUZZ_CHECK(again.version == demo.version &&
               again.turning.sensitivity == demo.turning.sensitivity &&
               again.turning.invert == demo.turning.invert);
    for (size_t t = 0; t < demo.motion.size(); ++t) {
        FUZZ_CHECK(again.motion[t].dx == demo.motion[t].dx &&
                   again.motion[t].dy == demo.motion[t].dy);
    }
    FUZZ_CHECK(again.checks.size() == demo.checks.size());
    for (size_t i = 0; i < demo.checks.size(); ++i) {
        FUZZ_CHECK(SameCheck(again.checks[i], demo.checks[i]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the input's size, so that a read past its end is caught.
    const std::vector<uint8_t> bytes(data, data + size);
    Demo demo;
    std::string error;
    if (!ParseDemo(bytes.data(), bytes.size(), demo, error)) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    CheckLimits(demo);
    // Encoding writes the closed form, which a demo never closed does not have.
    if (!demo.unfinished) {
        CheckReadsBack(demo);
    }
    return 0;
}
