// The per-frame render pass: view matrix, scene traversal with culling by model origin,
// depth sort and far-to-near drawing.
#pragma once

#include <cstdint>

#include "assets/model.h"
#include "math/mat4.h"
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

void RenderScene(Scene& scene);
void TraverseNode(const SceneNode& node);
int CompareDepth(const DrawEntry& a, const DrawEntry& b);
void DrawModel(const Model& model);
