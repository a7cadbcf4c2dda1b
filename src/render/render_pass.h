// The per-frame render pass: view matrix, scene traversal with culling by model origin,
// depth sort, and drawing the models into a worker's rows.
#pragma once

#include <cstdint>

#include "assets/model.h"
#include "math/mat4.h"
#include "render/render_context.h"
#include "render/triangle_setup.h"
#include "scene/scene.h"

// The first half of a pass: the view matrix from the camera, then the draw list filled by
// TraverseNode from the root, in traversal order.
void CollectDrawList(FrameState& frame, const Scene& scene);
// Appends the node's model, at world matrix parentWorld * node.local, when its origin survives
// culling, then visits the children; does nothing once the draw list is full.
void TraverseNode(FrameState& frame, const SceneNode& node, const Mat4& parentWorld);
// -1, 0 or +1 as a's depth is below, equal to or above b's.
int CompareDepth(const DrawEntry& a, const DrawEntry& b);
// Sorts the valid draw list entries nearest first; entries of equal depth keep their order.
void SortDrawList(FrameState& frame);
// Collects and sorts the draw list and sets the drawn-model count: all of a frame that is
// shared by the workers that then draw it.
void PrepareFrame(FrameState& frame, const Scene& scene);

// Sets the worker's texture and model-view matrix (view * world) for drawing the model.
void BeginModel(WorkerState& worker, const Mat4& view, const Mat4& world, const Model& model);
// Draws every triangle of the entry's model into the worker's rows in the given order (after
// BeginModel for it).
void DrawModelIn(WorkerState& worker, DrawOrder order, const Mat4& view, const DrawEntry& entry);

// Draws the sorted draw list into the worker's rows. NearToFar: nearest first, each model only
// where nothing nearer is drawn, so that every pixel is filled once and the models behind a
// covered band are skipped. FarToNear: the plain painter's order, each model over what is
// there, which leaves the same pixels and is kept to check the other against.
// NearToFarUnfilled: NearToFar, writing no pixel.
void DrawFrameRows(WorkerState& worker, DrawOrder order, const FrameState& frame);

// Fills the worker's rows with the fog colour, FogTable[0].
void ClearRows(const WorkerState& worker);
