#include "cli/option_values.h"

#include "cli/command_outcome.h"

bool (*KnownKeyName)(const std::string& name) = nullptr;

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string KeyListProblem(const std::string& list) {
    for (const std::string& name : SplitKeyNames(list)) {
        if (name.empty() || (KnownKeyName != nullptr && !KnownKeyName(name))) {
            return "'" + name + "' is not a key name";
        }
    }
    return std::string();
}

} // namespace

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t cross = text.find('x');
    uint32_t w = 0;
    uint32_t h = 0;
    if (cross == std::string::npos || !ParseWholeNumber(text.substr(0, cross).c_str(), w) ||
        !ParseWholeNumber(text.substr(cross + 1).c_str(), h) || w < 1 || h < 1 || w > 16384 ||
        h > 16384) {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

std::vector<std::string> SplitKeyNames(const std::string& list) {
    std::vector<std::string> names;
    for (size_t start = 0;;) {
        const size_t comma = list.find(',', start);
        names.push_back(Trimmed(list.substr(start, comma - start)));
        if (comma == std::string::npos) {
            return names;
        }
        start = comma + 1;
    }
}

std::string OptionValueProblem(const OptionEntry& entry, const std::string& value) {
    if (entry.kind == OptionKind::KeyList) {
        return KeyListProblem(value);
    }
    int width = 0;
    int height = 0;
    if (entry.kind == OptionKind::Size) {
        return ParseSize(value, width, height)
                   ? std::string()
                   : "'" + value + "' is not a width and a height from 1 to 16384, as 900x700";
    }
    if (entry.kind == OptionKind::WholeNumber) {
        uint32_t number = 0;
        if (ParseWholeNumber(value.c_str(), number) && number >= entry.minimum &&
            number <= entry.maximum) {
            return std::string();
        }
        return "'" + value + "' is not a whole number from " + std::to_string(entry.minimum) +
               " to " + std::to_string(entry.maximum);
    }
    // A missing value would otherwise take the next option's name.
    if (!value.empty() && value.compare(0, 2, "--") != 0) {
        return std::string();
    }
    return "'" + value + "' is not a " + entry.valueName + " name";
}

void StoreOptionValue(const OptionEntry& entry, const std::string& value,
                      const OptionTarget& target) {
    if (entry.kind == OptionKind::WholeNumber) {
        uint32_t number = 0;
        ParseWholeNumber(value.c_str(), number);
        *target.number = static_cast<int>(number);
    } else {
        *target.text = value;
    }
}
