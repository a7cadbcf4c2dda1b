// drav's settings file: every option of drav's table that is not for the command line alone,
// as "KEY = VALUE" lines (the option's name without its dashes), read by the command-line
// library's own INI reader. The command line wins over the file.
#pragma once

#include <string>

#include "cli/command_outcome.h"
#include "cli/drav_options.h"

// $XDG_CONFIG_HOME/drav/drav.ini, else ~/.config/drav/drav.ini; on Windows
// %APPDATA%\drav\drav.ini. Empty when none of these folders is known.
std::string DefaultSettingsPath();

// Reads a settings file's text into settings, each value stored as its option stores it. An
// unknown key adds "drav: warning: FILE:LINE: unknown key 'KEY' (ignored)\n" to warnings.
// Returns "drav: FILE:LINE: KEY = 'VALUE': WHY" for the first refused value, else "".
std::string ReadSettingsText(const std::string& text, const std::string& fileName,
                             DravOptions& settings, std::string& warnings);

// The file that gives options' settings: each key under a comment with its help, commented out
// while it holds its default.
std::string SettingsFileText(const DravOptions& options);

// Sets key to value in the settings text: on the line that gives it (the last when several
// do), else on a line of its own at the end. The other lines stay as they are.
std::string SettingsTextWith(const std::string& text, const std::string& key,
                             const std::string& value);

// At exit of a resizable window that was not fullscreen: keeps its client size as window-size
// in the settings file in use (--config FILE, else the usual one, made when missing). Failing
// to write it is named on stderr.
void KeepWindowSize(const DravOptions& options, int width, int height);

// Sets key to value in the settings text: on the line that gives it (the last when several
// do), else on a line of its own at the end. The other lines stay as they are.
std::string SettingsTextWith(const std::string& text, const std::string& key,
                             const std::string& value);

// At exit of a resizable window: keeps its client size as window-size in the settings file in
// use (--config FILE, else the usual one, made when missing). A failure is named on stderr.
void KeepWindowSize(const DravOptions& options, int width, int height);

// After the command line: the settings file (--config FILE, else the usual one when it
// exists) gives every option the command line did not; then --write-config writes the settings
// into that file. Runs with the warnings as text, or exits with the status and message.
CommandLineOutcome ApplySettingsFile(DravOptions& options);
