#include "demo/demo_format.h"

#include <algorithm>
#include <cstring>

#include "scene/tick.h"

namespace {

constexpr uint64_t DigestPrime = 0x100000001b3ull;
constexpr size_t CheckRecordSize = 1 + 4 + 4 * DemoCameraFields + 8 + 8;
constexpr size_t MotionRecordSize = 1 + 2 + 2;
constexpr uint32_t InvertFlag = 1;

void AppendLittleEndian(std::vector<uint8_t>& out, uint64_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// Reads little-endian fields from a byte range; every read is checked against its end.
struct Cursor {
    const uint8_t* bytes;
    size_t size;
    size_t offset;
    bool ranOut; // a read found fewer bytes than it needed
};

bool Remaining(Cursor& cursor, size_t count) {
    cursor.ranOut = cursor.size - cursor.offset < count;
    return !cursor.ranOut;
}

// Callers check Remaining first.
uint64_t TakeLittleEndian(Cursor& cursor, int byteCount) {
    uint64_t value = 0;
    for (int i = 0; i < byteCount; ++i) {
        value |= static_cast<uint64_t>(cursor.bytes[cursor.offset + i]) << (8 * i);
    }
    cursor.offset += byteCount;
    return value;
}

bool Fail(std::string& error, const std::string& reason) {
    error = reason;
    return false;
}

// The rest of a version 2 header: the sensitivity in its range, and the flags.
bool ParseMouseHeader(Cursor& cursor, Demo& demo, std::string& error) {
    if (!Remaining(cursor, DemoMouseHeaderSize - DemoHeaderSize)) {
        return Fail(error, "truncated in the header");
    }
    const uint32_t sensitivity = static_cast<uint32_t>(TakeLittleEndian(cursor, 4));
    const uint32_t flags = static_cast<uint32_t>(TakeLittleEndian(cursor, 4));
    if (sensitivity < MinMouseSensitivity || sensitivity > MaxMouseSensitivity) {
        return Fail(error, "the header's mouse sensitivity " + std::to_string(sensitivity) +
                               " is outside " + std::to_string(MinMouseSensitivity) + " to " +
                               std::to_string(MaxMouseSensitivity));
    }
    if ((flags & ~InvertFlag) != 0) {
        return Fail(error, "unknown mouse flags " + std::to_string(flags) + " in the header");
    }
    demo.turning = MouseTurning{static_cast<int32_t>(sensitivity), flags == InvertFlag};
    return true;
}

bool ParseHeader(Cursor& cursor, Demo& demo, uint32_t& tickCount, std::string& error) {
    if (!Remaining(cursor, sizeof DemoMagic) ||
        std::memcmp(cursor.bytes, DemoMagic, sizeof DemoMagic) != 0) {
        return Fail(error, "not a demo file (no DRAVDEMO signature)");
    }
    if (!Remaining(cursor, DemoHeaderSize)) {
        return Fail(error, "truncated in the header");
    }
    cursor.offset = sizeof DemoMagic;
    demo.version = static_cast<uint32_t>(TakeLittleEndian(cursor, 4));
    if (demo.version != DemoVersion && demo.version != DemoMouseVersion) {
        return Fail(error, "demo format version " + std::to_string(demo.version) +
                               " is not supported (this program reads versions " +
                               std::to_string(DemoVersion) + " and " +
                               std::to_string(DemoMouseVersion) + ")");
    }
    tickCount = static_cast<uint32_t>(TakeLittleEndian(cursor, 4));
    if (tickCount > DemoMaxTicks && tickCount != DemoUnfinished) {
        return Fail(error, "the header's tick count " + std::to_string(tickCount) +
                               " is above the limit of " + std::to_string(DemoMaxTicks));
    }
    demo.dataDigest = TakeLittleEndian(cursor, 8);
    return demo.version == DemoVersion || ParseMouseHeader(cursor, demo, error);
}

bool ParseCheck(Cursor& cursor, Demo& demo, std::string& error) {
    const size_t start = cursor.offset;
    if (!Remaining(cursor, CheckRecordSize)) {
        return Fail(error, "truncated in the check record at byte " + std::to_string(start));
    }
    ++cursor.offset;
    DemoCheck check{};
    check.tick = static_cast<uint32_t>(TakeLittleEndian(cursor, 4));
    for (uint32_t& field : check.camera) {
        field = static_cast<uint32_t>(TakeLittleEndian(cursor, 4));
    }
    check.keysDigest = TakeLittleEndian(cursor, 8);
    check.frameDigest = TakeLittleEndian(cursor, 8);
    const uint32_t ticks = static_cast<uint32_t>(demo.keys.size());
    if (check.tick != ticks) {
        return Fail(error, "the check record at byte " + std::to_string(start) + " names tick " +
                               std::to_string(check.tick) + " after tick " + std::to_string(ticks));
    }
    if (!demo.checks.empty() && demo.checks.back().tick == ticks) {
        return Fail(error, "two check records for tick " + std::to_string(ticks));
    }
    demo.checks.push_back(check);
    return true;
}

// A motion record of version 2: some motion, for the key byte that must follow it.
bool ParseMotion(Cursor& cursor, MouseMotion& pending, std::string& error) {
    const size_t start = cursor.offset;
    if (!Remaining(cursor, MotionRecordSize)) {
        return Fail(error, "truncated in the motion record at byte " + std::to_string(start));
    }
    ++cursor.offset;
    pending.dx = static_cast<int16_t>(TakeLittleEndian(cursor, 2));
    pending.dy = static_cast<int16_t>(TakeLittleEndian(cursor, 2));
    if (pending.dx == 0 && pending.dy == 0) {
        return Fail(error, "the motion record at byte " + std::to_string(start) + " holds none");
    }
    return true;
}

bool HasMotion(MouseMotion motion) {
    return motion.dx != 0 || motion.dy != 0;
}

// Key bytes and check records up to the end marker; checks must stand where the schedule
// puts them, and an unscheduled one only right before the end marker.
bool ParseBody(Cursor& cursor, Demo& demo, std::string& error) {
    MouseMotion pending{};
    for (;;) {
        if (!Remaining(cursor, 1)) {
            return Fail(error, "truncated after tick " + std::to_string(demo.keys.size()) +
                                   " (no end marker)");
        }
        const uint8_t tag = cursor.bytes[cursor.offset];
        const uint32_t ticks = static_cast<uint32_t>(demo.keys.size());
        const bool checked = !demo.checks.empty() && demo.checks.back().tick == ticks;
        if (HasMotion(pending) && tag > AllKeyBits) {
            return Fail(error, "no key byte after the motion record before byte " +
                                   std::to_string(cursor.offset));
        }
        if (tag == DemoEndTag) {
            return true;
        }
        if (checked && !IsScheduledCheck(ticks)) {
            return Fail(error, "a check record after tick " + std::to_string(ticks) +
                                   " is neither on the schedule nor the last");
        }
        if (tag == DemoCheckTag) {
            if (!ParseCheck(cursor, demo, error)) {
                return false;
            }
            continue;
        }
        const bool motionTag = tag == DemoMotionTag && demo.version == DemoMouseVersion;
        if (tag > AllKeyBits && !motionTag) {
            return Fail(error, "unknown byte " + std::to_string(tag) + " at offset " +
                                   std::to_string(cursor.offset));
        }
        if (IsScheduledCheck(ticks) && !checked) {
            return Fail(error,
                        "the check record after tick " + std::to_string(ticks) + " is missing");
        }
        if (ticks == DemoMaxTicks) {
            return Fail(error, "more than " + std::to_string(DemoMaxTicks) + " ticks");
        }
        if (motionTag) {
            if (!ParseMotion(cursor, pending, error)) {
                return false;
            }
            continue;
        }
        demo.keys.push_back(tag);
        demo.motion.push_back(pending);
        pending = MouseMotion{};
        ++cursor.offset;
    }
}

bool ParseEnd(Cursor& cursor, const Demo& demo, uint32_t headerTicks, std::string& error) {
    const uint32_t ticks = static_cast<uint32_t>(demo.keys.size());
    if (demo.checks.empty() || demo.checks.back().tick != ticks) {
        return Fail(error, "no check record for the last tick " + std::to_string(ticks));
    }
    if (!Remaining(cursor, 5)) {
        return Fail(error, "truncated in the end marker");
    }
    ++cursor.offset;
    const uint32_t endTicks = static_cast<uint32_t>(TakeLittleEndian(cursor, 4));
    if (endTicks != ticks || headerTicks != ticks) {
        return Fail(error, "the file holds " + std::to_string(ticks) + " ticks, the header says " +
                               std::to_string(headerTicks) + " and the end marker " +
                               std::to_string(endTicks));
    }
    if (cursor.offset != cursor.size) {
        return Fail(error, std::to_string(cursor.size - cursor.offset) +
                               " stray bytes after the end marker");
    }
    return true;
}

// A recording that was never closed, as when the program was killed: every key byte it holds,
// and its complete check records. A check record cut short by the kill is dropped.
bool ParseUnfinished(Cursor& cursor, Demo& demo, std::string& error) {
    if (ParseBody(cursor, demo, error)) {
        return Fail(error, "an end marker in a recording that was never closed");
    }
    if (!cursor.ranOut) {
        return false;
    }
    demo.unfinished = true;
    return true;
}

} // namespace

uint64_t DigestBytes(uint64_t digest, const uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        digest = (digest ^ bytes[i]) * DigestPrime;
    }
    return digest;
}

