#include "zip_engine/parallel_deflate.h"

#include "zip_engine/deflate/block_compressor.h"
#include "zip_engine/deflate/block_reader.h"
#include "zip_engine/deflate/worker_pool.h"

#include <algorithm>
#include <deque>
#include <exception>
#include <thread>

namespace {

using namespace Deflate;

constexpr qint64 MinBlockSize = DictionarySize;
constexpr qint64 MaxBlockSize = qint64(4) << 20;
constexpr int MaxThreads = 64;
// zlib's deflate state with a 32 KiB window at memory level 8 (about 256 KiB), with slack;
// the table of the scan for repeats (256 KiB) is freed before deflate starts.
constexpr qint64 WorkerStateSize = 320 * 1024;

DeflateSettings normalised(DeflateSettings s) {
    if (s.Threads <= 0)
        s.Threads = int(std::max(1u, std::thread::hardware_concurrency()));
    s.Threads = std::min(s.Threads, MaxThreads);
    s.BlockSize = std::clamp(s.BlockSize, MinBlockSize, MaxBlockSize);
    // A block in flight holds its input and its output; one more block is read ahead.
    const qint64 perBlock = 2 * s.BlockSize + DictionarySize + WorkerStateSize;
    const int fit =
        int(std::max<qint64>(1, (ParallelDeflate::MemoryBudget - s.BlockSize) / perBlock));
    const int wanted = s.MaxBlocksInFlight > 0 ? s.MaxBlocksInFlight : 2 * s.Threads + 2;
    s.MaxBlocksInFlight = std::clamp(wanted, 1, fit);
    // More workers than blocks in flight would only sit idle.
    s.Threads = std::min(s.Threads, s.MaxBlocksInFlight);
    return s;
}

// What one run ended with.
struct RunOutcome {
    bool canceled = false;
    QString error;
    int failedFile = -1;
    int peakBlocksInFlight = 0;
};

// One run over a list of files: reads and submits blocks up to the limit, then delivers
// the oldest block when it is done, and so on, all on the caller's thread.
class DeflateRun {
  public:
    DeflateRun(const QStringList& files, const DeflateSettings& settings, const DeflateSink& sink)
        : m_files(files), m_settings(settings), m_sink(sink), m_reader(files, settings.BlockSize),
          m_pool(settings.Threads, settings.Level, m_stop) {}

    // Makes workers drop their block at the next slice should an exception end the run.
    ~DeflateRun() { m_stop = true; }
    DeflateRun(const DeflateRun&) = delete;
    DeflateRun& operator=(const DeflateRun&) = delete;

    RunOutcome run();

  private:
    void fillPipeline();
    bool deliverOldest();
    bool deliver(DeflateJob& job);
    bool fail(int file, const QString& error);

    const QStringList& m_files;
    const DeflateSettings m_settings;
    const DeflateSink& m_sink;
    std::atomic<bool> m_stop{false};
    BlockReader m_reader;
    WorkerPool m_pool;
    std::deque<JobPtr> m_inFlight;
    RunOutcome m_outcome;
    int m_currentFile = -1;
    quint32 m_crc = 0;
    qint64 m_size = 0;
    qint64 m_compressedSize = 0;
    bool m_text = false;
};

RunOutcome DeflateRun::run() {
    for (;;) {
        fillPipeline();
        if (m_inFlight.empty() || !deliverOldest())
            break;
    }
    // Stop the workers at their next slice and wait for them, on success, failure or cancel.
    m_stop = true;
    m_pool.shutdown();
    return m_outcome;
}

void DeflateRun::fillPipeline() {
    while (int(m_inFlight.size()) < m_settings.MaxBlocksInFlight && !m_reader.atEnd()) {
        JobPtr job = m_reader.next();
        m_inFlight.push_back(job);
        m_outcome.peakBlocksInFlight =
            std::max(m_outcome.peakBlocksInFlight, int(m_inFlight.size()));
        if (job->done)
            continue;
        // The run's final block with nothing else pending: a round trip to a worker would
        // only add a wait, so it is compressed here (a lone small file never starts a thread).
        const bool alone = m_inFlight.size() == 1 && m_reader.atEnd();
        if (alone || !m_pool.submit(job)) {
            compressBlock(*job, m_settings.Level, m_stop);
            job->done = true;
        }
    }
}

bool DeflateRun::deliverOldest() {
    const JobPtr job = m_inFlight.front();
    m_pool.waitFor(*job);
    m_inFlight.pop_front();
    if (!job->readFailure.isEmpty())
        return fail(job->file, job->readFailure);
    if (job->zlibCode != Z_OK) {
        const QString error = QStringLiteral("Cannot compress \"%1\": zlib error %2 (%3)")
                                  .arg(m_files.at(job->file))
                                  .arg(job->zlibCode)
                                  .arg(job->zlibMessage);
        return fail(job->file, error);
    }
    return deliver(*job);
}

// Hands a finished block to the sink with the file's running totals.
bool DeflateRun::deliver(DeflateJob& job) {
    DeflatePiece piece;
    piece.File = job.file;
    piece.First = job.file != m_currentFile;
    if (piece.First) {
        m_currentFile = job.file;
        // zlib judges a stream once, on its first block, as it does when it deflates a
        // whole file in one go.
        m_text = job.dataType == Z_TEXT;
        m_crc = 0;
        m_size = 0;
        m_compressedSize = 0;
    }
    m_crc = quint32(crc32_combine(m_crc, job.crc, z_off_t(job.inputSize)));
    m_size += job.inputSize;
    m_compressedSize += job.output.size();
    piece.Last = job.last;
    piece.Crc = m_crc;
    piece.Size = m_size;
    piece.CompressedSize = m_compressedSize;
    piece.Text = m_text;
    piece.Data = std::move(job.output);
    if (m_sink(piece))
        return true;
    m_outcome.canceled = true;
    return false;
}

bool DeflateRun::fail(int file, const QString& error) {
    m_outcome.error = error;
    m_outcome.failedFile = file;
    return false;
}

} // namespace

ParallelDeflate::ParallelDeflate(const DeflateSettings& Settings)
    : m_settings(normalised(Settings)) {}

bool ParallelDeflate::Run(const QStringList& SourceFiles, const DeflateSink& Sink) {
    m_canceled = false;
    m_error.clear();
    m_failedFile = -1;
    m_peakBlocksInFlight = 0;
    if (m_running || !Sink) {
        m_error = m_running ? QStringLiteral("Compression is already running")
                            : QStringLiteral("No receiver for the compressed data");
        return false;
    }
    m_running = true;
    RunOutcome outcome;
    try {
        outcome = DeflateRun(SourceFiles, m_settings, Sink).run();
    } catch (const std::exception& e) {
        // An allocation failure on this thread, or whatever the sink let escape.
        outcome.error =
            QStringLiteral("Compression failed: %1").arg(QString::fromLocal8Bit(e.what()));
    }
    m_running = false;
    m_canceled = outcome.canceled;
    m_error = outcome.error;
    m_failedFile = outcome.failedFile;
    m_peakBlocksInFlight = outcome.peakBlocksInFlight;
    return !m_canceled && m_error.isEmpty();
}

bool ParallelDeflate::CompressFile(const QString& SourceFile, const DeflateSink& Sink) {
    return Run(QStringList{SourceFile}, Sink);
}
