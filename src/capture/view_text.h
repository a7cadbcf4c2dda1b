// The text that names a view for drav-render: the tick count and the camera, as the options
// "--ticks N --camera X,Z,YAW,PITCH" that render the same frame again.
#pragma once

#include <cstdint>

#include "scene/scene.h"

constexpr int ViewTextCapacity = 160;

// The shortest decimal (at most 9 significant digits) that reads back as exactly the bits of
// value through strtof; negative zero keeps its sign.
void FormatExactFloat(char (&text)[32], float value);

// Formats the options for the scene's camera (x, z, yaw, pitch) after the given ticks.
void FormatViewText(char (&text)[ViewTextCapacity], uint64_t ticks, const Scene& scene);
