// The records a frame is drawn with. Everything the renderer changes while it draws lives in
// them: one FrameState per frame (the view, the draw list and its count) and one WorkerState
// per thread (its rows, coverage, texture and model-view matrix), passed by reference as the
// first argument. The read-only tables (palette, fog table, projection, models) stay shared.
#pragma once

#include <cstdint>

#include "assets/model.h"
#include "math/mat4.h"
#include "render/frame_buffer.h"

// The box in model space around every position of a model, found once per frame for each
// model of the draw list that carries shared positions, so that a worker can test the model
// against its coverage before transforming any of them.
struct ModelBox {
    const Model* model;
    Vec3 low;
    Vec3 high;
};

// The most models a frame finds boxes for; the entries of any further ones get none.
constexpr uint32_t MaxBoxedModels = 32;

// One model to draw: its world matrix at the moment the traversal reached it, and its depth.
struct DrawEntry {
    Mat4 world;
    Model* model;
    float depth;
    const ModelBox* box; // around the model's positions; null when none is tested
};

constexpr uint32_t DrawListCapacity = 1024;

struct DrawEntryList {
    DrawEntry* entries; // exactly DrawListCapacity entries, allocated once
    uint32_t count;
};

// What a frame's draw list is built into, shared read-only by the workers that then draw it.
struct FrameState {
    Mat4 viewMatrix;          // world to view space for the camera
    DrawEntryList drawList;   // models that survived culling, nearest first once sorted
    DrawEntry* sortScratch;   // DrawListCapacity entries for the merge sort
    uint32_t drawnModelCount; // entries of the draw list after the traversal of the last frame
    ModelBox boxes[MaxBoxedModels]; // of the models in the draw list that get one
    uint32_t boxCount;
};

// The covered columns of a row, one bit each: column x is bit x % 64 of words[x / 64]. The
// array holds CoveredWords(width) words.
struct CoveredRow {
    uint64_t* words;
    int32_t columns; // how many columns are covered
};

// Triangle setup's record of one shared position of the model being drawn.
struct PositionState;

// One thread's drawing state. The worker writes only rows firstRow to endRow - 1 of the target
// and only touches the coverage of those rows.
struct alignas(64) WorkerState { // a cache line of its own: workers write theirs often
    RenderTarget target;         // the whole frame
    int32_t firstRow;            // the row window
    int32_t endRow;
    CoveredRow* coveredRows;       // one per row of the target, indexed by row
    int32_t fullyCoveredRows;      // rows of the window covered from column 0 to the last
    const Texture* currentTexture; // of the model being drawn; read by the span filler
    Mat4 modelViewMatrix;          // of the model being drawn; read by triangle setup
    PositionState* positions;      // MaxSharedPositions records of triangle setup's scratch
};
