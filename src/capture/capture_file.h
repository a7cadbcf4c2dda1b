// Where captures go and how they are named: drav-NNNN.png and drav-NNNN.gif in the captures
// folder, numbered from 0001 with the first number whose file does not exist yet. A capture is
// written as NAME.part and takes its name only when complete and only while that name is still
// free, so a file that exists is never opened or replaced and a capture cut short (a full disk,
// a kill) never leaves a broken picture under a picture's name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

constexpr int CaptureNameCapacity = 32;
constexpr unsigned MaxCaptureNumber = 99999;

// The name with the given number and extension ("png" or "gif").
void FormatCaptureName(char (&name)[CaptureNameCapacity], unsigned number, const char* extension);

// name inside folder ("" is the working directory).
std::string CapturePath(const std::string& folder, const char* name);

struct CaptureFile {
    std::string folder;
    const char* extension;
    unsigned number;
    char name[CaptureNameCapacity]; // the name it gets (drav-NNNN.EXT)
    std::string partPath;           // where it is written until then
    std::FILE* stream;              // null when not open
};

// Creates the folder when it is missing, then the temporary file of the first free number, and
// opens it for binary writing. False when no file can be made (errno tells why); file.name then
// holds the first name tried.
bool CreateCaptureFile(const std::string& folder, const char* extension, CaptureFile& file);

// Closes the file and gives it its name, or the next free number's when another program took
// that name meanwhile. False when it cannot be completed (errno tells why); the temporary file
// is then removed.
bool PublishCaptureFile(CaptureFile& file);

// Closes the file and removes the temporary file.
void DiscardCaptureFile(CaptureFile& file);

// Writes bytes to a new capture file and names it; the browser build offers the bytes as a
// download instead. False, with nothing left behind, when the file cannot be written (errno
// tells why); saved.name names the capture either way.
bool SaveCapture(const std::string& folder, const char* extension,
                 const std::vector<uint8_t>& bytes, CaptureFile& saved);