uint64_t DigestTickInput(uint64_t digest, uint8_t keys, MouseMotion motion) {
    digest = DigestBytes(digest, &keys, 1);
    if (!HasMotion(motion)) {
        return digest;
    }
    std::vector<uint8_t> bytes;
    AppendLittleEndian(bytes, static_cast<uint16_t>(motion.dx), 2);
    AppendLittleEndian(bytes, static_cast<uint16_t>(motion.dy), 2);
    return DigestBytes(digest, bytes.data(), bytes.size());
}

MouseMotion ClampDemoMotion(MouseMotion motion) {
    return MouseMotion{std::clamp(motion.dx, -DemoMotionLimit, DemoMotionLimit),
                       std::clamp(motion.dy, -DemoMotionLimit, DemoMotionLimit)};
}

bool IsScheduledCheck(uint32_t tick) {
    return tick != 0 && tick % DemoCheckInterval == 0;
}

void AppendDemoHeader(std::vector<uint8_t>& out, uint64_t dataDigest, const MouseTurning* mouse) {
    out.insert(out.end(), DemoMagic, DemoMagic + sizeof DemoMagic);
    AppendLittleEndian(out, mouse == nullptr ? DemoVersion : DemoMouseVersion, 4);
    AppendLittleEndian(out, DemoUnfinished, 4);
    AppendLittleEndian(out, dataDigest, 8);
    if (mouse != nullptr) {
        AppendLittleEndian(out, static_cast<uint32_t>(mouse->sensitivity), 4);
        AppendLittleEndian(out, mouse->invert ? InvertFlag : 0, 4);
    }
}

