// drav-bench --profile: where a frame's time goes, measured on a one-thread renderer of the
// frame's size after the timed frame. Each frame is prepared and drawn again in parts: the
// serial part, the drawing pass without its filling, and the whole drawing pass.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "bench_report.h"
#include "render/renderer.h"
#include "scene/scene.h"

struct FrameProfile {
    int64_t serialNs;   // view matrix, walk, culling, sort and model boxes
    int64_t unfilledNs; // the nearest-first pass with every decision but no pixel written
    int64_t drawingNs;  // the nearest-first pass with the clear, as a frame draws it
};

// Profiles the frame of the scene on renderer, which has one thread.
FrameProfile ProfileFrame(Renderer& renderer, const Scene& scene);

// Median per frame of the serial part, of set-up (the pass without its filling) and of filling
// (the rest of the pass, the clear included), then the models each test skipped per frame.
void PrintProfile(std::FILE* out, const std::vector<FrameProfile>& profiles,
                  const BenchSummary& summary);
