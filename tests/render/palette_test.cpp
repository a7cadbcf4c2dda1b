#include <gtest/gtest.h>

#include <set>

#include "render/palette.h"

namespace {

class ColourTablesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        BuildPalette(Palette);
        BuildFogTable(Palette);
    }
    static uint8_t Fog(int shade, int colour) { return FogTable[shade * 256 + colour]; }
    static std::set<int> RowValues(int shade) {
        std::set<int> values;
        for (int colour = 0; colour < 256; ++colour) {
            values.insert(Fog(shade, colour));
        }
        return values;
    }
};

void ExpectColour(int index, int red, int green, int blue) {
    SCOPED_TRACE(index);
    EXPECT_EQ(Palette[index].red, red);
    EXPECT_EQ(Palette[index].green, green);
    EXPECT_EQ(Palette[index].blue, blue);
    EXPECT_EQ(Palette[index].reserved, 0);
}

TEST_F(ColourTablesTest, PaletteHoldsTheCubeAndTheGreyRamp) {
    ExpectColour(0, 0, 0, 0);
    ExpectColour(1, 0, 0, 48);
    ExpectColour(6, 0, 48, 0);
    ExpectColour(36, 48, 0, 0);
    ExpectColour(214, 240, 240, 192);
    ExpectColour(215, 0, 0, 0);
    ExpectColour(227, 76, 76, 76);
    ExpectColour(243, 178, 178, 178);
    ExpectColour(255, 255, 255, 255);
}

TEST_F(ColourTablesTest, GreyRampRoundsHalvesToEven) {
    const int expected[41] = {0,   6,   13,  19,  26,  32,  38,  45,  51,  57,  64,  70,  76,  83,
                              89,  96,  102, 108, 115, 121, 128, 134, 140, 147, 153, 159, 166, 172,
                              178, 185, 191, 198, 204, 210, 217, 223, 230, 236, 242, 249, 255};
    for (int i = 0; i <= 40; ++i) {
        ExpectColour(215 + i, expected[i], expected[i], expected[i]);
    }
}

TEST_F(ColourTablesTest, PaletteLacksTheOverwrittenCubeWhite) {
    for (int index = 0; index < 256; ++index) {
        const RgbQuad& entry = Palette[index];
        EXPECT_FALSE(entry.red == 240 && entry.green == 240 && entry.blue == 240) << index;
    }
}

TEST_F(ColourTablesTest, NearFogRowsAreAllTheFogGrey) {
    for (int shade = 0; shade <= 4; ++shade) {
        EXPECT_EQ(RowValues(shade), std::set<int>{247}) << "shade " << shade;
    }
    EXPECT_EQ(RowValues(5), (std::set<int>{246, 247}));
    EXPECT_EQ(Fog(0, 0), 247);
}

TEST_F(ColourTablesTest, FullShadeRowMapsEachColourToItselfOrItsFirstTwin) {
    for (int colour = 0; colour < 256; ++colour) {
        const int expected = colour == 215 ? 0 : colour == 230 ? 86 : colour;
        EXPECT_EQ(Fog(255, colour), expected) << "colour " << colour;
    }
    EXPECT_EQ(RowValues(255).size(), 254u);
}

TEST_F(ColourTablesTest, MiddleRowHoldsSixtyEightColours) {
    EXPECT_EQ(RowValues(128).size(), 68u);
}

TEST_F(ColourTablesTest, SampleCells) {
    EXPECT_EQ(Fog(128, 0), 231);
    EXPECT_EQ(Fog(128, 180), 158);
    EXPECT_EQ(Fog(192, 5), 47);
    EXPECT_EQ(Fog(64, 30), 141);
    EXPECT_EQ(Fog(32, 5), 136);
    EXPECT_EQ(Fog(128, 255), 251);
}

} // namespace