void AppendDemoTick(std::vector<uint8_t>& out, uint8_t keys, MouseMotion motion) {
    if (HasMotion(motion)) {
        out.push_back(DemoMotionTag);
        AppendLittleEndian(out, static_cast<uint16_t>(motion.dx), 2);
        AppendLittleEndian(out, static_cast<uint16_t>(motion.dy), 2);
    }
    out.push_back(keys);
}

void AppendDemoCheck(std::vector<uint8_t>& out, const DemoCheck& check) {
    out.push_back(DemoCheckTag);
    AppendLittleEndian(out, check.tick, 4);
    for (uint32_t field : check.camera) {
        AppendLittleEndian(out, field, 4);
    }
    AppendLittleEndian(out, check.keysDigest, 8);
    AppendLittleEndian(out, check.frameDigest, 8);
}

void AppendDemoEnd(std::vector<uint8_t>& out, uint32_t tickCount) {
    out.push_back(DemoEndTag);
    AppendLittleEndian(out, tickCount, 4);
}

void EncodeTickCount(uint8_t (&out)[4], uint32_t tickCount) {
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(tickCount >> (8 * i));
    }
}

bool ParseDemo(const uint8_t* bytes, size_t size, Demo& demo, std::string& error) {
    demo = Demo{};
    Cursor cursor{bytes, size, 0, false};
    uint32_t headerTicks = 0;
    if (!ParseHeader(cursor, demo, headerTicks, error)) {
        return false;
    }
    if (headerTicks == DemoUnfinished) {
        return ParseUnfinished(cursor, demo, error);
    }
    return ParseBody(cursor, demo, error) && ParseEnd(cursor, demo, headerTicks, error);
}
