// Writing a file without losing or replacing anything by mistake. A regular file (or a new
// one) is written under a temporary name beside it and takes its name only once complete, so
// a kill or a full disk leaves the old file whole; anything else that exists under the name (a
// device such as /dev/null, a pipe) is written through and stays what it is; a directory is
// refused.
#pragma once

#include <cstdio>
#include <string>

struct OutputFile {
    std::string path;     // the file the bytes are for (a symbolic link's target)
    std::string partPath; // the temporary file beside it; empty when writing through
    std::FILE* stream;    // null when not open
};

// Why path cannot be written, as "cannot write PATH: REASON", or "" when it can: it names a
// directory, or its folder does not exist, is not a folder, or cannot be written into. Asked
// before any work, so that a wrong name costs nothing.
std::string OutputPathProblem(const char* path);

// Opens the file for binary writing: a temporary PATH.part (PATH.1.part ... when that exists,
// so an older one is kept) created anew, or the existing non-regular file itself. False with
// "cannot write PATH: REASON" in error.
bool OpenOutputFile(OutputFile& file, const char* path, std::string& error);

// Flushes what was written so far to the operating system, so that a kill keeps it. False
// when the write failed (errno says why).
bool FlushOutputFile(OutputFile& file);

// Closes the file and gives the temporary file its name, replacing an older file in one
// step. False with the reason in error; the temporary file is then removed.
bool CommitOutputFile(OutputFile& file, std::string& error);

// Closes the file and removes the temporary file; the target is left as it was.
void AbandonOutputFile(OutputFile& file);

// Creates path as a new file for binary writing; null when it exists (errno EEXIST) or cannot
// be made. Never opens anything that was there before.
std::FILE* CreateNewFile(const char* path);

// Gives from the name to when no file has that name yet; false when one has (errno EEXIST) or
// the rename fails. from must be closed.
bool RenameWithoutReplacing(const char* from, const char* to);

// Whether this process may create files in folder ("" is the working directory).
bool FolderWritable(const std::string& folder);
