// The captures folder: where F12's screenshots and F9's clips are saved.
#pragma once

#include <string>

// The folder used when none is named: $XDG_PICTURES_DIR/drav, else ~/Pictures/drav; on Windows
// the program's own folder when it can be written into (an unpacked zip), else the user's
// pictures folder. "" (the working directory) when none of them is known.
std::string DefaultCaptureFolder();

// Creates folder when it is missing and checks that files can be made in it. False with
// "cannot use the captures folder FOLDER: REASON" in error otherwise.
bool PrepareCaptureFolder(const std::string& folder, std::string& error);
