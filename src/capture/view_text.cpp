#include "capture/view_text.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool SameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

void FormatExactFloat(char (&text)[32], float value) {
    // Nine significant digits tell every float apart, so the loop ends by then at the latest.
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(value));
        if (SameBits(std::strtof(text, nullptr), value)) {
            return;
        }
    }
}

void FormatViewText(char (&text)[ViewTextCapacity], uint64_t ticks, const Scene& scene) {
    char x[32], z[32], yaw[32], pitch[32];
    FormatExactFloat(x, scene.x);
    FormatExactFloat(z, scene.z);
    FormatExactFloat(yaw, scene.yaw);
    FormatExactFloat(pitch, scene.pitch);
    std::snprintf(text, sizeof text, "--ticks %" PRIu64 " --camera %s,%s,%s,%s", ticks, x, z, yaw,
                  pitch);
}
