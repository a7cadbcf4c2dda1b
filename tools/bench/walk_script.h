// Scripted walks for the benchmark: steps of held keys, each held for a number of ticks, such
// as "U400 R63 UR60" (U Up, D Down, L Left, R Right, P Page Up, N Page Down, E End).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "scene/tick.h"

struct WalkStep {
    uint8_t keys; // KeyBit of every key held
    uint32_t ticks;
};

struct Walk {
    std::vector<WalkStep> steps;
    uint64_t totalTicks;
};

// The most ticks a step, and the whole walk, may take.
constexpr uint64_t MaxWalkTicks = 10000000;

// The built-in tour of the level from the start: long corridors, turns, close passes along
// walls and columns, past the hearts, and a look up and down.
extern const char* const DefaultWalk;

// Parses steps separated by spaces. Each step is one or more distinct key letters followed by
// a decimal tick count from 1 up. False on anything else, an empty script, or a walk longer
// than MaxWalkTicks.
bool ParseWalk(const char* script, Walk& walk);

// Position in a walk; the walk starts over after its last step.
struct WalkCursor {
    size_t step = 0;
    uint32_t tick = 0;
};

// The keys of the next tick, advancing the cursor.
uint8_t NextTickKeys(const Walk& walk, WalkCursor& cursor);
