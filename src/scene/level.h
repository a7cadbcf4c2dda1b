// The one level: its tile map and the construction of its scene.
#pragma once

#include "scene/scene.h"

constexpr int LevelRows = 13;
constexpr int LevelColumns = 27;

// 13 rows of 27 characters, row after row, NUL-terminated.
extern const char LevelMap[LevelRows * LevelColumns + 1];

// Builds the scene from LevelMap and the model slots; appends one animator per heart.
Scene* BuildLevel();
// Undoes BuildLevel, for tools and tests that release what they build (the window program keeps its
// level until it ends): removes every animator from the AnimatorList, then destroys the scene.
void DestroyLevel(Scene* scene);
