#include "render/render_pass.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "render/coverage.h"
#include "render/model_bound.h"
#include "render/palette.h"
#include "render/render_state.h"
#include "render/triangle_setup.h"

namespace {

// Culling bounds on the projected model origin; every comparison is strict.
constexpr float MinimumAbsoluteW = 0.01f;
constexpr float FarthestClipZ = -18.0f;
constexpr float NearestClipZ = -0.25f;
constexpr float HorizontalLimit = 3.0f;

void BuildViewMatrix(Mat4& view, const Scene& scene) {
    Mat4 step;
    SetIdentity(view);
    SetTranslation(step, -scene.x, -scene.y, -scene.z);
    PreMultiply(view, step);
    SetRotation(step, 0.0f, 0.0f, 1.0f, scene.roll);
    PreMultiply(view, step);
    SetRotation(step, 0.0f, 1.0f, 0.0f, scene.yaw);
    PreMultiply(view, step);
    SetRotation(step, 1.0f, 0.0f, 0.0f, scene.pitch);
    PreMultiply(view, step);
}

// Projects the origin of world; true with its depth when the model should be drawn.
bool OriginSurvivesCulling(const Mat4& view, const Mat4& world, float& depth) {
    Vec3 p = {0.0f, 0.0f, 0.0f};
    TransformPoint(world, p, p);
    TransformPoint(view, p, p);
    Vec4 q = {p.x, p.y, p.z, 1.0f};
    TransformVec4(ProjectionMatrix, q, q);
    if (std::fabs(q.w) <= MinimumAbsoluteW) {
        return false;
    }
    const float r = static_cast<float>(static_cast<double>(q.x) / q.w);
    if (!(q.z > FarthestClipZ && q.z < NearestClipZ && r > -HorizontalLimit &&
          r < HorizontalLimit)) {
        return false;
    }
    depth = -q.z;
    return true;
}

void AppendDrawEntry(DrawEntryList& list, const Mat4& world, Model* model, float depth) {
    DrawEntry& entry = list.entries[list.count];
    entry.world = world;
    entry.model = model;
    entry.depth = depth;
    entry.box = nullptr;
    ++list.count;
}

// Merges the sorted runs [begin, middle) and [middle, end) of source into target; on equal
// depths the entry of the left run goes first, which keeps the sort stable.
void MergeRuns(const DrawEntry* source, DrawEntry* target, uint32_t begin, uint32_t middle,
               uint32_t end) {
    uint32_t left = begin, right = middle;
    for (uint32_t out = begin; out < end; ++out) {
        const bool takeLeft =
            right >= end || (left < middle && CompareDepth(source[left], source[right]) <= 0);
        target[out] = takeLeft ? source[left++] : source[right++];
    }
}

} // namespace

int CompareDepth(const DrawEntry& a, const DrawEntry& b) {
    if (a.depth < b.depth) {
        return -1;
    }
    return a.depth > b.depth ? 1 : 0;
}

void SortDrawList(FrameState& frame) {
    DrawEntryList& list = frame.drawList;
    const uint32_t count = list.count;
    DrawEntry* source = list.entries;
    DrawEntry* target = frame.sortScratch;
    for (uint32_t width = 1; width < count; width *= 2) {
        for (uint32_t begin = 0; begin < count; begin += 2 * width) {
            const uint32_t middle = std::min(begin + width, count);
            const uint32_t end = std::min(begin + 2 * width, count);
            MergeRuns(source, target, begin, middle, end);
        }
        std::swap(source, target);
    }
    if (source != list.entries) {
        std::copy(source, source + count, list.entries);
    }
}

void CollectDrawList(FrameState& frame, const Scene& scene) {
    BuildViewMatrix(frame.viewMatrix, scene);
    frame.drawList.count = 0;
    Mat4 identity;
    SetIdentity(identity);
    TraverseNode(frame, *scene.root, identity);
}

void TraverseNode(FrameState& frame, const SceneNode& node, const Mat4& parentWorld) {
    if (frame.drawList.count == DrawListCapacity) {
        return;
    }
    Mat4 world = parentWorld;
    PreMultiply(world, node.local);
    float depth = 0.0f;
    if (node.model != nullptr && OriginSurvivesCulling(frame.viewMatrix, world, depth)) {
        AppendDrawEntry(frame.drawList, world, node.model, depth);
    }
    for (uint32_t i = 0; i < node.childCount; ++i) {
        TraverseNode(frame, *node.children[i], world);
    }
}

void PrepareFrame(FrameState& frame, const Scene& scene) {
    CollectDrawList(frame, scene);
    SortDrawList(frame);
    AttachModelBoxes(frame);
    frame.drawnModelCount = frame.drawList.count;
}

void BeginModel(WorkerState& worker, const Mat4& view, const Mat4& world, const Model& model) {
    worker.currentTexture = model.texture;
    SetIdentity(worker.modelViewMatrix);
    PostMultiply(worker.modelViewMatrix, view);
    PostMultiply(worker.modelViewMatrix, world);
}

void DrawModelIn(WorkerState& worker, DrawOrder order, const Mat4& view, const DrawEntry& entry) {
    const Model& model = *entry.model;
    // Nearest first, a model whose box lies behind what is drawn needs no set-up at all.
    if (order != DrawOrder::FarToNear && entry.box != nullptr &&
        BoxHidden(worker, view, entry.world, *entry.box)) {
        return;
    }
    BeginModel(worker, view, entry.world, model);
    if (CanDrawShared(model)) {
        DrawSharedTriangles(worker, model, order);
        return;
    }
    ForEachTriangle(model.triangleCount, order, [&](int32_t i) {
        const ModelVertex* vertices = model.triangles[i].vertices;
        DrawTriangleIn(worker, order, vertices[0], vertices[1], vertices[2]);
    });
}

void DrawFrameRows(WorkerState& worker, DrawOrder order, const FrameState& frame) {
    const DrawEntryList& list = frame.drawList;
    if (order == DrawOrder::FarToNear) {
        for (uint32_t i = list.count; i > 0; --i) {
            DrawModelIn(worker, order, frame.viewMatrix, list.entries[i - 1]);
        }
        return;
    }
    // Once the worker's rows are covered, no model behind can show in them.
    ClearCoverage(worker);
    for (uint32_t i = 0; i < list.count && !FrameCovered(worker); ++i) {
        DrawModelIn(worker, order, frame.viewMatrix, list.entries[i]);
    }
}

void ClearRows(const WorkerState& worker) {
    const uint8_t fog = FogTable[0];
    for (int32_t row = worker.firstRow; row < worker.endRow; ++row) {
        std::memset(TargetRow(worker.target, row), fog, static_cast<size_t>(worker.target.width));
    }
}
