// drav's options read without the command-line library, for the browser build, where the
// library and the exceptions it reports with would be most of the page's code. Each step
// follows the order in which the library reports: a missing value at once, then --version,
// then each given option in the order of the help (a refused value, then a repeat), then help,
// then two options that refuse each other, then arguments nobody expected.
#include <algorithm>
#include <string>
#include <vector>

#include "cli/drav_options.h"
#include "cli/option_values.h"
#include "cli/version.h"

namespace {

constexpr int HelpColumn = 28;

// The values given for each option, and the arguments that matched none.
struct GivenArguments {
    std::vector<std::string> values[DravOptionCount];
    int flagCount[DravOptionCount];
    std::vector<std::string> unexpected;
    bool help;
    bool version;
};

int FindOption(const std::string& name) {
    for (int index = 0; index < DravOptionCount; ++index) {
        if (name == DravOptionEntries[index]->name) {
            return index;
        }
    }
    return -1;
}

// "  NAME VALUE" padded to the help column, or on a line of its own when it reaches it.
void AppendHelpLine(std::string& text, const std::string& left, const char* help) {
    const std::string indented = "  " + left;
    text += indented;
    if (indented.size() >= HelpColumn) {
        text += "\n";
        text.append(HelpColumn, ' ');
    } else {
        text.append(HelpColumn - indented.size(), ' ');
    }
    text += help;
    text += "\n";
}

std::string HelpText(bool withDescription) {
    std::string text = withDescription ? std::string(DravDescription) + "\n" : std::string();
    text += "usage: drav [OPTIONS]\n\nOptions:\n";
    AppendHelpLine(text, "-h,--help", "Print this help message and exit");
    AppendHelpLine(text, "--version", "Print the version and exit");
    for (int index = 0; index < DravOptionCount; ++index) {
        const OptionEntry& entry = *DravOptionEntries[index];
        std::string left = entry.name;
        if (entry.valueName != nullptr) {
            left += std::string(" ") + entry.valueName;
        }
        if (index == RecordOptionIndex || index == PlayOptionIndex) {
            const int other = index == RecordOptionIndex ? PlayOptionIndex : RecordOptionIndex;
            left += std::string(" Excludes: ") + DravOptionEntries[other]->name;
        }
        AppendHelpLine(text, left, entry.help);
    }
    return text + "\n";
}

CommandLineOutcome Refuse(const std::string& error) {
    return CommandLineOutcome{false, ExitBadArguments, "drav: " + error + "\n" + HelpText(false)};
}

// Sorts the arguments into options, values and the unexpected; returns the error of an option
// left without its value, else an empty text.
std::string GatherArguments(const std::vector<std::string>& arguments, GivenArguments& given) {
    for (size_t at = 1; at < arguments.size(); ++at) {
        std::string argument = arguments[at];
        // Short flags may share a dash: "-hx" is -h, then "-x" read as an argument of its own.
        while (argument.size() > 2 && argument.compare(0, 2, "-h") == 0) {
            given.help = true;
            argument = "-" + argument.substr(2);
        }
        // Past a lone "--" every argument is a positional one, and drav takes none.
        if (argument == "--") {
            given.unexpected.push_back(argument);
            given.unexpected.insert(given.unexpected.end(), arguments.begin() + at + 1,
                                    arguments.end());
            break;
        }
        if (argument == "-h" || argument == "--help") {
            given.help = true;
            continue;
        }
        if (argument == "--version") {
            given.version = true;
            continue;
        }
        const int index = FindOption(argument);
        if (index < 0) {
            given.unexpected.push_back(argument);
            continue;
        }
        const OptionEntry& entry = *DravOptionEntries[index];
        if (entry.kind == OptionKind::Flag) {
            ++given.flagCount[index];
            continue;
        }
        if (at + 1 == arguments.size()) {
            return std::string(entry.name) + ": 1 required " + entry.valueName + " missing";
        }
        given.values[index].push_back(arguments[++at]);
    }
    return std::string();
}

// The first refused or repeated value, in the order of the help, storing those taken.
std::string TakeValues(const GivenArguments& given, DravOptions& options) {
    OptionTarget targets[DravOptionCount];
    DravOptionTargets(options, targets);
    for (int index = 0; index < DravOptionCount; ++index) {
        const OptionEntry& entry = *DravOptionEntries[index];
        if (entry.kind == OptionKind::Flag) {
            *targets[index].flag = given.flagCount[index] > 0;
            options.given[index] = given.flagCount[index] > 0;
            continue;
        }
        const std::vector<std::string>& values = given.values[index];
        for (const std::string& value : values) {
            const std::string problem = OptionValueProblem(entry, value);
            if (!problem.empty()) {
                return std::string(entry.name) + ": " + problem;
            }
        }
        if (values.size() > 1) {
            return std::string(entry.name) + ": At Most 1 required but received " +
                   std::to_string(values.size());
        }
        if (!values.empty()) {
            StoreOptionValue(entry, values[0], targets[index]);
            options.given[index] = true;
        }
    }
    return std::string();
}

// The library lists the unexpected arguments last first.
std::string UnexpectedText(const std::vector<std::string>& unexpected) {
    std::string text = unexpected.size() == 1 ? "The following argument was not expected:"
                                              : "The following arguments were not expected:";
    for (auto argument = unexpected.rbegin(); argument != unexpected.rend(); ++argument) {
        text += " " + *argument;
    }
    return text;
}

} // namespace

DravOptions DefaultDravOptions() {
    DravOptions options{};
    options.frame = DefaultFrameOptions();
    options.mouse.turning.sensitivity = DefaultMouseSensitivity;
    return options;
}

