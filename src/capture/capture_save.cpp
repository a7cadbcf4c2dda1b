// Saving a finished capture as a new file in the captures folder.
#include <cerrno>

#include "capture/capture_file.h"

bool SaveCapture(const std::string& folder, const char* extension,
                 const std::vector<uint8_t>& bytes, CaptureFile& saved) {
    if (!CreateCaptureFile(folder, extension, saved)) {
        return false;
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), saved.stream) != bytes.size()) {
        errno = errno != 0 ? errno : EIO;
        DiscardCaptureFile(saved);
        return false;
    }
    return PublishCaptureFile(saved);
}
