#include "scene/scene.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "scene/heap.h"

AnimatorPointerList AnimatorList = {nullptr, 0};

namespace {

// Grows a pointer array by exactly one slot and stores item in it.
template <typename T>
void AppendPointer(T**& items, uint32_t& count, T* item, const char* purpose) {
    void* grown = std::realloc(items, (static_cast<size_t>(count) + 1) * sizeof(T*));
    items = static_cast<T**>(EnsureAllocated(grown, purpose));
    items[count] = item;
    ++count;
}

// Index of the first list entry holding animator, or the count when there is none.
uint32_t FindAnimator(const Animator* animator) {
    uint32_t index = 0;
    while (index < AnimatorList.count && AnimatorList.items[index] != animator) {
        ++index;
    }
    return index;
}

// Removes the list entry at index, keeping the order of the others. An emptied list gives its
// array back and returns to the state it started in.
void RemoveAnimatorEntry(uint32_t index) {
    Animator** items = AnimatorList.items;
    std::memmove(items + index, items + index + 1,
                 (AnimatorList.count - index - 1) * sizeof(Animator*));
    --AnimatorList.count;
    if (AnimatorList.count == 0) {
        std::free(AnimatorList.items);
        AnimatorList.items = nullptr;
    }
}

} // namespace

SceneNode* CreateNode(SceneNode* parent, Model* model, const Mat4* initial) {
    auto* node =
        static_cast<SceneNode*>(EnsureAllocated(std::calloc(1, sizeof(SceneNode)), "scene node"));
    node->model = model;
    if (initial != nullptr) {
        node->local = *initial;
    } else {
        SetIdentity(node->local);
    }
    if (parent != nullptr) {
        AppendPointer(parent->children, parent->childCount, node, "scene node children");
    }
    return node;
}

void DestroyNode(SceneNode* node) {
    for (uint32_t i = 0; i < node->childCount; ++i) {
        DestroyNode(node->children[i]);
    }
    std::free(node->children);
    std::free(node);
}

Scene* CreateScene() {
    auto* scene = static_cast<Scene*>(EnsureAllocated(std::calloc(1, sizeof(Scene)), "scene"));
    scene->root = CreateNode(nullptr, nullptr, nullptr);
    return scene;
}

void DestroyScene(Scene* scene) {
    DestroyNode(scene->root);
    std::free(scene);
}

Animator* CreateAnimator(AnimatorTick tick, SceneNode* node, float x, float y, float z) {
    auto* animator =
        static_cast<Animator*>(EnsureAllocated(std::calloc(1, sizeof(Animator)), "animator"));
    animator->x = x;
    animator->y = y;
    animator->z = z;
    animator->tick = tick;
    animator->node = node;
    if (node != nullptr) {
        SetTranslation(node->local, x, y, z);
    }
    AppendPointer(AnimatorList.items, AnimatorList.count, animator, "animator list");
    return animator;
}

void RemoveAnimator(Animator* animator) {
    const uint32_t index = FindAnimator(animator);
    if (index < AnimatorList.count) {
        RemoveAnimatorEntry(index);
    }
    std::free(animator);
}

void RemoveAllAnimators() {
    while (AnimatorList.count > 0) {
        RemoveAnimator(AnimatorList.items[AnimatorList.count - 1]);
    }
}

void SetCameraPose(Scene& scene, const CameraPose& pose) {
    scene.x = pose.x;
    scene.z = pose.z;
    scene.yaw = pose.yaw;
    scene.pitch = pose.pitch;
}

void HeartTick(Animator* animator) {
    const double x = animator->x, y = animator->y, z = animator->z, time = animator->time;
    Mat4& local = animator->node->local;
    SetRotation(local, 0.0f, 1.0f, 0.0f, static_cast<float>((z + x) + time));
    local.at(0, 3) = animator->x;
    local.at(1, 3) = static_cast<float>(y + 0.2 * std::sin((time * 0.5 + z) + x));
    local.at(2, 3) = animator->z;
    animator->time = static_cast<float>(time + 0.05);
}
