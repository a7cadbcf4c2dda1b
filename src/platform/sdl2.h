// Process-wide SDL objects behind the platform seam, made by PlatformOpenWindow; they live
// until the process ends. Tests look at them to see what the backend did.
#pragma once

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <string>

extern SDL_Window* Window;
// Draws into the window; the frame is scaled by it, at a whole factor, centred.
extern SDL_Renderer* Renderer;

// Whether SDL has a key of this name ("W", "Up", "Left Shift"); works before SDL starts.
bool SdlKnowsKeyName(const std::string& name);
