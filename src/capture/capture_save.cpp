// Saving a finished capture as a new file in the working directory.
#include "capture/capture_file.h"

bool SaveCapture(const char* extension, const std::vector<uint8_t>& bytes,
                 char (&name)[CaptureNameCapacity]) {
    std::FILE* file = CreateCaptureFile(extension, name);
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::remove(name);
        return false;
    }
    return true;
}
