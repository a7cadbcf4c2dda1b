#include "demo/demo_session.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

#include "assets/data_file.h"
#include "assets/model.h"
#include "render/frame.h"
#include "render/frame_buffer.h"
#include "render/renderer.h"
#include "startup/data_directory.h"
#include "startup/startup.h"

namespace {

// Larger than any valid demo: header, DemoMaxTicks key bytes and motion records, their checks
// and the end.
constexpr size_t MaxDemoFileSize = DemoMouseHeaderSize + DemoMaxTicks * 7u;

// Appends the stream's bytes; false on a read error or once more than limit bytes came.
bool ReadStream(std::FILE* stream, std::vector<uint8_t>& bytes, size_t limit) {
    uint8_t block[65536];
    size_t count;
    while ((count = std::fread(block, 1, sizeof block, stream)) > 0) {
        bytes.insert(bytes.end(), block, block + count);
        if (bytes.size() > limit) {
            return false;
        }
    }
    return std::ferror(stream) == 0;
}

uint64_t DigestFile(uint64_t digest, const char* dataDirectory, const char* fileName) {
    digest =
        DigestBytes(digest, reinterpret_cast<const uint8_t*>(fileName), std::strlen(fileName) + 1);
    // A data file that is not a regular file is not loaded, so it counts as missing; opening
    // a pipe here would wait for a writer for ever.
    const OpenedDataFile file = OpenDataFile(DataPath(dataDirectory, fileName).c_str());
    if (file.stream == nullptr) {
        return digest;
    }
    std::vector<uint8_t> bytes;
    const bool read = ReadStream(file.stream, bytes, SIZE_MAX);
    std::fclose(file.stream);
    if (!read) {
        return digest;
    }
    uint8_t size[8];
    for (int i = 0; i < 8; ++i) {
        size[i] = static_cast<uint8_t>(static_cast<uint64_t>(bytes.size()) >> (8 * i));
    }
    digest = DigestBytes(digest, size, sizeof size);
    return DigestBytes(digest, bytes.data(), bytes.size());
}

// Only a regular file is opened: a pipe would block the player before its window opens, and a
// device or a directory is no demo.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes, std::string& error) {
    errno = 0;
    const OpenedDataFile file = OpenDataFile(path);
    if (file.found.kind == DataFileKind::NotRegular) {
        error = std::string(path) + " is " + DescribeFileType(path) + ", not a demo file";
        return false;
    }
    if (file.stream == nullptr) {
        error =
            std::string("cannot open ") + path + ": " + std::strerror(errno != 0 ? errno : ENOENT);
        return false;
    }
    const bool read = ReadStream(file.stream, bytes, MaxDemoFileSize);
    std::fclose(file.stream);
    if (!read) {
        error = bytes.size() > MaxDemoFileSize ? std::string(path) + " is too large to be a demo"
                                               : std::string("cannot read ") + path;
    }
    return read;
}

uint32_t FloatBits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Renders the scale-1 frame into a renderer of its own, so that the check is the same
// whatever scale and threads the window draws with.
uint64_t DigestSideFrame(Scene& scene) {
    // One thread: the check frames are few, and the digest is the same for any thread count.
    static const std::unique_ptr<Renderer> side = CreateRenderer(1, 1);
    RenderFrame(*side, scene);
    return DigestBytes(DigestStart, side->target.pixels, FrameSize);
}

// The first difference between a recorded check and the one played, or empty.
std::string CompareChecks(const DemoCheck& recorded, const DemoCheck& played) {
    if (recorded.keysDigest != played.keysDigest) {
        return "the keys of the file differ from those it was recorded with";
    }
    static const char* const cameraNames[DemoCameraFields] = {"x",     "y",   "z",
                                                              "pitch", "yaw", "roll"};
    for (int i = 0; i < DemoCameraFields; ++i) {
        if (recorded.camera[i] != played.camera[i]) {
            return std::string("the camera's ") + cameraNames[i] + " differs";
        }
    }
    if (recorded.frameDigest != played.frameDigest) {
        return "the frame differs";
    }
    return std::string();
}

void CompareDueCheck(DemoPlayer& player, Scene& scene) {
    const Demo& demo = *player.demo;
    if (player.nextCheck == demo.checks.size() ||
        demo.checks[player.nextCheck].tick != player.tick) {
        return;
    }
    const DemoCheck& recorded = demo.checks[player.nextCheck++];
    const std::string difference =
        CompareChecks(recorded, TakeDemoCheck(scene, player.tick, player.keysDigest));
    if (difference.empty()) {
        ++player.checksPassed;
    } else if (!player.failed) {
        player.failed = true;
        const uint32_t since =
            player.tick < DemoCheckInterval ? 0 : player.tick - DemoCheckInterval;
        player.failure = "first mismatch at tick " + std::to_string(player.tick) + ": " +
                         difference + " (it arose after tick " + std::to_string(since) + ")";
    }
}

// Sets the scripted input to that of the next tick, none after the last.
void ScriptNextTick(const DemoPlayer& player) {
    const bool more = player.tick < player.demo->keys.size();
    ScriptedKeys = more ? player.demo->keys[player.tick] : 0;
    ScriptedMotion = more ? player.demo->motion[player.tick] : MouseMotion{};
}

} // namespace

