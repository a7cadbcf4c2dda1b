// drav-render's clips: a scripted walk or a played demo through the level as an animated GIF.
#pragma once

#include <cstdint>
#include <functional>

#include "render/renderer.h"
#include "scene/scene.h"
#include "walk_script.h"

// Runs one tick of a clip's source (a walk's keys, a demo's keys) on the scene.
using ClipTick = std::function<void(Scene&)>;

// Frames in a clip of the given number of ticks: the start and one per two ticks.
uint64_t ClipFrames(uint64_t ticks);

// Writes a GIF at path of the given number of ticks run by runTick from the scene as it stands,
// each frame drawn by the renderer: the frame before the first tick, then the frame after every
// second tick, each shown 3/100 s, as drav's F9 records them. False, with a line on stderr,
// when the file cannot be written.
bool WriteClip(const char* path, Renderer& renderer, Scene& scene, uint64_t ticks,
               const ClipTick& runTick);

// A clip of the walk's keys.
bool WriteWalkClip(const char* path, Renderer& renderer, Scene& scene, const Walk& walk);
