#include "app/frame.h"

#include <cmath>
#include <cstring>

#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/render_pass.h"

void ClearFrame() {
    const uint32_t word = FogTable[0] * 0x01010101u;
    // A local copy of the pointer: a store through the global one could change it, as far as
    // the compiler knows, and it would reload it after every word instead of widening the loop.
    uint8_t* const pixels = FrameBuffer;
    for (int offset = 0; offset < FrameSize; offset += sizeof word) {
        std::memcpy(pixels + offset, &word, sizeof word);
    }
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
