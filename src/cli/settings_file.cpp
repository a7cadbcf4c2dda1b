#include "cli/settings_file.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "assets/output_file.h"
#include "cli/option_values.h"

namespace {

// Where a key of the file stands; the library's items carry no line numbers.
struct KeyLine {
    std::string key;
    int line;
};

// The keys of the text's "KEY = VALUE" and lone "KEY" lines with their line numbers, found as
// the library finds them: trimmed lines of three characters or more that are neither a
// [section] nor a comment.
std::vector<KeyLine> FindKeyLines(const std::string& text) {
    std::vector<KeyLine> keys;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        CLI::detail::trim(line);
        if (line.size() < 3 || (line.front() == '[' && line.back() == ']') || line.front() == ';' ||
            line.front() == '#') {
            continue;
        }
        std::string key = CLI::detail::trim_copy(line.substr(0, line.find('=')));
        CLI::detail::remove_quotes(key);
        keys.push_back(KeyLine{key, number});
    }
    return keys;
}

// "FILE:LINE" for the next line holding key at or after *cursor, which moves past it.
std::string Where(const std::string& fileName, const std::vector<KeyLine>& keys, size_t* cursor,
                  const std::string& key) {
    for (size_t at = *cursor; at < keys.size(); ++at) {
        if (keys[at].key == key) {
            *cursor = at + 1;
            return fileName + ":" + std::to_string(keys[at].line);
        }
    }
    return fileName;
}

int FindSettingsKey(const std::string& key) {
    for (int index = 0; index < DravOptionCount; ++index) {
        const OptionEntry& entry = *DravOptionEntries[index];
        if (!entry.commandLineOnly && key == entry.name + 2) {
            return index;
        }
    }
    return -1;
}

// The same words for true and false as the command-line library takes.
bool ParseTruth(const std::string& text, bool& value) {
    const std::string word = CLI::detail::to_lower(text);
    if (word == "true" || word == "on" || word == "yes" || word == "1") {
        value = true;
    } else if (word == "false" || word == "off" || word == "no" || word == "0") {
        value = false;
    } else {
        return false;
    }
    return true;
}

// An item's values joined by commas: several come from an array ("{W, Up}") or from the key
// given on lines in a row.
std::string JoinedInputs(const std::vector<std::string>& inputs) {
    std::string value = inputs.empty() ? std::string() : inputs[0];
    for (size_t at = 1; at < inputs.size(); ++at) {
        value += "," + inputs[at];
    }
    return value;
}

// Stores one item's value into its option's target; returns why it is refused, else "".
std::string TakeItem(const OptionEntry& entry, const std::vector<std::string>& inputs,
                     const OptionTarget& target) {
    const std::string value = JoinedInputs(inputs);
    if (inputs.size() > 1 && entry.kind != OptionKind::KeyList) {
        return std::string("one value only");
    }
    if (entry.kind == OptionKind::Flag) {
        return ParseTruth(value, *target.flag) ? std::string()
                                               : "'" + value + "' is not true or false";
    }
    std::string problem = OptionValueProblem(entry, value);
    if (problem.empty()) {
        StoreOptionValue(entry, value, target);
    }
    return problem;
}

std::string FormatValue(const OptionEntry& entry, const OptionTarget& target) {
    switch (entry.kind) {
    case OptionKind::Flag:
        return *target.flag ? "true" : "false";
    case OptionKind::WholeNumber:
        return std::to_string(*target.number);
    case OptionKind::Text:
    case OptionKind::KeyList:
    case OptionKind::Size:
        break;
    }
    return "\"" + *target.text + "\"";
}

// Gives every option the command line did not give the value settings holds.
void TakeUngivenSettings(DravOptions& options, DravOptions& settings) {
    OptionTarget targets[DravOptionCount];
    OptionTarget settingsTargets[DravOptionCount];
    DravOptionTargets(options, targets);
    DravOptionTargets(settings, settingsTargets);
    for (int index = 0; index < DravOptionCount; ++index) {
        if (options.given[index] || DravOptionEntries[index]->commandLineOnly) {
            continue;
        }
        const OptionTarget& to = targets[index];
        const OptionTarget& from = settingsTargets[index];
        if (to.flag != nullptr) {
            *to.flag = *from.flag;
        } else if (to.number != nullptr) {
            *to.number = *from.number;
        } else {
            *to.text = *from.text;
        }
    }
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    text = bytes.str();
    return !file.bad();
}

CommandLineOutcome RefuseSettings(const std::string& message) {
    return CommandLineOutcome{false, ExitBadArguments, message + "\n"};
}

// Writes the text into path, making its folder when missing; "" or the reason it cannot.
std::string WriteTextFile(const std::string& path, const std::string& text) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    OutputFile file{};
    std::string error;
    if (!OpenOutputFile(file, path.c_str(), error)) {
        return error;
    }
    if (std::fwrite(text.data(), 1, text.size(), file.stream) != text.size()) {
        AbandonOutputFile(file);
        return "cannot write " + path;
    }
    CommitOutputFile(file, error);
    return error;
}

std::string SettingsPathOf(const DravOptions& options) {
    return options.configPath.empty() ? DefaultSettingsPath() : options.configPath;
}

} // namespace

