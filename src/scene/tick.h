// One 16 ms simulation tick: keyboard into the camera, then every animator.
#pragma once

#include <cstdint>

#include "scene/scene.h"

enum class Key { End, PageUp, PageDown, Left, Right, Up, Down };
constexpr int KeyCount = 7;

// Answers whether a key is held; asked once per key per tick, in the order of Key.
using KeyDownQuery = bool (*)(Key);

void RunTick(Scene& scene, KeyDownQuery keyDown);

// Mouse motion gathered between two ticks, in whole pixels: right and down are positive.
struct MouseMotion {
    int32_t dx;
    int32_t dy;
};

// How mouse motion turns the view: sensitivity in percent of MouseRadiansPerPixel, and whether
// moving the mouse forward tilts the view down instead of up.
struct MouseTurning {
    int32_t sensitivity;
    bool invert;
};
constexpr double MouseRadiansPerPixel = 0.002;
constexpr int32_t DefaultMouseSensitivity = 100;
constexpr int32_t MinMouseSensitivity = 10;
constexpr int32_t MaxMouseSensitivity = 1000;
// The mouse tilts the view no further than straight up or down; the keys are not held to it.
constexpr double MouseTiltLimit = 1.5707963267948966;

// A tick with the mouse: the keys, with the motion's tilt after the page keys and its turn after
// the arrow keys, so a step walks along the heading the mouse gave. No motion is RunTick's tick.
void RunTick(Scene& scene, KeyDownQuery keyDown, MouseMotion motion, const MouseTurning& turning);

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
// The mouse motion a demo holds in the current tick.
extern MouseMotion ScriptedMotion;
