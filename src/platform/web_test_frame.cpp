// A function the page exports for tests: renders one frame of a fresh level the way the
// headless renderer does, beside the running program and without disturbing it.
#include <emscripten/emscripten.h>

#include "app/main_loop.h"
#include "render/frame.h"
#include "render/renderer.h"
#include "scene/level.h"
#include "scene/tick.h"

namespace {

// The side renderer, at scale 1 on one thread, made on the first call.
std::unique_ptr<Renderer> TestFrameRenderer;

} // namespace

// Builds the level, runs `ticks` ticks with no key held, then, when placeCamera is non-zero,
// puts the camera at (x, z) with the given yaw and pitch, and renders one frame. Returns the
// 76800 frame bytes, valid until the next call, or null before the program's start-up has loaded
// the colour tables and models. The program's own scene, animators and frame stay as they were.
extern "C" EMSCRIPTEN_KEEPALIVE const uint8_t* RenderTestFrame(int ticks, int placeCamera, float x,
                                                               float z, float yaw, float pitch) {
    if (WindowRenderer == nullptr) {
        return nullptr;
    }
    if (TestFrameRenderer == nullptr) {
        TestFrameRenderer = CreateRenderer(1, 1);
    }
    const AnimatorPointerList demoAnimators = AnimatorList;
    AnimatorList = AnimatorPointerList{nullptr, 0};

    Scene* scene = BuildLevel();
    for (int tick = 0; tick < ticks; ++tick) {
        RunTick(*scene, NoKeyDown);
    }
    if (placeCamera != 0) {
        SetCameraPose(*scene, CameraPose{x, z, yaw, pitch});
    }
    RenderFrame(*TestFrameRenderer, *scene);

    DestroyLevel(scene);
    AnimatorList = demoAnimators;
    return TestFrameRenderer->target.pixels;
}
