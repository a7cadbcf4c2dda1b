#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "assets/model.h"
#include "render/palette.h"
#include "render/render_state.h"
#include "startup/startup.h"
#include "support/assets_test_files.h"

namespace {

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(FillProjectionMatrix, Holds50DegreesAspect4To3Near025Far15) {
    for (float& element : ProjectionMatrix.m) {
        element = 5.0f;
    }
    FillProjectionMatrix();
    const uint32_t expected[16] = {0x3FCDDF67u, 0, 0,           0, 0,           0x40093F9Au,
                                   0,           0, 0,           0, 0xBF8456C8u, 0xBF022B64u,
                                   0,           0, 0xBF800000u, 0};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Bits(ProjectionMatrix.m[i]), expected[i]) << "element " << i;
    }
}

TEST(BuildColourTables, FillsPaletteAndFogTable) {
    BuildColourTables();
    EXPECT_EQ(Palette[255].red, 255);
    EXPECT_EQ(Palette[214].blue, 192);
    EXPECT_EQ(FogTable[0], 247);
    EXPECT_EQ(FogTable[255 * 256 + 40], 40);
}

TEST(LoadModelSet, MissingFilesLeaveEverySlotEmptyAndAreNamed) {
    Model stale{};
    for (const ModelSlot& slot : ModelSlots) {
        *slot.slot = &stale;
    }
    ::testing::internal::CaptureStderr();
    const int loaded = LoadModelSet("no/such/directory");
    const std::string messages = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(loaded, 0);
    for (const ModelSlot& slot : ModelSlots) {
        EXPECT_EQ(*slot.slot, nullptr) << slot.modelFileName;
        const std::string path = std::string("no/such/directory/") + slot.modelFileName;
        EXPECT_NE(messages.find(path), std::string::npos) << messages;
    }
}

// Loads a directory holding a good plane model with its texture, a broken-pillar model with
// the wrong magic and a column model without its texture; the other files are absent.
TEST(LoadModelSet, NamesRejectedAndMissingFilesAndKeepsTheRest) {
    ScratchDirectory directory;
    directory.Write("plane.hgm", ModelFile("HGM!", 0, 0, {}));
    directory.Write("tex1.raw", Bytes(4096, 9));
    directory.Write("broken.hgm", ModelFile("hgm!", 0, 0, {}));
    directory.Write("tex4.raw", Bytes(4096, 9));
    directory.Write("column.hgm", ModelFile("HGM!", 0, 0, {}));

    ::testing::internal::CaptureStderr();
    const int loaded = LoadModelSet(directory.path.c_str());
    const std::string messages = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(loaded, 2);
    ASSERT_NE(PlaneModel, nullptr);
    EXPECT_EQ(PlaneModel->texture->texels[4095], 9);
    EXPECT_EQ(BrokenModel, nullptr);
    ASSERT_NE(ColumnModel, nullptr);
    EXPECT_EQ(TableModel, nullptr);
    EXPECT_NE(messages.find(directory.PathOf("broken.hgm") + " rejected"), std::string::npos);
    EXPECT_NE(messages.find(directory.PathOf("tex2.raw")), std::string::npos);
    EXPECT_NE(messages.find(directory.PathOf("table.hgm")), std::string::npos);
    EXPECT_EQ(messages.find("tex1.raw"), std::string::npos) << messages;
    for (const ModelSlot& slot : ModelSlots) {
        FreeModel(*slot.slot);
        *slot.slot = nullptr;
    }
}

} // namespace
