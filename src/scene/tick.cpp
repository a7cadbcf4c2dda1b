#include "scene/tick.h"

#include <algorithm>

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

// Radians that count pixels of motion turn the view: whole pixels times percent stay exact in
// a double, so the one rounding is that of the product with the constant.
double MouseAngle(int32_t pixels, int32_t sensitivity) {
    return static_cast<double>(pixels) * static_cast<double>(sensitivity) *
           (MouseRadiansPerPixel / 100.0);
}

// pitch + delta, kept within the mouse's tilt limit unless pitch already lies beyond it on
// that side (tilted there by the keys), where the mouse cannot take it further.
float TiltByMouse(float pitch, double delta) {
    const double tilted = pitch + delta;
    if (delta > 0.0 && tilted > MouseTiltLimit) {
        return static_cast<float>(std::max(static_cast<double>(pitch), MouseTiltLimit));
    }
    if (delta < 0.0 && tilted < -MouseTiltLimit) {
        return static_cast<float>(std::min(static_cast<double>(pitch), -MouseTiltLimit));
    }
    return static_cast<float>(tilted);
}

// Moving the mouse forward (dy < 0) tilts the view up, as Page Up does, unless inverted.
void TiltWithMouse(Scene& scene, MouseMotion motion, const MouseTurning& turning) {
    if (motion.dy != 0) {
        const double angle = MouseAngle(motion.dy, turning.sensitivity);
        scene.pitch = TiltByMouse(scene.pitch, turning.invert ? angle : -angle);
    }
}

// Moving the mouse right turns the view right, as Right does.
void TurnWithMouse(Scene& scene, MouseMotion motion, const MouseTurning& turning) {
    if (motion.dx != 0) {
        scene.yaw = Sum(scene.yaw, MouseAngle(motion.dx, turning.sensitivity));
    }
}

// Every key is asked once, in the order of Key; each step sees the ones before it, the mouse's
// tilt after the page keys and its turn after the arrow keys.
void ApplyInput(Scene& scene, KeyDownQuery keyDown, MouseMotion motion,
                const MouseTurning& turning) {
    if (keyDown(Key::End)) {
        scene.pitch = 0.0f;
    }
    if (keyDown(Key::PageUp)) {
        scene.pitch = Sum(scene.pitch, PitchStep);
    }
    if (keyDown(Key::PageDown)) {
        scene.pitch = Sum(scene.pitch, -PitchStep);
    }
    TiltWithMouse(scene, motion, turning);
    if (keyDown(Key::Left)) {
        scene.yaw = Sum(scene.yaw, -YawStep);
    }
    if (keyDown(Key::Right)) {
        scene.yaw = Sum(scene.yaw, YawStep);
    }
    TurnWithMouse(scene, motion, turning);
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
    RunTick(scene, keyDown, MouseMotion{}, MouseTurning{DefaultMouseSensitivity, false});
}

void RunTick(Scene& scene, KeyDownQuery keyDown, MouseMotion motion, const MouseTurning& turning) {
    ApplyInput(scene, keyDown, motion, turning);
    TickAnimators();
}

uint8_t ScriptedKeys = 0;
MouseMotion ScriptedMotion = {};

bool ScriptedKeyDown(Key key) {
    return (ScriptedKeys & KeyBit(key)) != 0;
}

bool NoKeyDown(Key) {
    return false;
}
