// drav-present-probe: how long presenting one frame takes in a real window, on its own,
// for two ways of getting an 8-bit frame onto an SDL window: the window surface (convert to
// the surface's format, scaled blit, update) and the program's own path (an SDL renderer with
// a streaming texture, through the SDL2 backend). Prints the median and the 90th percentile
// of each over a few thousand presents.
//
// Usage: drav-present-probe [PRESENTS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/platform.h"
#include "frame_stats.h"
#include "platform/sdl2.h"
#include "render/frame_buffer.h"
#include "render/frame_layout.h"
#include "render/palette.h"

namespace {

using Clock = std::chrono::steady_clock;

// Every palette index along the rows, so no path can take a shortcut for flat colour.
void PaintTestFrame(uint8_t* pixels) {
    for (int row = 0; row < FrameHeight; ++row) {
        for (int column = 0; column < FrameWidth; ++column) {
            pixels[row * FrameWidth + column] = static_cast<uint8_t>(row + column);
        }
    }
}

template <typename Present> FrameTimeStats TimePresents(int presents, Present present) {
    for (int warmUp = 0; warmUp < 100; ++warmUp) {
        present();
    }
    std::vector<int64_t> nanoseconds;
    nanoseconds.reserve(presents);
    for (int i = 0; i < presents; ++i) {
        const Clock::time_point start = Clock::now();
        present();
        nanoseconds.push_back(
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count());
        SDL_PumpEvents();
    }
    return SummariseFrameTimes(nanoseconds);
}

void Report(const char* path, const FrameTimeStats& stats) {
    std::printf("%-34s median %.3f ms, p90 %.3f ms\n", path, stats.medianMs, stats.p90Ms);
}

// The window-surface path in a second window of the same size: the 8-bit frame is converted
// to the surface's format unscaled, then stretched, then the window is updated.
bool TimeWindowSurfacePath(int presents, const uint8_t* frame, const RgbQuad* palette) {
    SDL_Window* window = SDL_CreateWindow("surface path", SDL_WINDOWPOS_UNDEFINED,
                                          SDL_WINDOWPOS_UNDEFINED, 640, 480, SDL_WINDOW_SHOWN);
    SDL_Surface* surface = window == nullptr ? nullptr : SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        return false;
    }
    SDL_Surface* indexed =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(frame), FrameWidth, FrameHeight, 8,
                                           FrameWidth, SDL_PIXELFORMAT_INDEX8);
    SDL_Surface* converted = SDL_CreateRGBSurfaceWithFormat(
        0, FrameWidth, FrameHeight, surface->format->BitsPerPixel, surface->format->format);
    if (indexed == nullptr || converted == nullptr) {
        return false;
    }
    SDL_Color colours[PaletteSize];
    for (int i = 0; i < PaletteSize; ++i) {
        colours[i] = SDL_Color{palette[i].red, palette[i].green, palette[i].blue, 255};
    }
    SDL_SetPaletteColors(indexed->format->palette, colours, 0, PaletteSize);
    Report("window surface (convert, blit, update)", TimePresents(presents, [&] {
               SDL_BlitSurface(indexed, nullptr, converted, nullptr);
               SDL_BlitScaled(converted, nullptr, surface, nullptr);
               SDL_UpdateWindowSurface(window);
           }));
    SDL_DestroyWindow(window);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int presents = argc > 1 ? std::atoi(argv[1]) : 3000;
    if (presents <= 0) {
        std::fprintf(stderr, "usage: drav-present-probe [PRESENTS]\n");
        return 2;
    }
    // The classic view: a 320x240 frame in a 640x480 window.
    const FrameLayout layout = LayoutForScale(1);
    if (const char* failure = PlatformOpenWindow(layout)) {
        std::fprintf(stderr, "drav-present-probe: %s\n", failure);
        return 1;
    }
    RgbQuad palette[PaletteSize] = {};
    BuildPalette(palette);
    uint8_t* frame = PlatformCreateFrameBuffer(palette, layout);
    if (frame == nullptr) {
        std::fprintf(stderr, "drav-present-probe: cannot create the frame texture\n");
        return 1;
    }
    PaintTestFrame(frame);
    SDL_RendererInfo info;
    SDL_GetRendererInfo(Renderer, &info);
    char label[64];
    std::snprintf(label, sizeof label, "renderer \"%s\" + streaming texture", info.name);
    Report(label, TimePresents(presents, PlatformPresent));
    if (!TimeWindowSurfacePath(presents, frame, palette)) {
        std::fprintf(stderr, "drav-present-probe: window surface path: %s\n", SDL_GetError());
        return 1;
    }
    return 0;
}
