#include "demo/demo_session.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "assets/model.h"
#include "render/frame.h"
#include "render/frame_buffer.h"
#include "render/renderer.h"
#include "startup/data_directory.h"
#include "startup/startup.h"

namespace {

// Larger than any valid demo: header, DemoMaxTicks key bytes, their checks and the end.
constexpr size_t MaxDemoFileSize = DemoHeaderSize + DemoMaxTicks * 2u;

uint64_t DigestFile(uint64_t digest, const char* dataDirectory, const char* fileName) {
    digest =
        DigestBytes(digest, reinterpret_cast<const uint8_t*>(fileName), std::strlen(fileName) + 1);
    std::ifstream file(DataPath(dataDirectory, fileName), std::ios::binary);
    if (!file) {
        return digest;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    uint8_t size[8];
    for (int i = 0; i < 8; ++i) {
        size[i] = static_cast<uint8_t>(static_cast<uint64_t>(bytes.size()) >> (8 * i));
    }
    digest = DigestBytes(digest, size, sizeof size);
    return DigestBytes(digest, bytes.data(), bytes.size());
}

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = std::string("cannot open ") + path + ": " + std::strerror(errno);
        return false;
    }
    char block[65536];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        bytes.insert(bytes.end(), block, block + file.gcount());
        if (bytes.size() > MaxDemoFileSize) {
            error = std::string(path) + " is too large to be a demo";
            return false;
        }
    }
    if (file.bad()) {
        error = std::string("cannot read ") + path;
        return false;
    }
    return true;
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

uint8_t KeysOfNextTick(const DemoPlayer& player) {
    return player.tick < player.demo->keys.size() ? player.demo->keys[player.tick] : 0;
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

bool StartDemoRecording(DemoRecorder& recorder, const char* path, uint64_t dataDigest) {
    recorder.keysDigest = DigestStart;
    return OpenDemoWriter(recorder.writer, path, dataDigest);
}

void RecordDemoTick(DemoRecorder& recorder, Scene& scene, uint8_t keys) {
    if (!DemoWriterOpen(recorder.writer)) {
        return;
    }
    recorder.keysDigest = DigestBytes(recorder.keysDigest, &keys, 1);
    WriteDemoTick(recorder.writer, keys);
    if (IsScheduledCheck(recorder.writer.ticks)) {
        WriteDemoCheck(recorder.writer,
                       TakeDemoCheck(scene, recorder.writer.ticks, recorder.keysDigest));
    }
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
    ScriptedKeys = KeysOfNextTick(player);
}

void AfterPlayedTick(DemoPlayer& player, Scene& scene) {
    if (DemoPlayerFinished(player)) {
        return;
    }
    const uint8_t keys = player.demo->keys[player.tick];
    player.keysDigest = DigestBytes(player.keysDigest, &keys, 1);
    ++player.tick;
    CompareDueCheck(player, scene);
    ScriptedKeys = KeysOfNextTick(player);
}

bool DemoPlayerFinished(const DemoPlayer& player) {
    return player.tick >= player.demo->keys.size();
}

void PlayDemoTick(DemoPlayer& player, Scene& scene) {
    RunTick(scene, ScriptedKeyDown);
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

int ReportDemoMismatch(const DemoPlayback& playback, const char* program) {
    if (!playback.player.failed) {
        return DemoExitMatched;
    }
    std::fprintf(stderr, "%s: demo %s: %s\n", program, playback.path.c_str(),
                 playback.player.failure.c_str());
    return DemoExitMismatch;
}
