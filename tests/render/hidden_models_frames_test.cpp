// Skipping what cannot show: frames drawn nearest first, which skip models by their boxes,
// models by their projected positions and covered rows and spans, against the same frames
// painted far to near, which skips nothing. At the cameras of the shipped demo (the default
// walk), at scales 1, 2 and 4, with one thread and with several bands.
#include <gtest/gtest.h>

#include <cstring>

#include "render/frame.h"
#include "render/render_pass.h"
#include "render/renderer.h"
#include "support/level_fixture.h"
#include "support/shipped_demo.h"

namespace {

// Every this many ticks of the walk a frame is compared: about 50 cameras.
constexpr uint32_t TicksBetweenFrames = 97;

TEST_F(LevelFixture, SkippingHiddenModelsLeavesThePaintersFrameAtEveryScale) {
    struct Scaled {
        std::unique_ptr<Renderer> painter, single, banded;
    };
    std::vector<Scaled> scales;
    for (const int32_t scale : {1, 2, 4}) {
        scales.push_back(
            {CreateRenderer(scale, 1), CreateRenderer(scale, 1), CreateRenderer(scale, 3)});
    }
    PlayShippedDemo(*scene, TicksBetweenFrames, [&](uint32_t tick) {
        SetEyeHeight(*scene);
        for (const Scaled& s : scales) {
            ClearFrame(*s.painter);
            RenderSceneIn(*s.painter, DrawOrder::FarToNear, *scene);
            const RenderTarget& painted = s.painter->target;
            const size_t bytes = static_cast<size_t>(painted.width) * painted.height;
            for (Renderer* skipping : {s.single.get(), s.banded.get()}) {
                // A stale frame must not pass for a drawn one.
                std::memset(skipping->target.pixels, 0xEE, bytes);
                RenderClearedFrame(*skipping, *scene);
                ASSERT_EQ(std::memcmp(skipping->target.pixels, painted.pixels, bytes), 0)
                    << "tick " << tick << ", width " << painted.width << ", "
                    << skipping->workers.size() << " threads";
            }
        }
    });
}

} // namespace
