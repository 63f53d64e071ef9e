#include "os/background_sync.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// How often the file's size is looked at.
constexpr std::chrono::milliseconds PollInterval(10);

std::atomic<int> g_failFlushNumber{0};
std::atomic<int> g_flushes{0};

} // namespace

struct BackgroundSync::State {
    explicit State(int descriptor) : fd(::fcntl(descriptor, F_DUPFD_CLOEXEC, 0)) {}
    ~State() {
        if (fd >= 0)
            ::close(fd);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    void run();
    bool flushIfGrown(std::unique_lock<std::mutex>& lock, qint64& synced);
    void requestStop() {
        {
            std::lock_guard lock(mutex);
            stopping = true;
        }
        wake.notify_all();
    }

    const int fd; // the thread's own: the owner may close its descriptor at any time
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    int error = 0;
};

void BackgroundSync::State::run() {
    qint64 synced = 0;
    std::unique_lock lock(mutex);
    while (!wake.wait_for(lock, PollInterval, [this] { return stopping; })) {
        if (!flushIfGrown(lock, synced))
            return; // the file is damaged: flushing more of it helps nothing
    }
    // A test that fails a flush needs one made, however fast the file was written.
    if (g_failFlushNumber != 0)
        flushIfGrown(lock, synced);
}

// Flushes the file once it has grown by Step since the last flush; false once a flush failed,
// with its errno kept for the owner.
bool BackgroundSync::State::flushIfGrown(std::unique_lock<std::mutex>& lock, qint64& synced) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || qint64(status.st_size) - synced < Step)
        return true;
    synced = qint64(status.st_size);
    // The flush waits for the disk; the owner may meanwhile ask to stop.
    lock.unlock();
    const int failNumber = g_failFlushNumber;
    const bool injected = failNumber != 0 && ++g_flushes == failNumber;
    const bool flushed = !injected && ::fdatasync(fd) == 0;
    const int failure = injected ? EIO : errno;
    lock.lock();
    if (flushed)
        return true;
    error = failure;
    return false;
}

void BackgroundSync::SetTestFault(int failNumber) {
    g_flushes = 0;
    g_failFlushNumber = failNumber;
}

BackgroundSync::BackgroundSync(int descriptor) : m_state(std::make_shared<State>(descriptor)) {
    // Without its own descriptor or a thread the file is flushed once, when it is finished.
    if (m_state->fd < 0)
        return;
    try {
        m_thread = std::thread([state = m_state] { state->run(); });
    } catch (const std::system_error&) {
    }
}

BackgroundSync::~BackgroundSync() {
    // The file is abandoned: a failed flush of it concerns nobody any more.
    static_cast<void>(Stop());
}

int BackgroundSync::Stop() {
    m_state->requestStop();
    if (m_thread.joinable())
        m_thread.join();
    std::lock_guard lock(m_state->mutex);
    return m_state->error;
}
