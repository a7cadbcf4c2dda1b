#include "platform/key_names.h"

#include <cctype>

#include "cli/option_values.h"

const char* const UsualKeyNames[KeyActionCount] = {
    "End", "PageUp", "PageDown", "Left", "Right", "Up", "Down", "F11", "F12", "F9",
};

namespace {

struct NamedVirtualKey {
    const char* name;
    int code;
};

// SDL's names of the keys that are not letters, digits or function keys, with the virtual
// keys Windows gives them.
constexpr NamedVirtualKey NamedVirtualKeys[] = {
    {"Backspace", 0x08}, {"Tab", 0x09},        {"Return", 0x0D},     {"Pause", 0x13},
    {"CapsLock", 0x14},  {"Escape", 0x1B},     {"Space", 0x20},      {"PageUp", 0x21},
    {"PageDown", 0x22},  {"End", 0x23},        {"Home", 0x24},       {"Left", 0x25},
    {"Up", 0x26},        {"Right", 0x27},      {"Down", 0x28},       {"Insert", 0x2D},
    {"Delete", 0x2E},    {"Keypad *", 0x6A},   {"Keypad +", 0x6B},   {"Keypad -", 0x6D},
    {"Keypad .", 0x6E},  {"Keypad /", 0x6F},   {"Left Shift", 0xA0}, {"Right Shift", 0xA1},
    {"Left Ctrl", 0xA2}, {"Right Ctrl", 0xA3}, {"Left Alt", 0xA4},   {"Right Alt", 0xA5},
    {";", 0xBA},         {"=", 0xBB},          {",", 0xBC},          {"-", 0xBD},
    {".", 0xBE},         {"/", 0xBF},          {"`", 0xC0},          {"[", 0xDB},
    {"\\", 0xDC},        {"]", 0xDD},          {"'", 0xDE},
};

bool SameLetters(const std::string& a, const char* b) {
    size_t at = 0;
    for (; at < a.size() && b[at] != '\0'; ++at) {
        if (std::tolower(static_cast<unsigned char>(a[at])) !=
            std::tolower(static_cast<unsigned char>(b[at]))) {
            return false;
        }
    }
    return at == a.size() && b[at] == '\0';
}

// "F1" to "F24": VK_F1 (0x70) onwards; "Keypad 0" to "Keypad 9": VK_NUMPAD0 (0x60) onwards.
// The number is plain digits without a leading zero.
int NumberedKey(const std::string& name, const char* prefix, int first, int count, int base) {
    const size_t length = std::char_traits<char>::length(prefix);
    const size_t digits = name.size() - length;
    if (name.size() <= length || digits > 2 || !SameLetters(name.substr(0, length), prefix) ||
        (digits > 1 && name[length] == '0')) {
        return 0;
    }
    int number = 0;
    for (size_t at = length; at < name.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(name[at]))) {
            return 0;
        }
        number = number * 10 + (name[at] - '0');
    }
    return number >= first && number < first + count ? base + number - first : 0;
}

} // namespace

std::vector<std::string> ActionKeyNames(const KeyNames& names, KeyAction action) {
    const std::string& list = names.action[static_cast<int>(action)];
    return SplitKeyNames(list.empty() ? UsualKeyNames[static_cast<int>(action)] : list);
}

int VirtualKeyFromName(const std::string& name) {
    // Letters and digits are their own virtual keys, the letters in capitals.
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        return std::toupper(static_cast<unsigned char>(name[0]));
    }
    for (const NamedVirtualKey& key : NamedVirtualKeys) {
        if (SameLetters(name, key.name)) {
            return key.code;
        }
    }
    if (const int function = NumberedKey(name, "F", 1, 24, 0x70)) {
        return function;
    }
    return NumberedKey(name, "Keypad ", 0, 10, 0x60);
}
