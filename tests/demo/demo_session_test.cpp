// Recording and playing demos on the real level: a recording plays back with every check
// matching, and an edited key, camera or frame, other data files, a failed write and the side
// frame each behave as users rely on.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "demo/demo_session.h"
#include "support/assets_test_files.h"
#include "support/level_fixture.h"

namespace {

Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

class DemoSessionTest : public LevelFixture {
  protected:
    // Records ticks of a walk that turns, tilts and walks, and returns the file's bytes.
    Bytes Record(uint32_t ticks) {
        DemoRecorder recorder;
        EXPECT_TRUE(StartDemoRecording(recorder, "drav-test", path.c_str(), dataDigest));
        for (uint32_t t = 0; t < ticks; ++t) {
            ScriptedKeys = t < 40   ? KeyBit(Key::Left)
                           : t < 50 ? KeyBit(Key::PageUp)
                                    : KeyBit(Key::Up);
            RunTick(*scene, ScriptedKeyDown);
            RecordDemoTick(recorder, *scene, ScriptedKeys);
        }
        EXPECT_TRUE(FinishDemoRecording(recorder, *scene));
        return ReadFile(path);
    }
    // Plays a demo on a fresh level to its end.
    DemoPlayer Play(const Demo& demo) {
        DestroyLevel(scene);
        scene = BuildLevel();
        DemoPlayer player;
        StartDemoPlayer(player, demo, *scene);
        while (!DemoPlayerFinished(player)) {
            PlayDemoTick(player, *scene);
        }
        return player;
    }
    Demo Parse(const Bytes& bytes) {
        Demo demo;
        std::string error;
        EXPECT_TRUE(ParseDemo(bytes.data(), bytes.size(), demo, error)) << error;
        return demo;
    }
    ScratchDirectory scratch;
    std::string path = scratch.PathOf("walk.dem");
    uint64_t dataDigest = DigestDataFiles(DRAV_DATA_DIR);
};

TEST_F(DemoSessionTest, RecordingPlaysBackWithEveryCheckMatching) {
    const Demo demo = Parse(Record(130));
    EXPECT_EQ(demo.dataDigest, dataDigest);
    ASSERT_EQ(demo.keys.size(), 130u);
    EXPECT_EQ(demo.keys[0], KeyBit(Key::Left));
    EXPECT_EQ(demo.keys[129], KeyBit(Key::Up));
    ASSERT_EQ(demo.checks.size(), 3u);
    EXPECT_EQ(demo.checks[2].tick, 130u);
    EXPECT_FALSE(std::ifstream(path + ".part").is_open());

    const DemoPlayer player = Play(demo);
    EXPECT_FALSE(player.failed) << player.failure;
    EXPECT_EQ(player.checksPassed, 3u);
    // The frames along the walk differ, so the checks compare something.
    EXPECT_NE(demo.checks[0].frameDigest, demo.checks[1].frameDigest);
}

TEST_F(DemoSessionTest, PlaybackNamesTheFirstMismatchingCheck) {
    const Demo recorded = Parse(Record(130));
    Demo keys = recorded;
    keys.keys[100] = KeyBit(Key::End); // pitch is already 0.125 by then, End levels it
    DemoPlayer player = Play(keys);
    EXPECT_TRUE(player.failed);
    EXPECT_EQ(player.failure.rfind("first mismatch at tick 128: the keys", 0), 0u)
        << player.failure;

    // End held while the view is level changes nothing the camera or frame shows; the digest
    // of the keys still tells.
    Demo noEffect = recorded;
    noEffect.keys[3] = KeyBit(Key::Left) | KeyBit(Key::End);
    EXPECT_NE(Play(noEffect).failure.find("tick 64: the keys"), std::string::npos);

    Demo camera = recorded;
    camera.checks[1].camera[4] ^= 1; // yaw
    EXPECT_NE(Play(camera).failure.find("tick 128: the camera's yaw differs"), std::string::npos);

    Demo frame = recorded;
    frame.checks[2].frameDigest ^= 1;
    player = Play(frame);
    EXPECT_NE(player.failure.find("tick 130: the frame differs"), std::string::npos);
    EXPECT_EQ(player.checksPassed, 2u);
}

// The mouse's motion and turning are recorded and played back; a motion changed in the file is
// caught by the next check's keys digest.
TEST_F(DemoSessionTest, AMouseRecordingPlaysBackAndAnEditedMotionIsCaught) {
    const MouseTurning turning{200, false};
    DemoRecorder recorder;
    ASSERT_TRUE(StartDemoRecording(recorder, "drav-test", path.c_str(), dataDigest, &turning));
    for (int32_t t = 0; t < 100; ++t) {
        ScriptedKeys = KeyBit(Key::Up);
        const MouseMotion motion{t % 5 - 2, t % 3 - 1};
        RunTick(*scene, ScriptedKeyDown, motion, turning);
        RecordDemoTick(recorder, *scene, ScriptedKeys, motion);
    }
    ASSERT_TRUE(FinishDemoRecording(recorder, *scene));
    const Demo demo = Parse(ReadFile(path));
    EXPECT_EQ(demo.version, DemoMouseVersion);
    const DemoPlayer player = Play(demo);
    EXPECT_FALSE(player.failed) << player.failure;
    EXPECT_EQ(player.checksPassed, 2u);

    Demo edited = demo;
    edited.motion[10].dx += 1;
    EXPECT_NE(Play(edited).failure.find("tick 64: the keys"), std::string::npos);
}

TEST_F(DemoSessionTest, AnEmptyRecordingHoldsTheStartView) {
    const Demo demo = Parse(Record(0));
    ASSERT_EQ(demo.checks.size(), 1u);
    EXPECT_EQ(demo.checks[0].tick, 0u);
    EXPECT_EQ(demo.checks[0].frameDigest, 0x600f943c141fdd86ull); // the start view's frame
    EXPECT_EQ(Play(demo).checksPassed, 1u);
}

TEST_F(DemoSessionTest, OtherDataFilesAreNamedBeforePlaying) {
    Record(10);
    Demo demo;
    std::string error;
    EXPECT_TRUE(LoadDemoFile(path.c_str(), dataDigest, demo, error)) << error;
    EXPECT_FALSE(LoadDemoFile(path.c_str(), dataDigest ^ 1, demo, error));
    EXPECT_NE(error.find("other data files"), std::string::npos);

    // One changed byte of one texture changes the data digest.
    ScratchDirectory data;
    for (const ModelSlot& slot : ModelSlots) {
        for (const char* name : {slot.modelFileName, slot.textureFileName}) {
            data.Write(name, ReadFile(std::string(DRAV_DATA_DIR) + "/" + name));
        }
    }
    EXPECT_EQ(DigestDataFiles(data.path.c_str()), dataDigest);
    Bytes texture = ReadFile(data.PathOf("tex3.raw"));
    texture[4095] ^= 1;
    data.Write("tex3.raw", texture);
    EXPECT_NE(DigestDataFiles(data.path.c_str()), dataDigest);
}

TEST_F(DemoSessionTest, AFailedRecordingLeavesAnExistingFileAlone) {
    DemoRecorder recorder;
    EXPECT_FALSE(
        StartDemoRecording(recorder, "drav-test", scratch.PathOf("no/such/dir.dem").c_str(), 0));
    RecordDemoTick(recorder, *scene, 0);
    EXPECT_FALSE(FinishDemoRecording(recorder, *scene));

    // A recording that is never finished keeps its ticks in the temporary file only.
    scratch.Write("walk.dem", Bytes{'o', 'l', 'd'});
    ASSERT_TRUE(StartDemoRecording(recorder, "drav-test", path.c_str(), dataDigest));
    for (uint32_t t = 0; t < DemoFlushTicks; ++t) {
        RecordDemoTick(recorder, *scene, 0);
    }
    EXPECT_EQ(ReadFile(path), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(ReadFile(path + ".part").size(), DemoHeaderSize + DemoFlushTicks);
    EXPECT_TRUE(FinishDemoRecording(recorder, *scene));
    EXPECT_EQ(Parse(ReadFile(path)).keys.size(), DemoFlushTicks);
}

// What a kill leaves on disk after any tick: at most DemoFlushTicks ticks fewer than were
// recorded, every check among them, and a player that reports the ticks played past the last
// check.
TEST_F(DemoSessionTest, AKilledRecordingKeepsAllButItsLastFlushOfTicks) {
    DemoRecorder recorder;
    ASSERT_TRUE(StartDemoRecording(recorder, "drav-test", path.c_str(), dataDigest));
    for (uint32_t t = 1; t <= 200; ++t) {
        ScriptedKeys = KeyBit(Key::Up);
        RunTick(*scene, ScriptedKeyDown);
        RecordDemoTick(recorder, *scene, ScriptedKeys);
        const Demo onDisk = Parse(ReadFile(path + ".part"));
        ASSERT_GE(onDisk.keys.size() + DemoFlushTicks, t) << t;
        ASSERT_EQ(onDisk.checks.size(), onDisk.keys.size() / DemoCheckInterval) << t;
    }
    const Demo killed = Parse(ReadFile(path + ".part"));
    EXPECT_EQ(killed.keys.size(), 192u);
    const DemoPlayer player = Play(killed);
    EXPECT_FALSE(player.failed) << player.failure;
    EXPECT_EQ(player.checksPassed, 3u);
    EXPECT_EQ(UncheckedTicks(player), 0u);
    Demo cut = killed;
    cut.keys.resize(150);
    cut.checks.resize(2);
    EXPECT_EQ(UncheckedTicks(Play(cut)), 150u - 128u);
}

TEST_F(DemoSessionTest, TheCheckFrameLeavesTheWindowFrameAlone) {
    std::fill(frame.begin(), frame.end(), uint8_t{7});
    const DemoCheck check = TakeDemoCheck(*scene, 0, 0);
    EXPECT_EQ(std::count(frame.begin(), frame.end(), uint8_t{7}), FrameSize);
    RenderFrame(*renderer, *scene);
    EXPECT_EQ(check.frameDigest, Fnv1a(frame.data(), frame.size()));
}

} // namespace
