#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/startup.h"
#include "assets/model.h"
#include "render/palette.h"
#include "render/render_state.h"

namespace {

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(FillProjectionMatrix, HoldsTheFiveValuesAndZeroElsewhere) {
    for (float& element : ProjectionMatrix.m) {
        element = 5.0f;
    }
    FillProjectionMatrix();
    EXPECT_EQ(Bits(ProjectionMatrix.at(0, 0)), 0x3FCDDF67u);
    EXPECT_EQ(Bits(ProjectionMatrix.at(1, 1)), 0x40093F9Au);
    EXPECT_EQ(Bits(ProjectionMatrix.at(2, 2)), 0xBF8456C8u);
    EXPECT_EQ(Bits(ProjectionMatrix.at(2, 3)), 0xBF022B64u);
    EXPECT_EQ(Bits(ProjectionMatrix.at(3, 2)), 0xBF800000u);
    int zeros = 0;
    for (float element : ProjectionMatrix.m) {
        zeros += Bits(element) == 0 ? 1 : 0;
    }
    EXPECT_EQ(zeros, 11);
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

} // namespace
