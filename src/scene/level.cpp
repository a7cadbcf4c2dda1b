#include "scene/level.h"

// clang-format off
const char LevelMap[LevelRows * LevelColumns + 1] =
    "==========================="
    "= h x = x h h*  hT  T  T  ="
    "= ****=****   x           ="
    "= * x hx h*        x    h ="
    "===== * * *  * h *******  ="
    "=h* = T  x*x=====* h h *x ="
    "=h*h= hx* * = x =        h="
    "=h* T T T * = h =h    .x  ="
    "=h*  x   h* =  x= ===* *==="
    "=h* T T== ===T    T   x   ="
    "=h*****=   h====  x     T ="
    "=  x h = Txh=   ==   T ===="
    "=============     =====    ";
// clang-format on

namespace {

constexpr int CeilingRowReach = 8;
constexpr int CeilingColumnReach = 15;
constexpr float TileSize = 2.0f;
constexpr float CeilingHeight = 3.0f;

// The model a map character puts on its cell; every character not named is floor.
Model* CellModel(char cell) {
    switch (cell) {
    case '*':
        return ColumnModel;
    case '=':
        return CubeModel;
    case 'T':
        return TableModel;
    case 'x':
        return BrokenModel;
    default:
        return PlaneModel;
    }
}

void AddPlacedNode(Scene& scene, Model* model, float x, float y, float z) {
    Mat4 placement;
    SetTranslation(placement, x, y, z);
    CreateNode(scene.root, model, &placement);
}

// The cell's own node, the heart above an "h" with its animator, and the camera on a ".".
void AddCell(Scene& scene, char cell, float x, float z) {
    if (cell == '.') {
        scene.x = x;
        scene.z = z;
    }
    AddPlacedNode(scene, CellModel(cell), x, 0.0f, z);
    if (cell == 'h') {
        SceneNode* heart = CreateNode(scene.root, HeartModel, nullptr);
        CreateAnimator(HeartTick, heart, x, 0.0f, z);
    }
}

} // namespace

Scene* BuildLevel() {
    Scene* scene = CreateScene();
    scene->yaw = 1.0f;
    const int rowReach = LevelRows / 2, columnReach = LevelColumns / 2;
    for (int r = -rowReach; r <= rowReach; ++r) {
        for (int c = -columnReach; c <= columnReach; ++c) {
            const char cell = LevelMap[(r + rowReach) * LevelColumns + (c + columnReach)];
            AddCell(*scene, cell, TileSize * c, TileSize * r);
        }
    }
    for (int r = -CeilingRowReach; r <= CeilingRowReach; ++r) {
        for (int c = -CeilingColumnReach; c <= CeilingColumnReach; ++c) {
            AddPlacedNode(*scene, CeilModel, TileSize * c, CeilingHeight, TileSize * r);
        }
    }
    return scene;
}

void DestroyLevel(Scene* scene) {
    RemoveAllAnimators();
    DestroyScene(scene);
}
