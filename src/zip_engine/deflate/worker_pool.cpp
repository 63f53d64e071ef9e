#include "zip_engine/deflate/worker_pool.h"

#include "zip_engine/deflate/block_compressor.h"

#include <system_error>

namespace Deflate {

bool WorkerPool::submit(JobBatch batch) {
    // One more worker per batch until the pool is full: a short run starts few threads.
    if (int(m_threads.size()) < m_maxThreads && !startWorker() && m_threads.empty())
        return false;
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(batch));
    }
    m_wake.notify_one();
    return true;
}

bool WorkerPool::startWorker() {
    try {
        m_threads.emplace_back([this] { work(); });
        return true;
    } catch (const std::system_error&) {
        return false; // the system refused a thread; the ones running carry on
    }
}

void WorkerPool::waitFor(const DeflateJob& job) {
    std::unique_lock lock(m_mutex);
    m_awaited = &job;
    m_finished.wait(lock, [&job] { return job.done; });
    m_awaited = nullptr;
}

bool WorkerPool::waitFor(const DeflateJob& job, std::chrono::milliseconds limit) {
    std::unique_lock lock(m_mutex);
    m_awaited = &job;
    const bool done = m_finished.wait_for(lock, limit, [&job] { return job.done; });
    m_awaited = nullptr;
    return done;
}

void WorkerPool::shutdown() {
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    for (auto& thread : m_threads)
        thread.join();
    m_threads.clear();
}

void WorkerPool::work() {
    for (;;) {
        JobBatch batch;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_closing || !m_queue.empty(); });
            if (m_closing)
                return;
            batch = std::move(m_queue.front());
            m_queue.pop_front();
        }
        for (const JobPtr& job : batch) {
            compressBlock(*job, m_level, m_stop);
            bool awaited = false;
            {
                std::lock_guard lock(m_mutex);
                job->done = true;
                awaited = m_awaited == job.get();
            }
            // Only the job being waited for wakes the caller: a batch of small files would
            // otherwise wake it once per file to find that its job is not yet done.
            if (awaited)
                m_finished.notify_all();
        }
    }
}

} // namespace Deflate
