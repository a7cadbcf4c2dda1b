#include "assets/data_file.h"

#include <filesystem>
#include <system_error>

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

bool WriteFileBytes(const char* path, const void* bytes, size_t size) {
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        return false;
    }
    // An empty buffer may have no memory at all, and fwrite must not be given null.
    const bool written = size == 0 || std::fwrite(bytes, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}
