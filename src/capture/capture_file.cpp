#include "capture/capture_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "assets/output_file.h"

namespace {

bool NameTaken(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// Sets file.number and file.name to the first number from start whose picture does not exist.
bool TakeFreeName(CaptureFile& file, unsigned start) {
    for (unsigned number = start; number <= MaxCaptureNumber; ++number) {
        FormatCaptureName(file.name, number, file.extension);
        if (!NameTaken(CapturePath(file.folder, file.name))) {
            file.number = number;
            return true;
        }
    }
    errno = EEXIST;
    return false;
}

bool CreateFolder(const std::string& folder) {
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error)) {
        return true;
    }
    std::filesystem::create_directories(folder, error);
    if (error) {
        errno = error.value();
        return false;
    }
    return true;
}

} // namespace

void FormatCaptureName(char (&name)[CaptureNameCapacity], unsigned number, const char* extension) {
    std::snprintf(name, sizeof name, "drav-%04u.%s", number, extension);
}

std::string CapturePath(const std::string& folder, const char* name) {
    return folder.empty() ? std::string(name) : folder + '/' + name;
}

bool CreateCaptureFile(const std::string& folder, const char* extension, CaptureFile& file) {
    file = CaptureFile{folder, extension, 1, {}, std::string(), nullptr};
    FormatCaptureName(file.name, 1, extension);
    if (!CreateFolder(folder)) {
        return false;
    }
    unsigned start = 1;
    while (TakeFreeName(file, start)) {
        // A temporary file that exists belongs to another capture of the same number.
        file.partPath = CapturePath(folder, file.name) + ".part";
        file.stream = CreateNewFile(file.partPath.c_str());
        if (file.stream != nullptr) {
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
        start = file.number + 1;
    }
    file.partPath.clear();
    return false;
}

bool PublishCaptureFile(CaptureFile& file) {
    errno = 0;
    const bool written = std::ferror(file.stream) == 0;
    const bool closed = std::fclose(file.stream) == 0;
    file.stream = nullptr;
    if (!written || !closed) {
        errno = errno != 0 ? errno : EIO;
        DiscardCaptureFile(file);
        return false;
    }
    unsigned start = file.number;
    while (TakeFreeName(file, start)) {
        if (RenameWithoutReplacing(file.partPath.c_str(),
                                   CapturePath(file.folder, file.name).c_str())) {
            file.partPath.clear();
            return true;
        }
        if (errno != EEXIST) {
            break;
        }
        start = file.number + 1;
    }
    DiscardCaptureFile(file);
    return false;
}

void DiscardCaptureFile(CaptureFile& file) {
    const int reason = errno;
    if (file.stream != nullptr) {
        std::fclose(file.stream);
        file.stream = nullptr;
    }
    if (!file.partPath.empty()) {
        std::remove(file.partPath.c_str());
        file.partPath.clear();
    }
    errno = reason;
}
