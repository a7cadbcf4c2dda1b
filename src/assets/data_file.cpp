#include "assets/data_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "assets/output_file.h"

OpenedDataFile OpenDataFile(const char* path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return {nullptr, {DataFileKind::CannotOpen, 0}};
    }
    if (!std::filesystem::is_regular_file(status)) {
        return {nullptr, {DataFileKind::NotRegular, 0}};
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::FILE* stream = error ? nullptr : std::fopen(path, "rb");
    if (stream == nullptr) {
        return {nullptr, {DataFileKind::CannotOpen, 0}};
    }
    return {stream, {DataFileKind::Regular, static_cast<uint64_t>(size)}};
}

const char* DescribeFileType(const char* path) {
    std::error_code error;
    switch (std::filesystem::status(path, error).type()) {
    case std::filesystem::file_type::directory:
        return "a directory";
    case std::filesystem::file_type::fifo:
        return "a named pipe";
    case std::filesystem::file_type::character:
        return "a character device";
    case std::filesystem::file_type::block:
        return "a block device";
    case std::filesystem::file_type::socket:
        return "a socket";
    default:
        return "not a regular file";
    }
}

bool WriteFileBytes(const char* path, const void* bytes, size_t size, std::string* error) {
    OutputFile file;
    std::string reason;
    bool written = OpenOutputFile(file, path, reason);
    // An empty buffer may have no memory at all, and fwrite must not be given null.
    if (written && size != 0 && std::fwrite(bytes, 1, size, file.stream) != size) {
        reason = "cannot write " + std::string(path) + ": " + std::strerror(errno);
        AbandonOutputFile(file);
        written = false;
    } else if (written) {
        written = CommitOutputFile(file, reason);
    }
    if (error != nullptr) {
        *error = reason;
    }
    return written;
}
