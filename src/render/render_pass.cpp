#include "render/render_pass.h"

#include <algorithm>
#include <cmath>

#include "render/coverage.h"
#include "render/render_state.h"
#include "render/triangle_setup.h"

namespace {

// The draw list and the merge sort's scratch space live for the whole process, so a pass
// allocates nothing.
DrawEntry DrawEntryStorage[DrawListCapacity];
DrawEntry SortScratch[DrawListCapacity];

// Culling bounds on the projected model origin; every comparison is strict.
constexpr float MinimumAbsoluteW = 0.01f;
constexpr float FarthestClipZ = -18.0f;
constexpr float NearestClipZ = -0.25f;
constexpr float HorizontalLimit = 3.0f;

void BuildViewMatrix(const Scene& scene) {
    Mat4 step;
    SetIdentity(ViewMatrix);
    SetTranslation(step, -scene.x, -scene.y, -scene.z);
    PreMultiply(ViewMatrix, step);
    SetRotation(step, 0.0f, 0.0f, 1.0f, scene.roll);
    PreMultiply(ViewMatrix, step);
    SetRotation(step, 0.0f, 1.0f, 0.0f, scene.yaw);
    PreMultiply(ViewMatrix, step);
    SetRotation(step, 1.0f, 0.0f, 0.0f, scene.pitch);
    PreMultiply(ViewMatrix, step);
}

// Projects the origin of WorldMatrix; true with its depth when the model should be drawn.
bool OriginSurvivesCulling(float& depth) {
    Vec3 p = {0.0f, 0.0f, 0.0f};
    TransformPoint(WorldMatrix, p, p);
    TransformPoint(ViewMatrix, p, p);
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

void AppendDrawEntry(Model* model, float depth) {
    DrawEntry& entry = DrawList.entries[DrawList.count];
    entry.world = WorldMatrix;
    entry.model = model;
    entry.depth = depth;
    ++DrawList.count;
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

DrawEntryList DrawList = {DrawEntryStorage, 0};

int CompareDepth(const DrawEntry& a, const DrawEntry& b) {
    if (a.depth < b.depth) {
        return -1;
    }
    return a.depth > b.depth ? 1 : 0;
}

void SortDrawList() {
    const uint32_t count = DrawList.count;
    DrawEntry* source = DrawList.entries;
    DrawEntry* target = SortScratch;
    for (uint32_t width = 1; width < count; width *= 2) {
        for (uint32_t begin = 0; begin < count; begin += 2 * width) {
            const uint32_t middle = std::min(begin + width, count);
            const uint32_t end = std::min(begin + 2 * width, count);
            MergeRuns(source, target, begin, middle, end);
        }
        std::swap(source, target);
    }
    if (source != DrawList.entries) {
        std::copy(source, source + count, DrawList.entries);
    }
}

void CollectDrawList(const Scene& scene) {
    BuildViewMatrix(scene);
    DrawList.count = 0;
    SetIdentity(WorldMatrix);
    TraverseNode(*scene.root);
}

void TraverseNode(const SceneNode& node) {
    const Mat4 parentWorld = WorldMatrix;
    if (DrawList.count == DrawListCapacity) {
        return;
    }
    PreMultiply(WorldMatrix, node.local);
    float depth = 0.0f;
    if (node.model != nullptr && OriginSurvivesCulling(depth)) {
        AppendDrawEntry(node.model, depth);
    }
    for (uint32_t i = 0; i < node.childCount; ++i) {
        TraverseNode(*node.children[i]);
    }
    WorldMatrix = parentWorld;
}

void BeginModel(const Model& model) {
    CurrentTexture = model.texture;
    SetIdentity(ModelViewMatrix);
    PostMultiply(ModelViewMatrix, ViewMatrix);
    PostMultiply(ModelViewMatrix, WorldMatrix);
}

void DrawModelIn(DrawOrder order, const Model& model) {
    BeginModel(model);
    if (CanDrawShared(model)) {
        DrawSharedTriangles(model, order);
        return;
    }
    ForEachTriangle(model.triangleCount, order, [&](int32_t i) {
        const ModelVertex* vertices = model.triangles[i].vertices;
        DrawTriangleIn(order, vertices[0], vertices[1], vertices[2]);
    });
}

void DrawModel(const Model& model) {
    DrawModelIn(DrawOrder::FarToNear, model);
}

void RenderSceneIn(DrawOrder order, Scene& scene) {
    CollectDrawList(scene);
    SortDrawList();
    DrawnModelCount = DrawList.count;
    if (order == DrawOrder::FarToNear) {
        while (DrawList.count > 0) {
            --DrawList.count;
            WorldMatrix = DrawList.entries[DrawList.count].world;
            DrawModel(*DrawList.entries[DrawList.count].model);
        }
        return;
    }
    // Once the frame is covered, no model behind can show.
    ClearCoverage();
    for (uint32_t i = 0; i < DrawList.count && !FrameCovered(); ++i) {
        WorldMatrix = DrawList.entries[i].world;
        DrawModelIn(DrawOrder::NearToFar, *DrawList.entries[i].model);
    }
    DrawList.count = 0;
}

void RenderScene(Scene& scene) {
    RenderSceneIn(DrawOrder::NearToFar, scene);
}
