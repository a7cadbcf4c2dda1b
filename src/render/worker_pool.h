// A fixed set of helper threads, started once, that share the tasks of a job with the calling
// thread and are parked between jobs. Nothing is allocated per job.
#pragma once

#include <cstdint>

struct WorkerPool;

// Runs one task of a job on a thread: thread 0 is the caller, 1 to helpers the helpers.
using PoolTask = void (*)(void* context, int32_t thread, int32_t task);

// Starts helperCount (> 0) threads that wait for RunPoolTasks.
WorkerPool* StartWorkerPool(int32_t helperCount, PoolTask run, void* context);
// Runs tasks 0 to taskCount - 1, each once, on whichever of the caller and the helpers takes
// it first; returns when all are done. The caller takes tasks too, so a helper that is slow to
// wake costs only the tasks it has not taken. Everything the caller wrote before the call is
// visible to the tasks, and everything the tasks wrote is visible to the caller afterwards.
void RunPoolTasks(WorkerPool& pool, int32_t taskCount);
// Stops and joins the helpers and frees the pool.
void StopWorkerPool(WorkerPool* pool);
