// drav-render's clips: a scripted walk through the level as an animated GIF.
#pragma once

#include <cstdint>

#include "render/renderer.h"
#include "scene/scene.h"
#include "walk_script.h"

// Frames in the clip of a walk of the given length: the start and one per two ticks.
uint64_t WalkClipFrames(uint64_t walkTicks);

// Writes the walk, from the scene as it stands, to a GIF at path, each frame drawn by the
// renderer: the frame before the first tick, then the frame after every second tick up to the
// walk's end, each shown 3/100 s, as the demo's F9 records them. False, with a line on stderr, when
// the file cannot be written.
bool WriteWalkClip(const char* path, Renderer& renderer, Scene& scene, const Walk& walk);
