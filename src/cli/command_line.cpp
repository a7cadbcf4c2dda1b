#include "cli/command_line.h"

#include <functional>

#include "cli/option_values.h"
#include "cli/version.h"
#include "render/renderer.h"

namespace {

// Declares "NAME N" for a whole number from minimum to maximum, handing it to store.
CLI::Option* AddRangeOption(CLI::App& app, const char* name, const char* valueName,
                            const char* help, uint32_t minimum, uint32_t maximum,
                            std::function<void(uint32_t)> store) {
    const std::string what =
        "a whole number from " + std::to_string(minimum) + " to " + std::to_string(maximum);
    CLI::Option* option = app.add_option_function<std::string>(
        name,
        [store](const std::string& text) {
            uint32_t value = 0;
            ParseWholeNumber(text.c_str(), value);
            store(value);
        },
        help);
    option->type_name(valueName);
    option->check(CLI::Validator(
        [minimum, maximum, what](std::string& text) {
            uint32_t value = 0;
            const bool inRange =
                ParseWholeNumber(text.c_str(), value) && value >= minimum && value <= maximum;
            return inRange ? std::string() : "'" + text + "' is not " + what;
        },
        ""));
    return option;
}

// Declares "NAME VALUE" with the value checked as every reader of drav's options checks it.
CLI::Option* AddCheckedTextOption(CLI::App& app, const OptionEntry& entry, std::string& target) {
    return app.add_option(entry.name, target, entry.help)
        ->type_name(entry.valueName)
        ->check(CLI::Validator(
            [&entry](std::string& text) { return OptionValueProblem(entry, text); }, ""));
}

} // namespace

CommandLineOutcome ParseCommandLine(CLI::App& app, int argc, const char* const* argv) {
    // The library reports through exceptions; they end here.
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        return CommandLineOutcome{false, 0, app.help()};
    } catch (const CLI::CallForVersion& version) {
        return CommandLineOutcome{false, 0, std::string(version.what()) + "\n"};
    } catch (const CLI::ParseError& error) {
        // The error, then the usage and the options without the program's description.
        app.description("");
        return CommandLineOutcome{false, ExitBadArguments,
                                  app.get_name() + ": " + error.what() + "\n" + app.help()};
    }
    return CommandLineOutcome{true, 0, std::string()};
}

void DescribeProgram(CLI::App& app, const char* description) {
    app.description(description);
    app.get_formatter()->label("Usage", "usage");
    app.get_formatter()->column_width(28);
    app.set_version_flag("--version", app.get_name() + " " + DravVersion,
                         "Print the version and exit");
}

CLI::Option* AddWholeNumberOption(CLI::App& app, const char* name, const char* valueName,
                                  const char* help, uint32_t& target, uint32_t minimum,
                                  uint32_t maximum) {
    return AddRangeOption(app, name, valueName, help, minimum, maximum,
                          [&target](uint32_t value) { target = value; });
}

CLI::Option* AddWholeNumberOption(CLI::App& app, const char* name, const char* valueName,
                                  const char* help, int& target, int minimum, int maximum) {
    return AddRangeOption(app, name, valueName, help, static_cast<uint32_t>(minimum),
                          static_cast<uint32_t>(maximum),
                          [&target](uint32_t value) { target = static_cast<int>(value); });
}

CLI::Option* AddTextOption(CLI::App& app, const char* name, const char* valueName, const char* help,
                           std::string& target) {
    // A missing value would otherwise take the next option's name, so that "--png --raw f"
    // writes a file called "--raw".
    const std::string what = std::string("a ") + valueName + " name";
    return app.add_option(name, target, help)
        ->type_name(valueName)
        ->check(CLI::Validator(
            [what](std::string& text) {
                const bool plausible = !text.empty() && text.compare(0, 2, "--") != 0;
                return plausible ? std::string() : "'" + text + "' is not " + what;
            },
            ""));
}

void RefuseTogether(CLI::Option* option, std::initializer_list<CLI::Option*> others) {
    for (CLI::Option* other : others) {
        other->excludes(option);
        option->remove_excludes(other);
    }
}

CLI::Option* AddOptionFromEntry(CLI::App& app, const OptionEntry& entry,
                                const OptionTarget& target) {
    switch (entry.kind) {
    case OptionKind::Flag:
        return app.add_flag(entry.name, *target.flag, entry.help);
    case OptionKind::WholeNumber:
        return AddWholeNumberOption(app, entry.name, entry.valueName, entry.help, *target.number,
                                    static_cast<int>(entry.minimum),
                                    static_cast<int>(entry.maximum));
    case OptionKind::KeyList:
    case OptionKind::Size:
        return AddCheckedTextOption(app, entry, *target.text);
    case OptionKind::Text:
        break;
    }
    return AddTextOption(app, entry.name, entry.valueName, entry.help, *target.text);
}

void AddFrameOptions(CLI::App& app, FrameOptions& frame) {
    AddOptionFromEntry(app, ScaleOption, OptionTarget{&frame.scale, nullptr, nullptr});
    AddOptionFromEntry(app, ThreadsOption, OptionTarget{&frame.threads, nullptr, nullptr});
}
