#include "platform/background_sync.h"

#include <cerrno>
#include <chrono>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// How often the file's size is looked at.
constexpr std::chrono::milliseconds PollInterval(10);

} // namespace

BackgroundSync::BackgroundSync(int Descriptor) : m_fd(Descriptor) {
    try {
        m_thread = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // Without a thread the file is flushed once, when it is finished, as it always was.
    }
}

BackgroundSync::~BackgroundSync() {
    Stop();
}

int BackgroundSync::Stop() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    return m_error;
}

void BackgroundSync::run() {
    qint64 synced = 0;
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, PollInterval, [this] { return m_stopping; })) {
        struct stat status {};
        if (::fstat(m_fd, &status) != 0 || qint64(status.st_size) - synced < Step)
            continue;
        synced = qint64(status.st_size);
        // The flush waits for the disk; the owner may meanwhile ask to stop.
        lock.unlock();
        const bool flushed = ::fdatasync(m_fd) == 0;
        const int error = errno;
        lock.lock();
        if (!flushed) {
            m_error = error;
            return; // the file is damaged: flushing more of it helps nothing
        }
    }
}
