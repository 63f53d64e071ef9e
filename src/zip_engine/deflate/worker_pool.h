#pragma once

#include "zip_engine/deflate/deflate_job.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace Deflate {

// A few jobs a worker compresses one after the other: small files travel in batches, so that
// each costs the hand-over between threads only once per batch.
using JobBatch = std::vector<JobPtr>;

// Worker threads that compress batches of jobs first come, first served. Threads start as
// batches arrive and are joined by Shutdown or the destructor.
class WorkerPool {
  public:
    WorkerPool(int threads, int level, const std::atomic<bool>& stop)
        : m_maxThreads(threads), m_level(level), m_stop(stop) {}
    ~WorkerPool() { shutdown(); }
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Queues a batch; false when no worker could be started, so the caller compresses it.
    bool submit(JobBatch batch);
    // Blocks until the job is done. One thread waits at a time: only the job it waits for
    // wakes it.
    void waitFor(const DeflateJob& job);
    // The same for at most Limit; true when the job is done.
    bool waitFor(const DeflateJob& job, std::chrono::milliseconds limit);
    // Drops the jobs no worker has started and joins every worker.
    void shutdown();

  private:
    void work();
    bool startWorker();

    const int m_maxThreads;
    const int m_level;
    const std::atomic<bool>& m_stop;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_finished;
    const DeflateJob* m_awaited = nullptr; // the job waitFor waits for, if any
    std::deque<JobBatch> m_queue;
    std::vector<std::thread> m_threads;
    bool m_closing = false;
};

} // namespace Deflate
