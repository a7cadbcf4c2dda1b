#include "app/smooth_motion.h"

#include "render/frame.h"

namespace {

// (1 - f) a + f b in double, stored as a float: exactly a at 0 and exactly b at 1.
float Between(float a, float b, double fraction) {
    return static_cast<float>((1.0 - fraction) * a + fraction * b);
}

// What the ticks left that a frame between them changes.
struct TickedState {
    CameraPose camera;
    float eyeHeight;
    std::vector<float> times;
    std::vector<Mat4> poses;
};

TickedState SaveTickedState(const Scene& scene) {
    TickedState state{CameraPose{scene.x, scene.z, scene.yaw, scene.pitch}, scene.y, {}, {}};
    for (uint32_t i = 0; i < AnimatorList.count; ++i) {
        const Animator& animator = *AnimatorList.items[i];
        state.times.push_back(animator.time);
        state.poses.push_back(animator.node != nullptr ? animator.node->local : Mat4{});
    }
    return state;
}

void RestoreTickedState(Scene& scene, const TickedState& state) {
    SetCameraPose(scene, state.camera);
    scene.y = state.eyeHeight;
    for (uint32_t i = 0; i < AnimatorList.count; ++i) {
        Animator& animator = *AnimatorList.items[i];
        animator.time = state.times[i];
        if (animator.node != nullptr) {
            animator.node->local = state.poses[i];
        }
    }
}

// Poses every animator as its tick would at the time between the times it had before the two
// latest ticks; the tick leaves its time one step on, which the eye height then reads.
void PoseAnimatorsBetween(const MotionHistory& history, double fraction) {
    for (uint32_t i = 0; i < AnimatorList.count; ++i) {
        Animator* animator = AnimatorList.items[i];
        if (animator->tick != nullptr) {
            animator->time =
                Between(history.timesBeforePrevious[i], history.timesBeforeLatest[i], fraction);
            animator->tick(animator);
        }
    }
}

} // namespace

void RememberBeforeTick(MotionHistory& history, const Scene& scene) {
    history.camera = CameraPose{scene.x, scene.z, scene.yaw, scene.pitch};
    history.timesBeforePrevious.swap(history.timesBeforeLatest);
    history.timesBeforeLatest.clear();
    for (uint32_t i = 0; i < AnimatorList.count; ++i) {
        history.timesBeforeLatest.push_back(AnimatorList.items[i]->time);
    }
    ++history.ticksSeen;
}

bool CanDrawBetweenTicks(const MotionHistory& history) {
    return history.ticksSeen >= 2 && history.timesBeforePrevious.size() == AnimatorList.count &&
           history.timesBeforeLatest.size() == AnimatorList.count;
}

void RenderBetweenTicks(Renderer& renderer, Scene& scene, const MotionHistory& history,
                        double fraction) {
    const TickedState ticked = SaveTickedState(scene);
    const CameraPose& from = history.camera;
    const CameraPose& to = ticked.camera;
    SetCameraPose(scene,
                  CameraPose{Between(from.x, to.x, fraction), Between(from.z, to.z, fraction),
                             Between(from.yaw, to.yaw, fraction),
                             Between(from.pitch, to.pitch, fraction)});
    PoseAnimatorsBetween(history, fraction);
    RenderFrame(renderer, scene);
    RestoreTickedState(scene, ticked);
}
