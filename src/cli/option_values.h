// The values drav's options take, checked and stored the same way wherever they come from: the
// command line, the page's address or the settings file.
#pragma once

#include <string>
#include <vector>

#include "cli/drav_option_table.h"

// Whether a platform has a key of this name. Each program sets it before reading its options;
// while it is null every name that is not empty is taken.
extern bool (*KnownKeyName)(const std::string& name);

// The names of a key list, split at its commas, spaces around each name taken off.
std::vector<std::string> SplitKeyNames(const std::string& list);

// Reads "WxH", two whole numbers from 1 to 16384 joined by an 'x'.
bool ParseSize(const std::string& text, int& width, int& height);

// Why the value is refused, as "'9' is not a whole number from 1 to 8", or empty when it is
// taken. Not for flags.
std::string OptionValueProblem(const OptionEntry& entry, const std::string& value);

// Stores a value OptionValueProblem takes.
void StoreOptionValue(const OptionEntry& entry, const std::string& value,
                      const OptionTarget& target);
