// The command-line machinery every program shares: one parser library behind a few helpers, so
// that a program's parser is a list of option declarations, one line each.
#pragma once

#include <CLI/CLI.hpp>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "cli/command_outcome.h"
#include "cli/drav_option_table.h"

// Reads argv[1..argc-1] with app, whose options store into the caller's record as they parse.
CommandLineOutcome ParseCommandLine(CLI::App& app, int argc, const char* const* argv);

// The help layout shared by every program: "usage: NAME [OPTIONS]", the options, no
// configuration file; and --version, which prints "NAME VERSION".
void DescribeProgram(CLI::App& app, const char* description);

// Declares "NAME VALUE" whose text parse must accept; parse also stores the value. A refused
// text is reported as "NAME: 'TEXT' is not WHAT".
template <typename T>
CLI::Option* AddParsedOption(CLI::App& app, const char* name, const char* valueName,
                             const char* help, T& target, bool (*parse)(const char*, T&),
                             const std::string& what) {
    CLI::Option* option = app.add_option_function<std::string>(
        name, [&target, parse](const std::string& text) { parse(text.c_str(), target); }, help);
    option->type_name(valueName);
    option->check(CLI::Validator(
        [parse, what](std::string& text) {
            T scratch{};
            return parse(text.c_str(), scratch) ? std::string() : "'" + text + "' is not " + what;
        },
        ""));
    return option;
}

// Declares "NAME N" for a whole number from minimum to maximum.
CLI::Option* AddWholeNumberOption(CLI::App& app, const char* name, const char* valueName,
                                  const char* help, uint32_t& target, uint32_t minimum,
                                  uint32_t maximum);
CLI::Option* AddWholeNumberOption(CLI::App& app, const char* name, const char* valueName,
                                  const char* help, int& target, int minimum, int maximum);

// Declares "NAME TEXT" storing a text such as a file name: not empty, and not starting with
// "--", which is an option left without its value.
CLI::Option* AddTextOption(CLI::App& app, const char* name, const char* valueName, const char* help,
                           std::string& target);

// Refuses option together with any of others. Each of others names option in its help, and a
// command line holding option and several of others is refused naming the first of them that
// was declared. (The library lists an option's refusals in the order of their addresses, which
// would make the help and the error change from run to run; option's own list stays empty.)
void RefuseTogether(CLI::Option* option, std::initializer_list<CLI::Option*> others);

// Declares the option a table entry describes, storing into target.
CLI::Option* AddOptionFromEntry(CLI::App& app, const OptionEntry& entry,
                                const OptionTarget& target);

// Declares --scale K and --threads N.
void AddFrameOptions(CLI::App& app, FrameOptions& frame);
