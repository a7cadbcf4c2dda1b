// Shared set-up for tests that drive the main loop through the headless backend: a fresh
// script, a fresh clock and running flag, a renderer on the backend's pixels, and an
// empty scene whose animators are removed again afterwards.
#pragma once

#include <gtest/gtest.h>

#include "app/main_loop.h"
#include "platform/headless.h"
#include "render/frame_buffer.h"
#include "scene/scene.h"

// The headless counter runs at 1 GHz unless a test says otherwise.
constexpr int64_t Millisecond = 1000000;

class LoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetHeadless();
        Running = 1;
        ClockTicksPerMillisecond = 0.0;
        ClockStartCount = 0.0;
        WindowRenderer = CreateRenderer(1, 1, Headless.pixels, FrameWidth);
        scene = CreateScene();
    }

    void TearDown() override {
        RemoveAllAnimators();
        DestroyScene(scene);
        WindowRenderer = nullptr;
    }

    // Moves the counter to the given time and runs one iteration.
    void IterateAt(int64_t counter) {
        Headless.counter = counter;
        RunMainLoopIteration(loop, *scene);
    }

    // Every tick asks for each of the seven keys once.
    static int TicksRun() { return Headless.keyQueryCount / KeyCount; }

    Scene* scene = nullptr;
    MainLoop loop{};
};
