// Scene graph, the scene record with the camera, and animators.
#pragma once

#include <cstdint>

#include "assets/model.h"
#include "math/mat4.h"

struct SceneNode {
    SceneNode** children; // in the order they were added; null while there are none
    uint32_t childCount;
    Model* model; // not owned; null for a node that only groups others
    Mat4 local;
};

struct Scene {
    float x, y, z; // camera position
    float pitch;   // about X
    float yaw;     // about Y
    float roll;    // about Z
    SceneNode* root;
};

// Where the camera stands and looks: x and z on the floor, yaw and pitch in radians.
struct CameraPose {
    float x, z, yaw, pitch;
};

// Puts the camera at the pose; its height and roll stay as they are.
void SetCameraPose(Scene& scene, const CameraPose& pose);

struct Animator;
using AnimatorTick = void (*)(Animator*);

struct Animator {
    float x, y, z; // base position
    AnimatorTick tick;
    SceneNode* node; // not owned
    float time;
};

struct AnimatorPointerList {
    Animator** items;
    uint32_t count;
};

// Every animator, in creation order; the main loop ticks them in this order.
extern AnimatorPointerList AnimatorList;

SceneNode* CreateNode(SceneNode* parent, Model* model, const Mat4* initial);
void DestroyNode(SceneNode* node);
Scene* CreateScene();
void DestroyScene(Scene* scene);
Animator* CreateAnimator(AnimatorTick tick, SceneNode* node, float x, float y, float z);
void RemoveAnimator(Animator* animator);
// Removes and frees every animator, last first, so that no removal shifts the others.
void RemoveAllAnimators();
// Spins the node about its vertical axis and bobs it about the animator's base position.
void HeartTick(Animator* animator);
