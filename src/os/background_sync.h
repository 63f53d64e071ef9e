#pragma once

#include <QtGlobal>

#include <memory>
#include <thread>

// Flushes a file that is being written to disk bit by bit from a thread of its own, so that
// the flush that finishes it waits only for the last MiB or so. On some systems (virtual
// machines among them) a flush costs about as long as the data written since the previous
// one took to write; spread over the writing it costs the writer nothing.
class BackgroundSync {
  public:
    // Bytes added to the file between two flushes.
    static constexpr qint64 Step = qint64(1) << 20;

    // Makes the failNumber-th flush while writing (counted from this call, from 1) fail as
    // an I/O error would; 0 injects nothing. While a fault is set, a file is also looked at
    // once more as it is finished, so that a flush is made however fast it was written.
    // For tests only; the program never sets it.
    static void SetTestFault(int failNumber);

    // Starts watching the open file descriptor, through a descriptor of its own.
    explicit BackgroundSync(int descriptor);
    // Abandons the file: nothing more is flushed, and a flush in progress is waited for, so
    // that no thread of a run outlives it.
    ~BackgroundSync();
    BackgroundSync(const BackgroundSync&) = delete;
    BackgroundSync& operator=(const BackgroundSync&) = delete;

    // Waits for a flush in progress and ends the thread; returns the errno of the first
    // flush that failed, 0 when none did. Once the system has reported a failure to one
    // flush it may not report it again, so the owner must not take a later flush's success
    // for the file's.
    [[nodiscard]] int Stop();

  private:
    struct State;
    std::shared_ptr<State> m_state; // shared with the thread
    std::thread m_thread;
};
