// Command line of the window program, drav. The browser build reads the same options from the page
// address, with a parser of its own that needs no command-line library.
#pragma once

#include <string>
#include <vector>

#include "cli/command_outcome.h"
#include "cli/drav_option_table.h"
#include "cli/present_options.h"
#include "scene/tick.h"

// Mouse turning, off unless asked for.
struct MouseOptions {
    bool enabled;
    MouseTurning turning;
};

struct DravOptions {
    FrameOptions frame;
    PresentOptions present;
    std::string recordPath;     // empty: no recording
    std::string playPath;       // empty: the keyboard drives the walk
    std::string capturesFolder; // empty: DefaultCaptureFolder
    std::string configPath;     // empty: DefaultSettingsPath
    bool writeConfig;           // write the settings file and exit
    MouseOptions mouse;
    bool given[DravOptionCount]; // which of DravOptionEntries the command line gave
};

// DefaultFrameOptions, no cap, no vsync, no fullscreen, no demo, no mouse.
DravOptions DefaultDravOptions();

// Where each of DravOptionEntries stores into options.
void DravOptionTargets(DravOptions& options, OptionTarget (&targets)[DravOptionCount]);

// Reads argv[1..argc-1] over DefaultDravOptions, with the command-line library, marking the
// options given.
CommandLineOutcome ParseDravOptions(int argc, const char* const* argv, DravOptions& options);

// The command line a page address's query stands for: "?scale=2&threads=1" gives
// {"drav", "--scale", "2", "--threads", "1"}, and a field without "=" a lone "--name".
std::vector<std::string> QueryArguments(const std::string& query);

// The page keeps its settings as a query too ("scale=2&key-forward=w"). The query the page runs
// with: the address's fields, after every field of the settings whose name the address does
// not give, so that the address wins.
std::string QueryOverSettings(const std::string& settings, const std::string& address);

// The settings a page keeps for a query: its fields but --config and --write-config.
std::string SettingsOfQuery(const std::string& query);

// Reads arguments[1..] as QueryArguments makes them (a name is never joined to its value by
// "=") over DefaultDravOptions, without the command-line library: the same outcome, help and
// messages as ParseDravOptions gives for the same arguments.
CommandLineOutcome ParsePageOptions(const std::vector<std::string>& arguments,
                                    DravOptions& options);
