#include "render/worker_pool.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Tasks are numbered by one counter across all jobs: job j (from 1) owns the tickets from
// firstTicket up to endTicket. A thread takes the next ticket only while it lies in the range
// of the job that woke it, so a helper that wakes after its job has ended takes nothing of the
// next one.
struct WorkerPool {
    PoolTask run;
    void* context;
    std::vector<std::thread> helpers;
    std::mutex mutex;
    std::condition_variable wake;     // helpers wait here for the next job
    std::condition_variable finished; // the caller waits here for the last task
    std::atomic<uint64_t> jobs{0};    // jobs started so far; written under the mutex
    uint64_t firstTicket = 0;         // the current job's tickets; written before jobs rises
    uint64_t endTicket = 0;
    std::atomic<uint64_t> nextTicket{0};
    std::atomic<uint64_t> doneTickets{0}; // tickets whose task has finished
    bool stopping = false;                // under the mutex
};

namespace {

// Jobs follow each other within a fraction of a millisecond, and a parked thread takes tens of
// microseconds to wake; so a thread first polls for this many rounds, yielding the core to
// any other work in between, before it sleeps.
constexpr int SpinRounds = 2000;

// A helper whose last wait for a job lasted longer than this sees jobs paced apart, as by a
// frame-rate cap: polling would only burn its core in every gap, so it sleeps at once until
// a wait is short again.
constexpr std::chrono::microseconds LongWait{1000};

template <typename Done> bool SpinUntil(Done done) {
    for (int i = 0; i < SpinRounds; ++i) {
        if (done()) {
            return true;
        }
        std::this_thread::yield();
    }
    return done();
}

// Takes and runs tickets below end, one at a time, while there are any.
void RunTickets(WorkerPool& pool, int32_t thread, uint64_t first, uint64_t end) {
    uint64_t ticket = pool.nextTicket.load(std::memory_order_relaxed);
    while (ticket < end) {
        if (!pool.nextTicket.compare_exchange_weak(ticket, ticket + 1, std::memory_order_relaxed)) {
            continue;
        }
        pool.run(pool.context, thread, static_cast<int32_t>(ticket - first));
        if (pool.doneTickets.fetch_add(1, std::memory_order_acq_rel) + 1 == end) {
            std::lock_guard<std::mutex> lock(pool.mutex);
            pool.finished.notify_one();
        }
        ticket = pool.nextTicket.load(std::memory_order_relaxed);
    }
}

void RunHelper(WorkerPool& pool, int32_t thread) {
    uint64_t seen = 0;
    bool poll = true;
    for (;;) {
        const auto waitStart = std::chrono::steady_clock::now();
        if (!(poll &&
              SpinUntil([&] { return pool.jobs.load(std::memory_order_acquire) != seen; }))) {
            std::unique_lock<std::mutex> lock(pool.mutex);
            pool.wake.wait(lock, [&] {
                return pool.stopping || pool.jobs.load(std::memory_order_acquire) != seen;
            });
        }
        poll = std::chrono::steady_clock::now() - waitStart < LongWait;
        uint64_t first, end;
        {
            std::lock_guard<std::mutex> lock(pool.mutex);
            if (pool.stopping) {
                return;
            }
            seen = pool.jobs.load(std::memory_order_relaxed);
            first = pool.firstTicket;
            end = pool.endTicket;
        }
        RunTickets(pool, thread, first, end);
    }
}

} // namespace

WorkerPool* StartWorkerPool(int32_t helperCount, PoolTask run, void* context) {
    auto* pool = new WorkerPool;
    pool->run = run;
    pool->context = context;
    pool->helpers.reserve(static_cast<size_t>(helperCount));
    for (int32_t i = 1; i <= helperCount; ++i) {
        pool->helpers.emplace_back(RunHelper, std::ref(*pool), i);
    }
    return pool;
}

void RunPoolTasks(WorkerPool& pool, int32_t taskCount) {
    uint64_t first, end;
    {
        std::lock_guard<std::mutex> lock(pool.mutex);
        first = pool.endTicket;
        end = first + static_cast<uint64_t>(taskCount);
        pool.firstTicket = first;
        pool.endTicket = end;
        pool.jobs.fetch_add(1, std::memory_order_release);
    }
    pool.wake.notify_all();
    RunTickets(pool, 0, first, end);
    const auto done = [&] { return pool.doneTickets.load(std::memory_order_acquire) == end; };
    if (!SpinUntil(done)) {
        std::unique_lock<std::mutex> lock(pool.mutex);
        pool.finished.wait(lock, done);
    }
}

void StopWorkerPool(WorkerPool* pool) {
    {
        std::lock_guard<std::mutex> lock(pool->mutex);
        pool->stopping = true;
        pool->jobs.fetch_add(1, std::memory_order_release);
    }
    pool->wake.notify_all();
    for (std::thread& helper : pool->helpers) {
        helper.join();
    }
    delete pool;
}
