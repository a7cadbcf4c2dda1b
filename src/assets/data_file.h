// Opening a data file for reading only when it is a regular file, and writing a whole file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

enum class DataFileKind : uint8_t {
    NotTried,   // nothing was opened (the file was never asked for)
    Regular,    // a regular file, opened
    CannotOpen, // missing, or not readable
    NotRegular, // a directory, device, pipe or socket: left closed
};

struct DataFileFound {
    DataFileKind kind;
    uint64_t size; // bytes in the file when it was opened; 0 unless kind is Regular
};

struct OpenedDataFile {
    std::FILE* stream; // null unless found.kind is Regular
    DataFileFound found;
};

// Opens path for binary reading when it names a regular file. Anything else is not opened: a
// pipe would block the opening or the reading for as long as no one writes into it, and a
// device such as a terminal or an endless stream has no size that bounds the work.
OpenedDataFile OpenDataFile(const char* path);

// What path is when it is not a regular file, for a message: "a directory", "a named pipe",
// "a character device", "a block device", "a socket", else "not a regular file".
const char* DescribeFileType(const char* path);

// Writes size bytes to path as OpenOutputFile does (assets/output_file.h): a regular file is
// replaced only once the bytes are complete, a device or pipe is written through, a directory
// or a folder that cannot be written into is refused. False when the file cannot be written;
// error, when given, then holds "cannot write PATH: REASON".
bool WriteFileBytes(const char* path, const void* bytes, size_t size, std::string* error = nullptr);
