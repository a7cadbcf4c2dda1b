// Bounds of whole models: the box around a model's positions, and the test that a model
// drawn nearest first cannot show because everything its box could reach within a worker's
// rows is covered already. Models that fail it are skipped before any of their positions is
// transformed.
#pragma once

#include "assets/model.h"
#include "math/mat4.h"
#include "render/render_context.h"

// Gives each entry of the frame's draw list whose model carries shared positions the frame's
// box of that model (the first MaxBoxedModels models only); the other entries get none.
void AttachModelBoxes(FrameState& frame);

// True when a model whose positions lie in box, drawn with the model-view matrix view * world
// and ProjectionMatrix, cannot reach a pixel of the worker's rows that is not covered yet.
// False when it cannot tell, such as when part of the box lies before the near limit.
bool BoxHidden(const WorkerState& worker, const Mat4& view, const Mat4& world, const ModelBox& box);
