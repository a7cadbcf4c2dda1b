#include "platform/integer_fit.h"

#include <algorithm>

ScreenRect FitFrameByWholeFactor(int frameWidth, int frameHeight, int areaWidth, int areaHeight) {
    if (areaWidth <= 0 || areaHeight <= 0) {
        return ScreenRect{0, 0, 0, 0};
    }
    const int factor = std::max(1, std::min(areaWidth / frameWidth, areaHeight / frameHeight));
    const int width = frameWidth * factor;
    const int height = frameHeight * factor;
    return ScreenRect{(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}
