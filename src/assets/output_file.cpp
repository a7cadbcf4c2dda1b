#include "assets/output_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// Temporary names tried beside one target before giving up: PATH.part, PATH.1.part, ...
constexpr int MaxPartNames = 100;

std::string CannotWrite(const std::string& path, const std::string& reason) {
    return "cannot write " + path + ": " + reason;
}

std::string DescribeFolder(const std::string& folder) {
    return folder.empty() ? std::string("the working directory") : "the folder " + folder;
}

// A symbolic link is written through to the file it names, so the link stays a link.
std::string ResolveLink(const char* path) {
    std::error_code error;
    if (fs::is_symlink(fs::symlink_status(path, error))) {
        const fs::path target = fs::weakly_canonical(path, error);
        if (!error) {
            return target.string();
        }
    }
    return path;
}

bool IsWrittenThrough(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return fs::exists(status) && !fs::is_regular_file(status);
}

bool ReplaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0) {
        return true;
    }
    errno = EACCES;
    return false;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

// Creates the first free temporary name beside path; a temporary file left by an earlier run
// that was killed is kept.
std::FILE* CreatePart(const std::string& path, std::string& partPath) {
    for (int attempt = 0; attempt < MaxPartNames; ++attempt) {
        partPath = attempt == 0 ? path + ".part" : path + "." + std::to_string(attempt) + ".part";
        if (std::FILE* stream = CreateNewFile(partPath.c_str())) {
            return stream;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    partPath.clear();
    return nullptr;
}

} // namespace

std::string OutputPathProblem(const char* path) {
    const std::string target = ResolveLink(path);
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    if (fs::is_directory(status)) {
        return CannotWrite(path, "it is a directory");
    }
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        return std::string();
    }
    const std::string folder = fs::path(target).parent_path().string();
    const fs::file_status folderStatus = fs::status(folder.empty() ? "." : folder, error);
    if (!fs::exists(folderStatus)) {
        return CannotWrite(path, DescribeFolder(folder) + " does not exist");
    }
    if (!fs::is_directory(folderStatus)) {
        return CannotWrite(path, folder + " is not a folder");
    }
    if (!FolderWritable(folder)) {
        return CannotWrite(path, DescribeFolder(folder) + " cannot be written into (" +
                                     std::strerror(errno) + ")");
    }
    return std::string();
}

bool OpenOutputFile(OutputFile& file, const char* path, std::string& error) {
    file = OutputFile{ResolveLink(path), std::string(), nullptr};
    error = OutputPathProblem(path);
    if (!error.empty()) {
        return false;
    }
    file.stream = IsWrittenThrough(file.path) ? std::fopen(file.path.c_str(), "wb")
                                              : CreatePart(file.path, file.partPath);
    if (file.stream == nullptr) {
        error = CannotWrite(path, std::strerror(errno));
        return false;
    }
    return true;
}

bool FlushOutputFile(OutputFile& file) {
    errno = 0;
    if (std::fflush(file.stream) == 0 && std::ferror(file.stream) == 0) {
        return true;
    }
    if (errno == 0) {
        errno = EIO;
    }
    return false;
}

bool CommitOutputFile(OutputFile& file, std::string& error) {
    errno = 0;
    const bool written = std::ferror(file.stream) == 0;
    const bool closed = std::fclose(file.stream) == 0;
    file.stream = nullptr;
    if (!written || !closed) {
        error = CannotWrite(file.path, std::strerror(errno != 0 ? errno : EIO));
        AbandonOutputFile(file);
        return false;
    }
    if (!file.partPath.empty() && !ReplaceFile(file.partPath, file.path)) {
        error = CannotWrite(file.path,
                            "cannot rename " + file.partPath + " to it: " + std::strerror(errno));
        AbandonOutputFile(file);
        return false;
    }
    file.partPath.clear();
    return true;
}

void AbandonOutputFile(OutputFile& file) {
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

#ifdef _WIN32

std::FILE* CreateNewFile(const char* path) {
    const int descriptor =
        _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (stream == nullptr) {
        _close(descriptor);
        std::remove(path);
    }
    return stream;
}

bool RenameWithoutReplacing(const char* from, const char* to) {
    if (MoveFileExA(from, to, 0) != 0) {
        return true;
    }
    const DWORD failure = GetLastError();
    errno = failure == ERROR_ALREADY_EXISTS || failure == ERROR_FILE_EXISTS ? EEXIST : EACCES;
    return false;
}

// The folder's permissions live in its access list, which only an attempt reads right: a
// probe file that the system deletes when its handle closes, even if the process is killed.
bool FolderWritable(const std::string& folder) {
    const std::string probe = (folder.empty() ? std::string(".") : folder) + "\\drav-probe-" +
                              std::to_string(_getpid()) + ".tmp";
    const HANDLE handle =
        CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EACCES;
        return false;
    }
    CloseHandle(handle);
    return true;
}

#else

std::FILE* CreateNewFile(const char* path) {
    const int descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return nullptr;
    }
    std::FILE* stream = fdopen(descriptor, "wb");
    if (stream == nullptr) {
        close(descriptor);
        std::remove(path);
    }
    return stream;
}

bool RenameWithoutReplacing(const char* from, const char* to) {
    // A hard link is made only when the name is free; then the old name goes.
    if (link(from, to) == 0) {
        unlink(from);
        return true;
    }
    if (errno == EEXIST) {
        return false;
    }
    // File systems without hard links (FAT, some network shares): a look, then a rename.
    std::error_code error;
    if (fs::exists(fs::symlink_status(to, error))) {
        errno = EEXIST;
        return false;
    }
    return std::rename(from, to) == 0;
}

bool FolderWritable(const std::string& folder) {
    return access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0;
}

#endif
