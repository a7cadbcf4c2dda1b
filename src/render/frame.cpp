#include "render/frame.h"

#include <cmath>

void SetEyeHeight(Scene& scene) {
    if (AnimatorList.count == 0) {
        scene.y = 1.0f;
        return;
    }
    const double phase = AnimatorList.items[0]->time;
    scene.y = static_cast<float>(1.0 + 0.01 * std::sin(phase));
}

void RenderFrame(Renderer& renderer, Scene& scene) {
    SetEyeHeight(scene);
    RenderClearedFrame(renderer, scene);
}
