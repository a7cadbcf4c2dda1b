#include "render_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

const char* const RenderUsage =
    "usage: drav-render [--data DIR] [--ticks N] [--camera X,Z,YAW[,PITCH]]\n"
    "                   [--png FILE] [--raw FILE] [--fog-table FILE]\n"
    "                   [--gif FILE [--walk SCRIPT]]\n";

namespace {

constexpr int MinimumCameraFields = 3;
constexpr int MaximumCameraFields = 4;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Only plain decimal notation: digits, one sign, a point and an exponent. Rules out the
// hexadecimal, infinity and NaN spellings that strtof would also take.
bool LooksDecimal(const char* text, const char* end) {
    if (text == end) {
        return false;
    }
    for (const char* c = text; c < end; ++c) {
        if (!IsDigit(*c) && std::strchr("+-.eE", *c) == nullptr) {
            return false;
        }
    }
    return true;
}

// Stores the value of a value-taking option; false when it is unknown.
bool StoreOption(const std::string& name, const char* value, RenderOptions& options) {
    if (name == "--data") {
        options.dataDirectory = value;
    } else if (name == "--ticks") {
        return ParseTickCount(value, options.ticks);
    } else if (name == "--camera") {
        return ParseCamera(value, options.camera);
    } else if (name == "--png") {
        options.pngPath = value;
    } else if (name == "--raw") {
        options.rawPath = value;
    } else if (name == "--fog-table") {
        options.fogTablePath = value;
    } else if (name == "--gif") {
        options.gifPath = value;
    } else if (name == "--walk") {
        options.walkScript = value;
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ParseTickCount(const char* text, uint32_t& ticks) {
    if (!IsDigit(text[0])) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || value > UINT32_MAX) {
        return false;
    }
    ticks = static_cast<uint32_t>(value);
    return true;
}

bool ParseDecimalFloat(const char* text, const char* end, float& value) {
    if (!LooksDecimal(text, end)) {
        return false;
    }
    const std::string field(text, end);
    char* parsedEnd = nullptr;
    // strtof also reports ERANGE for a result below the normal range, which is still the
    // nearest float (a subnormal, or zero); only an overflow to infinity is out of range.
    const float parsed = std::strtof(field.c_str(), &parsedEnd);
    if (parsedEnd != field.c_str() + field.size() || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

bool ParseCamera(const char* text, CameraOverride& camera) {
    float fields[MaximumCameraFields] = {0.0f, 0.0f, 0.0f, 0.0f};
    int count = 0;
    const char* start = text;
    for (;;) {
        const char* comma = std::strchr(start, ',');
        const char* end = comma != nullptr ? comma : start + std::strlen(start);
        if (count == MaximumCameraFields || !ParseDecimalFloat(start, end, fields[count])) {
            return false;
        }
        ++count;
        if (comma == nullptr) {
            break;
        }
        start = comma + 1;
    }
    if (count < MinimumCameraFields) {
        return false;
    }
    camera = CameraOverride{true, fields[0], fields[1], fields[2], fields[3]};
    return true;
}

bool ParseRenderOptions(int argc, const char* const* argv, const char* defaultDataDirectory,
                        RenderOptions& options) {
    options = RenderOptions{defaultDataDirectory,
                            0,
                            {false, 0.0f, 0.0f, 0.0f, 0.0f},
                            nullptr,
                            nullptr,
                            nullptr,
                            nullptr,
                            nullptr};
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc || !StoreOption(argv[i], argv[i + 1], options)) {
            return false;
        }
    }
    return options.walkScript == nullptr || options.gifPath != nullptr;
}
