#include "scene/tick.h"

namespace {

constexpr float PitchStep = 0.0125f;
constexpr float YawStep = 0.025f;
constexpr float WalkStep = 0.025f;

// a + b carried in double and stored as a float.
float Sum(float a, double b) {
    return static_cast<float>(a + b);
}

// Moves the camera one step along its heading; pitch does not tilt the walk.
void Walk(Scene& scene, bool backward) {
    Vec3 step = {0.0f, 0.0f, backward ? -WalkStep : WalkStep};
    Mat4 heading;
    SetRotation(heading, 0.0f, -1.0f, 0.0f, scene.yaw);
    TransformPoint(heading, step, step);
    scene.x = Sum(scene.x, step.x);
    scene.y = Sum(scene.y, step.y);
    scene.z = Sum(scene.z, step.z);
}

// Every key is asked once, in the order of Key; each step sees the ones before it.
void ApplyKeys(Scene& scene, KeyDownQuery keyDown) {
    if (keyDown(Key::End)) {
        scene.pitch = 0.0f;
    }
    if (keyDown(Key::PageUp)) {
        scene.pitch = Sum(scene.pitch, PitchStep);
    }
    if (keyDown(Key::PageDown)) {
        scene.pitch = Sum(scene.pitch, -PitchStep);
    }
    if (keyDown(Key::Left)) {
        scene.yaw = Sum(scene.yaw, -YawStep);
    }
    if (keyDown(Key::Right)) {
        scene.yaw = Sum(scene.yaw, YawStep);
    }
    const bool up = keyDown(Key::Up);
    const bool down = keyDown(Key::Down);
    if (up || down) {
        Walk(scene, down);
    }
}

// Ticks every animator in list order; the count is read again before each one, and
// animators without a tick are skipped.
void TickAnimators() {
    for (uint32_t i = 0; i < AnimatorList.count; ++i) {
        Animator* animator = AnimatorList.items[i];
        if (animator->tick != nullptr) {
            animator->tick(animator);
        }
    }
}

} // namespace

void RunTick(Scene& scene, KeyDownQuery keyDown) {
    ApplyKeys(scene, keyDown);
    TickAnimators();
}

uint8_t ScriptedKeys = 0;

bool ScriptedKeyDown(Key key) {
    return (ScriptedKeys & KeyBit(key)) != 0;
}

bool NoKeyDown(Key) {
    return false;
}
