#include "capture/capture_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "assets/output_file.h"
#include "startup/data_directory.h"

#ifdef _WIN32
#include <shlobj.h>
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32

std::string PicturesFolder() {
    char path[MAX_PATH];
    return SHGetFolderPathA(nullptr, CSIDL_MYPICTURES, nullptr, 0, path) == S_OK ? path
                                                                                 : std::string();
}

#endif

} // namespace

std::string DefaultCaptureFolder() {
#ifdef _WIN32
    const std::string program = ExecutablePath();
    const std::string beside = fs::path(program).parent_path().string();
    if (!program.empty() && FolderWritable(beside)) {
        return beside;
    }
    return PicturesFolder();
#else
    const char* pictures = std::getenv("XDG_PICTURES_DIR");
    if (pictures != nullptr && pictures[0] != '\0') {
        return (fs::path(pictures) / "drav").string();
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return (fs::path(home) / "Pictures" / "drav").string();
    }
    return std::string();
#endif
}

bool PrepareCaptureFolder(const std::string& folder, std::string& error) {
    std::error_code failure;
    if (!folder.empty() && !fs::is_directory(folder, failure)) {
        fs::create_directories(folder, failure);
    }
    const char* reason = nullptr;
    if (failure) {
        errno = failure.value();
        reason = std::strerror(errno);
    } else if (!folder.empty() && !fs::is_directory(folder, failure)) {
        reason = "it is not a folder";
    } else if (!FolderWritable(folder)) {
        reason = std::strerror(errno);
    }
    if (reason != nullptr) {
        error = "cannot use the captures folder " + folder + ": " + reason;
    }
    return reason == nullptr;
}
