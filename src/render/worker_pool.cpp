#include "render/worker_pool.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct WorkerPool {
    PoolJob job;
    void* context;
    std::vector<std::thread> helpers;
    std::mutex mutex;
    std::condition_variable wake;     // helpers wait here for the next call
    std::condition_variable finished; // the caller waits here for the last helper
    // The number of calls so far; written under the mutex, read by spinning helpers too.
    std::atomic<uint64_t> calls{0};
    std::atomic<int32_t> running{0}; // helpers still in the current call
    bool stopping = false;           // under the mutex
};

namespace {

// Frames follow each other within a fraction of a millisecond, and a parked thread takes tens
// of microseconds to wake; so a thread first polls for this many rounds before it sleeps.
constexpr int SpinRounds = 4000;

template <typename Done> bool SpinUntil(Done done) {
    for (int i = 0; i < SpinRounds; ++i) {
        if (done()) {
            return true;
        }
        std::this_thread::yield();
    }
    return done();
}

void RunHelper(WorkerPool& pool, int32_t thread) {
    uint64_t seen = 0;
    for (;;) {
        if (!SpinUntil([&] { return pool.calls.load(std::memory_order_acquire) != seen; })) {
            std::unique_lock<std::mutex> lock(pool.mutex);
            pool.wake.wait(lock, [&] {
                return pool.stopping || pool.calls.load(std::memory_order_acquire) != seen;
            });
        }
        {
            std::lock_guard<std::mutex> lock(pool.mutex);
            if (pool.stopping) {
                return;
            }
        }
        seen = pool.calls.load(std::memory_order_acquire);
        pool.job(pool.context, thread);
        if (pool.running.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            std::lock_guard<std::mutex> lock(pool.mutex);
            pool.finished.notify_one();
        }
    }
}

} // namespace

WorkerPool* StartWorkerPool(int32_t helperCount, PoolJob job, void* context) {
    auto* pool = new WorkerPool;
    pool->job = job;
    pool->context = context;
    pool->helpers.reserve(static_cast<size_t>(helperCount));
    for (int32_t i = 1; i <= helperCount; ++i) {
        pool->helpers.emplace_back(RunHelper, std::ref(*pool), i);
    }
    return pool;
}

void RunPoolJob(WorkerPool& pool) {
    pool.running.store(static_cast<int32_t>(pool.helpers.size()), std::memory_order_relaxed);
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        pool.calls.fetch_add(1, std::memory_order_release);
    }
    pool.wake.notify_all();
    pool.job(pool.context, 0);
    const auto done = [&] { return pool.running.load(std::memory_order_acquire) == 0; };
    if (!SpinUntil(done)) {
        std::unique_lock<std::mutex> lock(pool.mutex);
        pool.finished.wait(lock, done);
    }
}

void StopWorkerPool(WorkerPool* pool) {
    {
        std::lock_guard<std::mutex> lock(pool->mutex);
        pool->stopping = true;
        pool->calls.fetch_add(1, std::memory_order_release);
    }
    pool->wake.notify_all();
    for (std::thread& helper : pool->helpers) {
        helper.join();
    }
    delete pool;
}
