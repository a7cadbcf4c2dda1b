// Where captures go: drav-NNNN.png and drav-NNNN.gif, numbered from 0001 with the first number
// whose file does not exist yet. A file that exists is never opened for writing.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

constexpr int CaptureNameCapacity = 32;
constexpr unsigned MaxCaptureNumber = 99999;

// The name with the given number and extension ("png" or "gif").
void FormatCaptureName(char (&name)[CaptureNameCapacity], unsigned number, const char* extension);

// Creates the first free name in the working directory and opens it for binary writing; the
// name is created exclusively, so a file made meanwhile by anyone else is skipped, not
// overwritten. Null when no file can be made (errno tells why).
std::FILE* CreateCaptureFile(const char* extension, char (&name)[CaptureNameCapacity]);

// Writes bytes to a new capture file and names it; the browser build offers the bytes as a
// download instead. False, with a removed partial file, when the file cannot be written.
bool SaveCapture(const char* extension, const std::vector<uint8_t>& bytes,
                 char (&name)[CaptureNameCapacity]);
