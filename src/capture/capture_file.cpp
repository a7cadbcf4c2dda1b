#include "capture/capture_file.h"

#include <cerrno>
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
int CreateExclusively(const char* path) {
    return _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
std::FILE* OpenDescriptor(int descriptor) {
    return _fdopen(descriptor, "wb");
}
void CloseDescriptor(int descriptor) {
    _close(descriptor);
}
#else
int CreateExclusively(const char* path) {
    return open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}
std::FILE* OpenDescriptor(int descriptor) {
    return fdopen(descriptor, "wb");
}
void CloseDescriptor(int descriptor) {
    close(descriptor);
}
#endif

} // namespace

void FormatCaptureName(char (&name)[CaptureNameCapacity], unsigned number, const char* extension) {
    std::snprintf(name, sizeof name, "drav-%04u.%s", number, extension);
}

std::FILE* CreateCaptureFile(const char* extension, char (&name)[CaptureNameCapacity]) {
    for (unsigned number = 1; number <= MaxCaptureNumber; ++number) {
        FormatCaptureName(name, number, extension);
        const int descriptor = CreateExclusively(name);
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return nullptr;
        }
        std::FILE* file = OpenDescriptor(descriptor);
        if (file == nullptr) {
            CloseDescriptor(descriptor);
            std::remove(name);
        }
        return file;
    }
    errno = EEXIST;
    return nullptr;
}
