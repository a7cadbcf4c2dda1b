// A whole frame of the level at any camera, any heart phase and a few ticks of any keys: the
// frame drawn nearest first, with its skipping of covered rows, triangles and models, must be
// the frame of the plain painter's order, and the pass must list no more models than fit.
// Input: the camera's x, y, z, pitch, yaw and roll and the hearts' phase as float bits, a byte
// whose odd values set the eye height as a frame does, then one key mask byte per tick (bit k
// holds Key k).
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "render/frame.h"
#include "render/frame_buffer.h"
#include "render/palette.h"
#include "render/render_pass.h"
#include "render/render_state.h"
#include "render/renderer.h"
#include "scene/level.h"
#include "scene/tick.h"
#include "startup/startup.h"

namespace {

constexpr int MaxTicks = 64;

uint8_t HeldKeys;

bool HeldKeyDown(Key key) {
    return (HeldKeys >> static_cast<int>(key)) & 1;
}

// A single-threaded scale-1 renderer that draws into a heap block of exactly 76800 bytes.
uint8_t* const Pixels = new uint8_t[FrameSize];
const std::unique_ptr<Renderer> FrameRenderer = CreateRenderer(1, 1, Pixels, FrameWidth);

// The program's start-up on the generated data set.
Scene* StartUp() {
    BuildColourTables();
    FUZZ_CHECK(LoadModelSet(DRAV_FUZZ_DATA_DIR) == ModelSlotCount);
    return BuildWorld();
}

std::vector<uint8_t> FrameIn(DrawOrder order, Scene& scene) {
    ClearFrame(*FrameRenderer);
    RenderSceneIn(*FrameRenderer, order, scene);
    FUZZ_CHECK(FrameRenderer->frame.drawnModelCount <= DrawListCapacity);
    return std::vector<uint8_t>(Pixels, Pixels + FrameSize);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Scene* const scene = StartUp();
    FuzzInput input{data, size};
    for (float* field :
         {&scene->x, &scene->y, &scene->z, &scene->pitch, &scene->yaw, &scene->roll}) {
        *field = Take<float>(input);
    }
    // Every heart starts from the same phase; one tick rebuilds each heart's matrix from it,
    // so nothing of the previous input is left.
    const auto phase = Take<float>(input);
    for (uint32_t i = 0; i < AnimatorList.count; ++i) {
        AnimatorList.items[i]->time = phase;
    }
    const bool eyeHeight = Take<uint8_t>(input) % 2 == 1;
    HeldKeys = 0;
    RunTick(*scene, HeldKeyDown);
    for (int tick = 0; tick < MaxTicks && input.size > 0; ++tick) {
        HeldKeys = Take<uint8_t>(input);
        RunTick(*scene, HeldKeyDown);
    }
    if (eyeHeight) {
        SetEyeHeight(*scene);
    }
    const std::vector<uint8_t> painted = FrameIn(DrawOrder::FarToNear, *scene);
    FUZZ_CHECK(FrameIn(DrawOrder::NearToFar, *scene) == painted);
    return 0;
}
