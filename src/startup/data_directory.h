// Where a program finds its fourteen data files when it is not told: the working directory
// first, where the program has always read them, then the folder an installation puts them in.
#pragma once

#include <string>
#include <vector>

// The places searched, in order. The first is always "" for the working directory (plain file
// names); then, when the executable's path is known, the executable's own folder on Windows
// (an unpacked folder holds drav.exe and its data side by side) and ../share/drav beside the
// executable's folder (bin/drav and share/drav/ of an installation).
std::vector<std::string> DataDirectoryCandidates(const std::string& executablePath);

// Whether at least one of the fourteen data files is a regular file in the directory ("" is
// the working directory). A partial set still counts, so that its missing files are named
// one by one when the models load, as in the working directory before any search existed.
bool HoldsDataFiles(const std::string& directory);

// The first candidate that holds data files; false when none does.
bool FindDataDirectory(const std::vector<std::string>& candidates, std::string& found);

// The folder the data files are read from: dataDirectory when it is not empty (--data), else
// the first candidate of the running program that holds data files; "" (the working directory)
// also when none does.
std::string ResolveDataDirectory(const std::string& dataDirectory);

// One sentence naming every candidate searched, the working directory by its absolute path.
std::string MissingDataMessage(const std::vector<std::string>& candidates);

// The running program's own file, or "" where the platform does not tell (the browser, whose
// data files are packaged into its working directory).
std::string ExecutablePath();

// Fills the seven model slots: from dataDirectory when it is not empty (--data), else from the
// first candidate of the running program that holds data files. When that folder holds none, or
// no candidate does, prints "PROGRAM: " MissingDataMessage (and, after a search, hint) on one
// line of stderr, leaves every slot empty and returns false.
bool LoadDataSet(const char* program, const std::string& dataDirectory, const char* hint);

// What the programs that take --data say about it in their help and when no data is found.
constexpr const char* DataOptionDescription =
    "folder of the data files (default: the working directory, else ../share/drav beside the "
    "program)";
constexpr const char* MissingDataHint = "; name their folder with --data DIR";
