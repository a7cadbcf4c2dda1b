// One program run without a window: the renderer, the colour tables, the data set, the level
// and the projection, built in the window program's order, then ticks and frames on demand.
// drav-render, drav-bench and the tests draw through it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "render/renderer.h"
#include "scene/scene.h"

struct HeadlessSession {
    std::unique_ptr<Renderer> renderer; // draws every frame of the session
    Scene* scene = nullptr;             // the level; null until start-up succeeds
};

// What a session is started with.
struct HeadlessSessionOptions {
    const char* program;       // names the program in messages ("drav-render")
    std::string dataDirectory; // "" searches the usual places
    int32_t scale = 1;
    int32_t threads = 0; // 0: DefaultThreadCount()
};

// Milliseconds each start-up step took.
struct StartupStepTimes {
    double colourTablesMs;
    double modelsMs;
    double levelMs;
};

// Creates the renderer, builds the colour tables, loads the data set and builds the level and
// the projection; times each step into times when it is not null. False, after one line on
// stderr naming every place searched, when no data files are found; nothing is left to free.
bool StartHeadlessSession(HeadlessSession& session, const HeadlessSessionOptions& options,
                          StartupStepTimes* times = nullptr);

// Runs ticks with no key held.
void RunIdleTicks(HeadlessSession& session, uint32_t ticks);

// Frees the level and the models, so that a leak check at exit finds nothing left.
void EndHeadlessSession(HeadlessSession& session);
