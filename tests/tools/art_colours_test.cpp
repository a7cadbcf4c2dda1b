// The colour measure of the generated art and the colours the generator keeps: CIELAB itself,
// how texel counts weight the figures, the restricted reduction to palette indices, and the
// data set's textures against the figures they had before their colours were chosen for the fog.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "gen_data/cielab.h"
#include "gen_data/fog_survival.h"
#include "gen_data/materials.h"
#include "gen_data/texture_paint.h"
#include "render/palette.h"
#include "support/assets_test_files.h"

namespace {

TEST(Cielab, KnownColoursAndHueWrapping) {
    const Lab white = ToLab(255, 255, 255);
    EXPECT_NEAR(white.lightness, 100, 0.01);
    EXPECT_NEAR(Chroma(white), 0, 0.01);
    // Published values of sRGB red and of a mid grey.
    const Lab red = ToLab(255, 0, 0);
    EXPECT_NEAR(red.lightness, 53.24, 0.02);
    EXPECT_NEAR(red.a, 80.09, 0.05);
    EXPECT_NEAR(red.b, 67.20, 0.05);
    EXPECT_NEAR(ToLab(119, 119, 119).lightness, 50.03, 0.05);
    EXPECT_NEAR(Hue(ToLab(0, 0, 255)), 306.3, 0.1);
    EXPECT_DOUBLE_EQ(HueDifference(350, 10), 20);
    EXPECT_DOUBLE_EQ(HueDifference(10, 350), 20);
    EXPECT_NEAR(DeltaE(red, white), std::hypot(100 - 53.24, 80.09, 67.20), 0.1);
}

TEST(FogSurvival, TexelCountsWeightTheFigures) {
    const int brown = 36 * 2 + 6 * 1; // (96, 48, 0), which turns olive in the fog
    const int grey = 240;
    const FogSurvival own = MeasureColour(brown);
    EXPECT_GT(own.driftShare, 0.3);
    EXPECT_EQ(MeasureColour(grey).driftShare, 0) << "greys never count as coloured";

    Texture half;
    std::memset(half.texels, brown, TextureBytes / 4);
    std::memset(half.texels + TextureBytes / 4, grey, TextureBytes * 3 / 4);
    const FogSurvival mixed = MeasureTexture(half);
    EXPECT_DOUBLE_EQ(mixed.driftShare, own.driftShare) << "greys dilute only the colour error";
    EXPECT_NEAR(mixed.meanDeltaE, (own.meanDeltaE + 3 * MeasureColour(grey).meanDeltaE) / 4, 1e-9);
    EXPECT_DOUBLE_EQ(mixed.worstDeltaE, std::max(own.worstDeltaE, MeasureColour(grey).worstDeltaE));
}

TEST(Materials, ColoursReadAsTheMaterialAndQuantiseKeepsToThem) {
    for (int i : MaterialColours(Stone)) {
        EXPECT_TRUE(Palette[i].red == Palette[i].green && Palette[i].green == Palette[i].blue)
            << "stone colour " << i << " is not grey";
    }
    const std::vector<int> wood = MaterialColours(Wood);
    ASSERT_FALSE(wood.empty());
    for (int i : wood) {
        EXPECT_LE(MeasureColour(i).driftShare, Wood.driftLimit) << i;
        EXPECT_GT(Palette[i].red, Palette[i].blue) << "wood is warm: " << i;
    }
    // With no colour drifting little enough, the material still gets its steadiest one.
    Material strict = Wood;
    strict.driftLimit = -1;
    const std::vector<int> steadiest = MaterialColours(strict);
    ASSERT_EQ(steadiest.size(), 1u);
    for (int i : wood) {
        EXPECT_LE(MeasureColour(steadiest.front()).driftShare, MeasureColour(i).driftShare);
    }
    // A gradient over the whole range comes out in the given colours alone.
    Image gradient;
    for (int y = 0; y < TextureSide; ++y) {
        for (int x = 0; x < TextureSide; ++x) {
            gradient.at(x, y) = {4 * x, 4 * y, 255 - 4 * x};
        }
    }
    const std::vector<int> allowed = {wood.front(), 240, 250};
    Texture texture;
    Quantise(gradient, allowed, texture);
    for (uint8_t texel : texture.texels) {
        ASSERT_NE(std::find(allowed.begin(), allowed.end(), texel), allowed.end()) << +texel;
    }
}

// Drift shares of the data set's textures before their colours were chosen for the fog.
struct Recorded {
    const char* textureFileName;
    double driftBefore;
};
const Recorded DriftBefore[] = {{"tex1.raw", 0.319}, {"tex4.raw", 0.557}, {"tex2.raw", 0.310},
                                {"tex3.raw", 0.433}, {"tex5.raw", 0.0},   {"tex6.raw", 0.551},
                                {"heart.raw", 0.070}};

TEST(DataSetColours, KeepTheirHueThroughTheFog) {
    for (const Recorded& recorded : DriftBefore) {
        SCOPED_TRACE(recorded.textureFileName);
        const Bytes bytes = ReadWholeFile(DataFile(recorded.textureFileName));
        ASSERT_EQ(bytes.size(), static_cast<size_t>(TextureBytes));
        Texture texture;
        std::copy(bytes.begin(), bytes.end(), texture.texels);
        const double drift = MeasureTexture(texture).driftShare;
        EXPECT_LE(drift, recorded.driftBefore);
        // The table and the ceiling show the wood, which must stay brown.
        if (std::string(recorded.textureFileName) == "tex3.raw" ||
            std::string(recorded.textureFileName) == "tex6.raw") {
            EXPECT_LE(drift, 0.15);
        }
    }
}

} // namespace
