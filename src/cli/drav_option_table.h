// drav's options as one table, declared to the command-line library by ParseDravOptions and
// read without it by ParsePageOptions, so that both give the same help and the same messages.
#pragma once

#include <cstdint>
#include <string>

enum class OptionKind { Flag, WholeNumber, Text };

struct OptionEntry {
    const char* name;      // "--scale"
    const char* valueName; // "K"; null for a flag
    const char* help;
    OptionKind kind;
    uint32_t minimum, maximum; // whole numbers only
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
// --play refuse each other.
extern const char DravDescription[];
constexpr int DravOptionCount = 11;
extern const OptionEntry* const DravOptionEntries[DravOptionCount];
constexpr int RecordOptionIndex = 5;
constexpr int PlayOptionIndex = 6;
constexpr int CapturesOptionIndex = 7;
constexpr int MouseOptionIndex = 8;
constexpr int MouseSensitivityOptionIndex = 9;
constexpr int MouseInvertOptionIndex = 10;