uint64_t DigestDataFiles(const std::string& dataDirectory) {
    const std::string folder = ResolveDataDirectory(dataDirectory);
    const char* const directory = folder.empty() ? nullptr : folder.c_str();
    uint64_t digest = DigestStart;
    for (const ModelSlot& slot : ModelSlots) {
        digest = DigestFile(digest, directory, slot.modelFileName);
        digest = DigestFile(digest, directory, slot.textureFileName);
    }
    return digest;
}

bool LoadDemoFile(const char* path, uint64_t dataDigest, Demo& demo, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, error)) {
        return false;
    }
    if (!ParseDemo(bytes.data(), bytes.size(), demo, error)) {
        error = std::string(path) + ": " + error;
        return false;
    }
    if (demo.dataDigest != dataDigest) {
        error = std::string(path) + " was recorded with other data files than these; its " +
                "checks cannot match";
        return false;
    }
    return true;
}

DemoCheck TakeDemoCheck(Scene& scene, uint32_t tick, uint64_t keysDigest) {
    DemoCheck check{};
    check.tick = tick;
    check.keysDigest = keysDigest;
    check.frameDigest = DigestSideFrame(scene);
    // After the frame, which sets the eye height from the animators.
    const float camera[DemoCameraFields] = {scene.x,     scene.y,   scene.z,
                                            scene.pitch, scene.yaw, scene.roll};
    for (int i = 0; i < DemoCameraFields; ++i) {
        check.camera[i] = FloatBits(camera[i]);
    }
    return check;
}

bool StartDemoRecording(DemoRecorder& recorder, const char* program, const char* path,
                        uint64_t dataDigest, const MouseTurning* mouse) {
    recorder.keysDigest = DigestStart;
    return OpenDemoWriter(recorder.writer, program, path, dataDigest, mouse);
}

void RecordDemoTick(DemoRecorder& recorder, Scene& scene, uint8_t keys, MouseMotion motion) {
    if (!DemoWriterOpen(recorder.writer)) {
        return;
    }
    recorder.keysDigest = DigestTickInput(recorder.keysDigest, keys, motion);
    WriteDemoTick(recorder.writer, keys, motion);
    if (IsScheduledCheck(recorder.writer.ticks)) {
        WriteDemoCheck(recorder.writer,
                       TakeDemoCheck(scene, recorder.writer.ticks, recorder.keysDigest));
    }
    EndDemoTick(recorder.writer);
}

bool FinishDemoRecording(DemoRecorder& recorder, Scene& scene) {
    if (!DemoWriterOpen(recorder.writer)) {
        return false;
    }
    if (!IsScheduledCheck(recorder.writer.ticks)) {
        WriteDemoCheck(recorder.writer,
                       TakeDemoCheck(scene, recorder.writer.ticks, recorder.keysDigest));
    }
    return CloseDemoWriter(recorder.writer);
}

void StartDemoPlayer(DemoPlayer& player, const Demo& demo, Scene& scene) {
    player = DemoPlayer{};
    player.demo = &demo;
    player.keysDigest = DigestStart;
    CompareDueCheck(player, scene);
    ScriptNextTick(player);
}

void AfterPlayedTick(DemoPlayer& player, Scene& scene) {
    if (DemoPlayerFinished(player)) {
        return;
    }
    player.keysDigest = DigestTickInput(player.keysDigest, player.demo->keys[player.tick],
                                        player.demo->motion[player.tick]);
    ++player.tick;
    CompareDueCheck(player, scene);
    ScriptNextTick(player);
}

bool DemoPlayerFinished(const DemoPlayer& player) {
    return player.tick >= player.demo->keys.size();
}

void PlayDemoTick(DemoPlayer& player, Scene& scene) {
    RunTick(scene, ScriptedKeyDown, ScriptedMotion, player.demo->turning);
    AfterPlayedTick(player, scene);
}

bool LoadDemoPlayback(DemoPlayback& playback, const char* program, const std::string& path,
                      const std::string& dataDirectory) {
    playback.path = path;
    std::string error;
    if (!LoadDemoFile(path.c_str(), DigestDataFiles(dataDirectory), playback.demo, error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return false;
    }
    return true;
}

uint32_t UncheckedTicks(const DemoPlayer& player) {
    const uint32_t lastChecked =
        player.nextCheck > 0 ? player.demo->checks[player.nextCheck - 1].tick : 0;
    return player.tick - lastChecked;
}

int ReportDemoMismatch(const DemoPlayback& playback, const char* program) {
    if (playback.demo.unfinished) {
        std::fprintf(stderr,
                     "%s: demo %s was never closed: %u ticks played, the last %u of them "
                     "unchecked\n",
                     program, playback.path.c_str(), playback.player.tick,
                     UncheckedTicks(playback.player));
    }
    if (!playback.player.failed) {
        return DemoExitMatched;
    }
    std::fprintf(stderr, "%s: demo %s: %s\n", program, playback.path.c_str(),
                 playback.player.failure.c_str());
    return DemoExitMismatch;
}
