// Command line of drav-render.
#pragma once

#include <cstdint>

struct CameraOverride {
    bool given;
    float x, z, yaw, pitch;
};

struct RenderOptions {
    const char* dataDirectory;
    uint32_t ticks;
    CameraOverride camera;
    const char* pngPath;      // null: no PNG
    const char* rawPath;      // null: no raw frame
    const char* fogTablePath; // null: no fog table
    const char* gifPath;      // null: no clip
    const char* walkScript;   // the clip's walk; null: the built-in walk
};

extern const char* const RenderUsage;

// Parses argv[1..argc-1] over defaults (no outputs, no ticks, no camera override, the given
// data directory). --walk needs --gif. Returns false on anything it does not understand, leaving
// options partly filled.
bool ParseRenderOptions(int argc, const char* const* argv, const char* defaultDataDirectory,
                        RenderOptions& options);

// Parsers of single option values; each accepts the whole text or nothing.
bool ParseTickCount(const char* text, uint32_t& ticks);
bool ParseDecimalFloat(const char* text, const char* end, float& value);
bool ParseCamera(const char* text, CameraOverride& camera);
