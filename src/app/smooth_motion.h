// Frames between ticks: with smooth motion each frame shows the camera and the animated models
// at the fraction of the way from the state one tick back to the latest one, so that motion
// follows the display's rate instead of the 62.5 ticks a second. The ticks themselves, and so
// the simulation and demos, are untouched; frames run one tick behind.
#pragma once

#include <cstdint>
#include <vector>

#include "render/renderer.h"
#include "scene/scene.h"

// What a frame between two ticks needs of the ticks before: the camera before the latest tick,
// and each animator's time before the latest tick and before the one before it (an animator
// poses its model at the time it had when its tick began).
struct MotionHistory {
    CameraPose camera;
    std::vector<float> timesBeforeLatest;
    std::vector<float> timesBeforePrevious;
    uint64_t ticksSeen;
};

// Called just before each tick runs.
void RememberBeforeTick(MotionHistory& history, const Scene& scene);

// Whether two ticks have run, so that there is a state one tick back to draw from.
bool CanDrawBetweenTicks(const MotionHistory& history);

// Renders the frame at fraction (0 to 1) of the way from the state one tick back to the latest
// one, then puts the scene and the animators back as the ticks left them. At 0 the frame is the
// one drawn after the tick before the latest, at 1 the one drawn after the latest, byte for
// byte.
void RenderBetweenTicks(Renderer& renderer, Scene& scene, const MotionHistory& history,
                        double fraction);
