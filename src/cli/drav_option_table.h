// drav's options as one table, declared to the command-line library by ParseDravOptions and
// read without it by ParsePageOptions, so that both give the same help and the same messages.
#pragma once

#include <cstdint>
#include <string>

// KeyList: key names separated by commas ("W,Up"), each checked by KnownKeyName. Size: a
// width and a height in pixels, "900x700".
enum class OptionKind { Flag, WholeNumber, Text, KeyList, Size };

struct OptionEntry {
    const char* name;      // "--scale"
    const char* valueName; // "K"; null for a flag
    const char* help;
    OptionKind kind;
    uint32_t minimum, maximum;    // whole numbers only
    bool commandLineOnly = false; // not a key of the settings file
};

// Where a parse stores one option: exactly one of the three is set.
struct OptionTarget {
    int* number;
    bool* flag;
    std::string* text;
};

extern const OptionEntry ScaleOption;
extern const OptionEntry ThreadsOption;

// drav's description in its help, and its options in the order of the help. --record and
// --play refuse each other. The key options follow in the order of KeyAction.
extern const char DravDescription[];
constexpr int DravOptionCount = 26;
extern const OptionEntry* const DravOptionEntries[DravOptionCount];
constexpr int RecordOptionIndex = 5;
constexpr int PlayOptionIndex = 6;
constexpr int CapturesOptionIndex = 7;
constexpr int ConfigOptionIndex = 8;
constexpr int WriteConfigOptionIndex = 9;
constexpr int ResizableOptionIndex = 10;
constexpr int SmoothOptionIndex = 11;
constexpr int MouseOptionIndex = 12;
constexpr int MouseSensitivityOptionIndex = 13;
constexpr int MouseInvertOptionIndex = 14;
constexpr int WindowSizeOptionIndex = 15;
constexpr int FirstKeyOptionIndex = 16;
