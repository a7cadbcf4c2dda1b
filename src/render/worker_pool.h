// A fixed set of helper threads, started once, that run one job together with the calling
// thread on each call and are parked between calls. Nothing is allocated per call.
#pragma once

#include <cstdint>

struct WorkerPool;

// The job every thread runs once per call: thread 0 is the caller, 1 to helpers the helpers.
using PoolJob = void (*)(void* context, int32_t thread);

// Starts helperCount (> 0) threads that wait for RunPoolJob.
WorkerPool* StartWorkerPool(int32_t helperCount, PoolJob job, void* context);
// Runs the job on every helper and on the calling thread; returns when all have finished it.
// Everything the caller wrote before the call is visible to the job, and everything the job
// wrote is visible to the caller afterwards.
void RunPoolJob(WorkerPool& pool);
// Stops and joins the helpers and frees the pool.
void StopWorkerPool(WorkerPool* pool);
