// drav's settings reader on any bytes: it ends, either taking the file or naming the file, the
// line and the refused value; every value it takes is in its range; and the settings it took,
// written out as a settings file, read back without a word as the same settings.
#include <cstdint>
#include <string>

#include "cli/drav_options.h"
#include "cli/settings_file.h"
#include "fuzz_check.h"
#include "render/frame_buffer.h"
#include "render/renderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    DravOptions settings = DefaultDravOptions();
    std::string warnings;
    const std::string problem = ReadSettingsText(text, "f.ini", settings, warnings);
    FUZZ_CHECK(problem.empty() || problem.rfind("drav: f.ini:", 0) == 0);
    FUZZ_CHECK(warnings.empty() || warnings.rfind("drav: warning: f.ini", 0) == 0);
    if (!problem.empty()) {
        return 0;
    }
    FUZZ_CHECK(settings.frame.scale >= 1 && settings.frame.scale <= MaxFrameScale);
    FUZZ_CHECK(settings.frame.threads >= 1 && settings.frame.threads <= MaxRenderThreads);
    const std::string written = SettingsFileText(settings);
    DravOptions again = DefaultDravOptions();
    std::string moreWarnings;
    FUZZ_CHECK(ReadSettingsText(written, "f.ini", again, moreWarnings).empty());
    FUZZ_CHECK(moreWarnings.empty());
    FUZZ_CHECK(SettingsFileText(again) == written);
    return 0;
}
