#include "cli/drav_options.h"

#include "cli/command_line.h"

CommandLineOutcome ParseDravOptions(int argc, const char* const* argv, DravOptions& options) {
    options = DefaultDravOptions();
    CLI::App app("", "drav");
    DescribeProgram(app, DravDescription);
    OptionTarget targets[DravOptionCount];
    DravOptionTargets(options, targets);
    CLI::Option* declared[DravOptionCount];
    for (int index = 0; index < DravOptionCount; ++index) {
        declared[index] = AddOptionFromEntry(app, *DravOptionEntries[index], targets[index]);
    }
    declared[PlayOptionIndex]->excludes(declared[RecordOptionIndex]);
    const CommandLineOutcome outcome = ParseCommandLine(app, argc, argv);
    for (int index = 0; index < DravOptionCount; ++index) {
        options.given[index] = declared[index]->count() > 0;
    }
    return outcome;
}
