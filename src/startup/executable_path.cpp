// The running program's own file, asked of the operating system.
#include "startup/data_directory.h"

#ifdef _WIN32
#include <windows.h>
#elif defined(__linux__)
#include <filesystem>
#include <system_error>
#endif

std::string ExecutablePath() {
#ifdef _WIN32
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    // A length of MAX_PATH means the path was cut short; a wrong folder is worse than none.
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
#elif defined(__linux__)
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
#else
    return std::string();
#endif
}
