#include <gtest/gtest.h>

#include "platform/key_names.h"

namespace {

// One settings file serves Linux and Windows: SDL's names, in any case, give Windows' keys.
TEST(KeyNames, SdlNamesGiveWindowsVirtualKeys) {
    EXPECT_EQ(VirtualKeyFromName("w"), 'W');
    EXPECT_EQ(VirtualKeyFromName("7"), '7');
    EXPECT_EQ(VirtualKeyFromName("PageUp"), 0x21);
    EXPECT_EQ(VirtualKeyFromName("left shift"), 0xA0);
    EXPECT_EQ(VirtualKeyFromName("F1"), 0x70);
    EXPECT_EQ(VirtualKeyFromName("F24"), 0x87);
    EXPECT_EQ(VirtualKeyFromName("Keypad 8"), 0x68);
    for (const char* unknown : {"", "F0", "F25", "F01", "Keypad 10", "Keypad", "Upp", "é"}) {
        EXPECT_EQ(VirtualKeyFromName(unknown), 0) << unknown;
    }
    for (const char* usual : UsualKeyNames) {
        EXPECT_NE(VirtualKeyFromName(usual), 0) << usual;
    }
}

} // namespace
