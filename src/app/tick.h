// One 16 ms simulation tick: keyboard into the camera, then every animator.
#pragma once

#include "scene/scene.h"

enum class Key { End, PageUp, PageDown, Left, Right, Up, Down };

// Answers whether a key is held; asked once per key per tick, in the order of Key.
using KeyDownQuery = bool (*)(Key);

void RunTick(Scene& scene, KeyDownQuery keyDown);
