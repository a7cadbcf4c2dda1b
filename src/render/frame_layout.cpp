#include "render/frame_layout.h"

#include "render/frame_buffer.h"

namespace {

constexpr int ClassicMagnification = 2;

} // namespace

FrameLayout LayoutForScale(int scale) {
    const int width = FrameWidth * scale;
    const int height = FrameHeight * scale;
    const int shownBy = scale == 1 ? ClassicMagnification : 1;
    return FrameLayout{width, height, width * shownBy, height * shownBy};
}

int ShownPixelSize(const FrameLayout& layout) {
    return layout.shownWidth / layout.width;
}
