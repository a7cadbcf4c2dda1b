#include "app/frame.h"

#include <cmath>
#include <cstring>

#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/render_pass.h"

void ClearFrame() {
    std::memset(FrameBuffer, FogTable[0], FrameSize);
}

void SetEyeHeight(Scene& scene) {
    if (AnimatorList.count == 0) {
        scene.y = 1.0f;
        return;
    }
    const double phase = AnimatorList.items[0]->time;
    scene.y = static_cast<float>(1.0 + 0.01 * std::sin(phase));
}

void RenderFrame(Scene& scene) {
    ClearFrame();
    SetEyeHeight(scene);
    RenderScene(scene);
}
