// The generated data set as a whole: every slot loads from it, the generator writes the same
// bytes every time, and the contact sheet is there for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "assets/model.h"
#include "support/assets_test_files.h"

namespace {

constexpr uint8_t BlackGrey = 215;

const char* const ExtraFiles[] = {"textures.png"};

TEST(DataSet, EverySlotLoadsItsModelAndTexture) {
    for (const ModelSlot& slot : ModelSlots) {
        SCOPED_TRACE(slot.modelFileName);
        *slot.slot =
            LoadModel(DataFile(slot.modelFileName).c_str(), DataFile(slot.textureFileName).c_str());
        ASSERT_NE(*slot.slot, nullptr);
        const Model& model = **slot.slot;
        EXPECT_GT(model.triangleCount, 0);
        EXPECT_EQ(ReadWholeFile(DataFile(slot.modelFileName)).size(),
                  12 + sizeof(ModelTriangle) * model.triangleCount)
            << "no bytes missing or left over";
        EXPECT_EQ(ReadWholeFile(DataFile(slot.textureFileName)).size(),
                  static_cast<size_t>(TextureBytes));
    }
    for (const ModelSlot& slot : ModelSlots) {
        FreeModel(*slot.slot);
        *slot.slot = nullptr;
    }
}

TEST(DataSet, TexturesAreDetailedAndNeverBlack) {
    // Black (the first grey) would mean an unpainted texel or the cube's white, which shares
    // that palette index; no texture of the set asks for black.
    for (const ModelSlot& slot : ModelSlots) {
        SCOPED_TRACE(slot.textureFileName);
        const Bytes texels = ReadWholeFile(DataFile(slot.textureFileName));
        EXPECT_EQ(std::count(texels.begin(), texels.end(), BlackGrey), 0);
        // Not a flat fill: several entries, none covering three quarters of the texture.
        EXPECT_GE(std::set<uint8_t>(texels.begin(), texels.end()).size(), 4u);
        for (int index = 0; index < 256; ++index) {
            EXPECT_LT(std::count(texels.begin(), texels.end(), index), TextureBytes * 3 / 4);
        }
    }
}

TEST(DataSet, GeneratorWritesTheSameBytesEveryRun) {
    ScratchDirectory scratch;
    const std::string command = std::string("\"") + DRAV_GEN_DATA + "\" \"" + scratch.path + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::string> names(std::begin(ExtraFiles), std::end(ExtraFiles));
    for (const ModelSlot& slot : ModelSlots) {
        names.push_back(slot.modelFileName);
        names.push_back(slot.textureFileName);
    }
    for (const std::string& name : names) {
        const Bytes again = ReadWholeFile(scratch.PathOf(name));
        EXPECT_FALSE(again.empty()) << name;
        EXPECT_TRUE(again == ReadWholeFile(DataFile(name.c_str()))) << name << " differs";
    }
}

TEST(DataSet, GeneratorFailsWhenItCannotWrite) {
    ScratchDirectory scratch;
    const std::string command = std::string("\"") + DRAV_GEN_DATA + "\" \"" + scratch.path +
                                "/absent/directory\" 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
}

TEST(DataSet, ContactSheetShowsTheSevenTexturesEnlarged) {
    const Bytes sheet = ReadWholeFile(DataFile("textures.png"));
    ASSERT_GE(sheet.size(), 24u);
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), sheet.begin()));
    const auto bigEndian = [&sheet](size_t at) {
        return sheet[at] << 24 | sheet[at + 1] << 16 | sheet[at + 2] << 8 | sheet[at + 3];
    };
    // Seven 64-texel textures with 4-texel gaps round them, four times enlarged.
    EXPECT_EQ(bigEndian(16), (7 * (64 + 4) + 4) * 4);
    EXPECT_EQ(bigEndian(20), (64 + 2 * 4) * 4);
}

} // namespace
