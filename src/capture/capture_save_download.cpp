// The browser build cannot write into the user's folders: a capture is offered as a download,
// named drav-NNNN with a number (the captures folder plays no part) that counts up for the page's
// lifetime.
#include <emscripten/emscripten.h>

#include "capture/capture_file.h"

namespace {

unsigned DownloadsOffered = 0;

EM_JS(void, OfferDownload, (const uint8_t* bytes, int size, const char* name), {
    const copy = HEAPU8.slice(bytes, bytes + size);
    const url = URL.createObjectURL(new Blob([copy]));
    const link = document.createElement('a');
    link.href = url;
    link.download = UTF8ToString(name);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(
        function() { URL.revokeObjectURL(url); }, 60000);
});

} // namespace

bool SaveCapture(const std::string&, const char* extension, const std::vector<uint8_t>& bytes,
                 CaptureFile& saved) {
    saved = CaptureFile{std::string(), extension, ++DownloadsOffered, {}, std::string(), nullptr};
    FormatCaptureName(saved.name, saved.number, extension);
    OfferDownload(bytes.data(), static_cast<int>(bytes.size()), saved.name);
    return true;
}
