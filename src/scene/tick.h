// One 16 ms simulation tick: keyboard into the camera, then every animator.
#pragma once

#include <cstdint>

#include "scene/scene.h"

enum class Key { End, PageUp, PageDown, Left, Right, Up, Down };
constexpr int KeyCount = 7;

// Answers whether a key is held; asked once per key per tick, in the order of Key.
using KeyDownQuery = bool (*)(Key);

void RunTick(Scene& scene, KeyDownQuery keyDown);

// The query of a tick with no key held.
bool NoKeyDown(Key key);

// Held keys as one byte: bit 1 << Key for every key held, as demos and walk scripts store them.
constexpr uint8_t KeyBit(Key key) {
    return static_cast<uint8_t>(1u << static_cast<unsigned>(key));
}
constexpr uint8_t AllKeyBits = 0x7f;

// The keys a script or a demo holds in the current tick, and the query RunTick reads them with.
extern uint8_t ScriptedKeys;
bool ScriptedKeyDown(Key key);
