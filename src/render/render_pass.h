// The per-frame render pass: view matrix, scene traversal with culling by model origin,
// depth sort and far-to-near drawing.
#pragma once

#include <cstdint>

#include "assets/model.h"
#include "math/mat4.h"
#include "render/triangle_setup.h"
#include "scene/scene.h"

struct DrawEntry {
    Mat4 world;
    Model* model;
    float depth;
};

constexpr uint32_t DrawListCapacity = 1024;

struct DrawEntryList {
    DrawEntry* entries; // exactly DrawListCapacity entries, allocated once
    uint32_t count;
};

extern DrawEntryList DrawList;

// Collects, sorts and draws the scene; leaves DrawnModelCount set and the DrawList empty. The
// frame is that of drawing the models far to near, each over what is there; it is drawn
// nearest first, each model only where nothing nearer is drawn, so that every pixel is filled
// once and the models behind a covered frame are skipped.
void RenderScene(Scene& scene);
// RenderScene in the given order: NearToFar is RenderScene; FarToNear is the plain painter's
// order, which draws the same frame and is kept to check the other against.
void RenderSceneIn(DrawOrder order, Scene& scene);
// The first half of a pass: ViewMatrix from the camera, then the DrawList filled by
// TraverseNode from the root, in traversal order.
void CollectDrawList(const Scene& scene);
// Appends the node's model when its origin survives culling, then visits the children; does
// nothing once the DrawList is full. Leaves WorldMatrix as it found it.
void TraverseNode(const SceneNode& node);
// -1, 0 or +1 as a's depth is below, equal to or above b's.
int CompareDepth(const DrawEntry& a, const DrawEntry& b);
// Sorts the valid DrawList entries nearest first; entries of equal depth keep their order.
void SortDrawList();
// Sets CurrentTexture and ModelViewMatrix (ViewMatrix * WorldMatrix) for drawing the model.
void BeginModel(const Model& model);
// Draws every triangle of the model with ViewMatrix and WorldMatrix, far to near: in order,
// each over what is there.
void DrawModel(const Model& model);
// Draws the model's triangles in the given order.
void DrawModelIn(DrawOrder order, const Model& model);
