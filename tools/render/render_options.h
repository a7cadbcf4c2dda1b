// Command line of drav-render.
#pragma once

#include <cstdint>
#include <string>

#include "cli/command_outcome.h"
#include "scene/scene.h"
#include "walk_script.h"

struct CameraOverride {
    bool given;
    CameraPose pose;
};

// The most ticks one run may simulate: 1,000,000 ticks of 16 ms are about 4.4 hours of the
// program's time and take a few seconds to run.
constexpr uint32_t MaxRenderTicks = 1000000;

struct RenderOptions {
    std::string dataDirectory; // empty: searched for, see LoadDataSet
    uint32_t ticks;
    CameraOverride camera;
    std::string pngPath;      // empty: no PNG
    std::string rawPath;      // empty: no raw frame
    std::string fogTablePath; // empty: no fog table
    std::string gifPath;      // empty: no clip
    Walk walk;                // the clip's walk
    FrameOptions frame;
    std::string playPath; // a demo whose keys drive the ticks; empty: no key is held
    uint32_t playTick;    // the demo's tick to stop after; PlayToEnd: its last
};

constexpr uint32_t PlayToEnd = UINT32_MAX;

// Reads argv[1..argc-1] over defaults (no outputs, no ticks, no camera override, no data
// directory, the built-in walk, DefaultFrameOptions). --walk needs --gif and excludes --play;
// --tick needs --play.
CommandLineOutcome ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options);

// Parsers of single option values; each accepts the whole text or nothing.
bool ParseDecimalFloat(const char* text, const char* end, float& value);
bool ParseCamera(const char* text, CameraOverride& camera);