void DravOptionTargets(DravOptions& options, OptionTarget (&targets)[DravOptionCount]) {
    targets[0] = OptionTarget{&options.frame.scale, nullptr, nullptr};
    targets[1] = OptionTarget{&options.frame.threads, nullptr, nullptr};
    targets[2] = OptionTarget{&options.present.framesPerSecondCap, nullptr, nullptr};
    targets[3] = OptionTarget{nullptr, &options.present.display.vsync, nullptr};
    targets[4] = OptionTarget{nullptr, &options.present.display.fullscreen, nullptr};
    targets[RecordOptionIndex] = OptionTarget{nullptr, nullptr, &options.recordPath};
    targets[PlayOptionIndex] = OptionTarget{nullptr, nullptr, &options.playPath};
    targets[CapturesOptionIndex] = OptionTarget{nullptr, nullptr, &options.capturesFolder};
    targets[ConfigOptionIndex] = OptionTarget{nullptr, nullptr, &options.configPath};
    targets[WriteConfigOptionIndex] = OptionTarget{nullptr, &options.writeConfig, nullptr};
    targets[ResizableOptionIndex] =
        OptionTarget{nullptr, &options.present.display.resizable, nullptr};
    targets[SmoothOptionIndex] = OptionTarget{nullptr, &options.present.smooth, nullptr};
    targets[MouseOptionIndex] = OptionTarget{nullptr, &options.mouse.enabled, nullptr};
    targets[MouseSensitivityOptionIndex] =
        OptionTarget{&options.mouse.turning.sensitivity, nullptr, nullptr};
    targets[MouseInvertOptionIndex] = OptionTarget{nullptr, &options.mouse.turning.invert, nullptr};
    targets[WindowSizeOptionIndex] =
        OptionTarget{nullptr, nullptr, &options.present.display.windowSize};
    for (int action = 0; action < KeyActionCount; ++action) {
        targets[FirstKeyOptionIndex + action] =
            OptionTarget{nullptr, nullptr, &options.present.display.keys.action[action]};
    }
}

CommandLineOutcome ParsePageOptions(const std::vector<std::string>& arguments,
                                    DravOptions& options) {
    options = DefaultDravOptions();
    GivenArguments given{};
    std::string problem = GatherArguments(arguments, given);
    if (problem.empty() && given.version) {
        return CommandLineOutcome{false, 0, std::string("drav ") + DravVersion + "\n"};
    }
    if (problem.empty()) {
        problem = TakeValues(given, options);
    }
    if (!problem.empty()) {
        return Refuse(problem);
    }
    if (given.help) {
        return CommandLineOutcome{false, 0, HelpText(true)};
    }
    if (!given.values[RecordOptionIndex].empty() && !given.values[PlayOptionIndex].empty()) {
        return Refuse(std::string(DravOptionEntries[RecordOptionIndex]->name) + " excludes " +
                      DravOptionEntries[PlayOptionIndex]->name);
    }
    if (!given.unexpected.empty()) {
        return Refuse(UnexpectedText(given.unexpected));
    }
    return CommandLineOutcome{true, 0, std::string()};
}

std::vector<std::string> QueryArguments(const std::string& query) {
    std::vector<std::string> arguments{"drav"};
    const size_t start = !query.empty() && query[0] == '?' ? 1 : 0;
    for (size_t field = start; field < query.size();) {
        size_t end = query.find('&', field);
        if (end == std::string::npos) {
            end = query.size();
        }
        const size_t equals = query.find('=', field);
        if (equals < end) {
            arguments.push_back("--" + query.substr(field, equals - field));
            arguments.push_back(query.substr(equals + 1, end - equals - 1));
        } else if (end > field) {
            arguments.push_back("--" + query.substr(field, end - field));
        }
        field = end + 1;
    }
    return arguments;
}

namespace {

// The fields of a query, without its '?'; empty ones left out.
std::vector<std::string> QueryFields(const std::string& query) {
    std::vector<std::string> fields;
    const size_t start = !query.empty() && query[0] == '?' ? 1 : 0;
    for (size_t field = start; field <= query.size();) {
        size_t end = std::min(query.find('&', field), query.size());
        if (end > field) {
            fields.push_back(query.substr(field, end - field));
        }
        field = end + 1;
    }
    return fields;
}

std::string FieldName(const std::string& field) {
    return field.substr(0, field.find('='));
}

std::string JoinFields(const std::vector<std::string>& fields) {
    std::string query;
    for (const std::string& field : fields) {
        query += (query.empty() ? "" : "&") + field;
    }
    return query;
}

} // namespace

std::string QueryOverSettings(const std::string& settings, const std::string& address) {
    const std::vector<std::string> given = QueryFields(address);
    std::vector<std::string> fields;
    for (const std::string& field : QueryFields(settings)) {
        const std::string name = FieldName(field);
        if (std::none_of(given.begin(), given.end(),
                         [&name](const std::string& other) { return FieldName(other) == name; })) {
            fields.push_back(field);
        }
    }
    fields.insert(fields.end(), given.begin(), given.end());
    return JoinFields(fields);
}

std::string SettingsOfQuery(const std::string& query) {
    std::vector<std::string> fields;
    for (const std::string& field : QueryFields(query)) {
        const std::string name = "--" + FieldName(field);
        if (name != DravOptionEntries[ConfigOptionIndex]->name &&
            name != DravOptionEntries[WriteConfigOptionIndex]->name) {
            fields.push_back(field);
        }
    }
    return JoinFields(fields);
}
