// What every program's command line comes to, without the parser library: the outcome of a
// parse, how it is reported, and the whole-number rule. The page's own parser needs only this.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

constexpr int ExitBadArguments = 2;

// How the frame is made: 320K x 240K pixels for a scale K, drawn by a number of threads.
struct FrameOptions {
    int scale;
    int threads;
};

// Scale 1 and one thread per core the process may use (DefaultThreadCount).
FrameOptions DefaultFrameOptions();

// What a program does after its command line is read: run, or print text (to standard output
// after --help, else to standard error) and exit with exitStatus.
struct CommandLineOutcome {
    bool run;
    int exitStatus;   // 0 after --help or --version, ExitBadArguments after a bad argument
    std::string text; // the help, "NAME VERSION", "NAME: error" followed by the usage, or warnings
};

// Prints an outcome's text where it belongs (a run's text, its warnings, to standard error);
// returns -1 when the program should run, else the exit status.
int ReportCommandLine(const CommandLineOutcome& outcome);

// Plain decimal digits only (no sign, space or base prefix) with a value up to UINT32_MAX.
bool ParseWholeNumber(const char* text, uint32_t& value);

// Whether every file named to be written (empty names are not asked for) can be: not a
// directory, in a folder that exists and can be written into. Names the first that cannot on
// stderr as "PROGRAM: cannot write PATH: REASON"; the program then exits with ExitBadArguments
// before any work.
bool OutputFilesWritable(const char* program, std::initializer_list<std::string> paths);