std::string DefaultSettingsPath() {
#ifdef _WIN32
    const char* appData = std::getenv("APPDATA");
    return appData != nullptr && *appData != '\0' ? std::string(appData) + "\\drav\\drav.ini" : "";
#else
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && *config != '\0') {
        return std::string(config) + "/drav/drav.ini";
    }
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? std::string(home) + "/.config/drav/drav.ini" : "";
#endif
}

std::string ReadSettingsText(const std::string& text, const std::string& fileName,
                             DravOptions& settings, std::string& warnings) {
    // Arrays only in braces, so that a value with spaces or commas ("Left Shift,W", a folder's
    // name) stays one value; and comments on lines of their own only, so that a value may hold
    // any character and be written back. The library reports nothing else.
    CLI::ConfigINI reader;
    reader.arrayBounds('{', '}');
    reader.comment('\n');
    std::istringstream stream(text);
    const std::vector<CLI::ConfigItem> items = reader.from_config(stream);
    const std::vector<KeyLine> keyLines = FindKeyLines(text);
    OptionTarget targets[DravOptionCount];
    DravOptionTargets(settings, targets);
    size_t cursor = 0;
    for (const CLI::ConfigItem& item : items) {
        // A section's end, which the reader marks with an item of its own.
        if (item.name == "--" || item.name == "++") {
            continue;
        }
        const std::string key = item.fullname();
        const std::string where = Where(fileName, keyLines, &cursor, item.name);
        const int index = item.parents.empty() ? FindSettingsKey(key) : -1;
        if (index < 0) {
            warnings += "drav: warning: " + where + ": unknown key '" + key + "' (ignored)\n";
            continue;
        }
        const std::string problem =
            TakeItem(*DravOptionEntries[index], item.inputs, targets[index]);
        if (!problem.empty()) {
            return "drav: " + where + ": " + key + " = '" + JoinedInputs(item.inputs) +
                   "': " + problem;
        }
    }
    return std::string();
}

std::string SettingsFileText(const DravOptions& options) {
    DravOptions current = options;
    DravOptions defaults = DefaultDravOptions();
    OptionTarget targets[DravOptionCount];
    OptionTarget defaultTargets[DravOptionCount];
    DravOptionTargets(current, targets);
    DravOptionTargets(defaults, defaultTargets);
    std::string text = "# drav's settings: each key is one of drav's options without its dashes "
                       "(drav --help);\n# a key marked with '#' keeps its default. The command "
                       "line wins over this file.\n";
    for (int index = 0; index < DravOptionCount; ++index) {
        const OptionEntry& entry = *DravOptionEntries[index];
        if (entry.commandLineOnly) {
            continue;
        }
        const std::string value = FormatValue(entry, targets[index]);
        const bool isDefault = value == FormatValue(entry, defaultTargets[index]);
        text += std::string("\n# ") + entry.help + "\n" + (isDefault ? "# " : "") +
                (entry.name + 2) + " = " + value + "\n";
    }
    return text;
}

CommandLineOutcome ApplySettingsFile(DravOptions& options) {
    const bool named = !options.configPath.empty();
    const std::string path = SettingsPathOf(options);
    std::string text;
    std::string warnings;
    if (!path.empty() && !ReadWholeFile(path, text) && (named || std::filesystem::exists(path))) {
        return RefuseSettings("drav: cannot read the settings file " + path);
    }
    DravOptions settings = DefaultDravOptions();
    const std::string problem = ReadSettingsText(text, path, settings, warnings);
    if (!problem.empty()) {
        return RefuseSettings(warnings + problem);
    }
    TakeUngivenSettings(options, settings);
    if (!options.writeConfig) {
        return CommandLineOutcome{true, 0, warnings};
    }
    std::fputs(warnings.c_str(), stderr);
    if (path.empty()) {
        return RefuseSettings("drav: no folder for the settings file: name one with --config FILE");
    }
    const std::string error = WriteTextFile(path, SettingsFileText(options));
    if (!error.empty()) {
        return RefuseSettings("drav: " + error);
    }
    return CommandLineOutcome{false, 0, "drav: wrote the settings to " + path + "\n"};
}

std::string SettingsTextWith(const std::string& text, const std::string& key,
                             const std::string& value) {
    int line = 0;
    for (const KeyLine& keyLine : FindKeyLines(text)) {
        line = keyLine.key == key ? keyLine.line : line;
    }
    const std::string setting = key + " = " + value;
    if (line == 0) {
        const bool ended = text.empty() || text.back() == '\n';
        return text + (ended ? "" : "\n") + setting + "\n";
    }
    size_t start = 0;
    for (int number = 1; number < line; ++number) {
        start = text.find('\n', start) + 1;
    }
    // A line that ends in "\r\n" keeps its ending.
    size_t end = std::min(text.find('\n', start), text.size());
    end -= end > start && text[end - 1] == '\r' ? 1 : 0;
    return text.substr(0, start) + setting + text.substr(end);
}

void KeepWindowSize(const DravOptions& options, int width, int height) {
    const std::string path = SettingsPathOf(options);
    std::string text;
    if (path.empty() || (!ReadWholeFile(path, text) && std::filesystem::exists(path))) {
        return;
    }
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const char* key = DravOptionEntries[WindowSizeOptionIndex]->name + 2;
    const std::string error = WriteTextFile(path, SettingsTextWith(text, key, size));
    if (!error.empty()) {
        std::fprintf(stderr, "drav: cannot keep the window size: %s\n", error.c_str());
    }
}
