#include "zip_engine/parallel_deflate.h"

#include "zip_engine/deflate/block_compressor.h"
#include "zip_engine/deflate/block_reader.h"
#include "zip_engine/deflate/worker_pool.h"

#include "os/process_setup.h"

#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <deque>
#include <exception>

namespace {

using namespace Deflate;

constexpr qint64 MinBlockSize = DictionarySize;
constexpr qint64 MaxBlockSize = qint64(4) << 20;
constexpr int MaxThreads = 64;
// zlib's deflate state with a 32 KiB window at memory level 8 (about 256 KiB), with slack;
// the table of the scan for repeats (256 KiB) is freed before deflate starts.
constexpr qint64 WorkerStateSize = 320 * 1024;
// Whole files up to this size travel to the workers in batches: a small file takes a few
// microseconds to compress, less than its hand-over to another thread would cost.
constexpr qint64 SmallFileSize = 128 * 1024;
// A batch is closed at this many files, or before its input would pass a quarter block;
// four batches then take the room of one block in the pipeline.
constexpr int BatchFiles = 32;
constexpr int BlockShares = 4;
// How long the oldest block is waited for before files found meanwhile are read.
constexpr std::chrono::milliseconds LookAgainAfter{1};

DeflateSettings normalised(DeflateSettings s) {
    // One worker per core the process may run on: pinned to fewer cores than the machine
    // has, more workers would only take turns.
    if (s.Threads <= 0)
        s.Threads = ProcessSetup::UsableCores();
    s.Threads = std::min(s.Threads, MaxThreads);
    s.BlockSize = std::clamp(s.BlockSize, MinBlockSize, MaxBlockSize);
    // A block in flight holds its input and its output; one more block is read ahead.
    const qint64 perBlock = 2 * s.BlockSize + DictionarySize + WorkerStateSize;
    const int fit =
        int(std::max<qint64>(1, (ParallelDeflate::MemoryBudget - s.BlockSize) / perBlock));
    const int wanted = s.MaxBlocksInFlight > 0 ? s.MaxBlocksInFlight : 2 * s.Threads + 1;
    s.MaxBlocksInFlight = std::clamp(wanted, 1, fit);
    // More workers than blocks in flight would only sit idle.
    s.Threads = std::min(s.Threads, s.MaxBlocksInFlight);
    return s;
}

// What one run ended with.
struct RunOutcome {
    bool canceled = false;
    QString error;
    bool compressionFailed = false; // zlib or the run itself failed, not a read
    int failedFile = -1;
    int peakBlocksInFlight = 0;
};

// One run over a list of files: reads and submits blocks up to the limit, then delivers
// the oldest block when it is done, and so on, all on the caller's thread.
class DeflateRun {
  public:
    DeflateRun(DeflateSources& sources, const DeflateSettings& settings, const DeflateSink& sink)
        : m_settings(settings), m_sink(sink), m_level(settings.Store ? StoreAsIs : settings.Level),
          m_reader(sources, settings.BlockSize), m_pool(settings.Threads, m_level, m_stop) {}

    // Makes workers drop their block at the next slice should an exception end the run.
    ~DeflateRun() { m_stop = true; }
    DeflateRun(const DeflateRun&) = delete;
    DeflateRun& operator=(const DeflateRun&) = delete;

    RunOutcome run();

  private:
    void fillPipeline();
    void addSlot(int jobs, int shares);
    bool hasRoom() const;
    bool canRead();
    void take(const JobPtr& job);
    void closeBatch();
    void compressHere(const JobBatch& batch);
    bool isSmall(const DeflateJob& job) const;
    bool deliverOldest();
    bool deliver(DeflateJob& job);
    bool fail(int file, const QString& error);

    const DeflateSettings m_settings;
    const DeflateSink& m_sink;
    const int m_level; // zlib's level, or StoreAsIs
    std::atomic<bool> m_stop{false};
    BlockReader m_reader;
    WorkerPool m_pool;
    std::deque<JobPtr> m_inFlight; // every job read and not yet delivered, in order
    // A place in the pipeline: a large file's block or a closed batch of small files.
    struct Slot {
        int jobs = 0;   // its jobs not yet delivered
        int shares = 0; // its share of the pipeline's room
    };
    std::deque<Slot> m_slots; // oldest first
    int m_shares = 0;         // the slots' shares

    JobBatch m_batch; // the newest small files, not yet handed over
    qint64 m_batchBytes = 0;
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
        // With nothing read to deliver, wait for the next file to be found, or the end.
        if (m_inFlight.empty()) {
            if (m_reader.nextBlock(true) != DeflateSources::State::Known)
                break;
            continue;
        }
        if (!deliverOldest())
            break;
    }
    // Stop the workers at their next slice and wait for them, on success, failure or cancel.
    m_stop = true;
    m_pool.shutdown();
    return m_outcome;
}

// Reads while the pipeline has room and the next file is known. Large files' blocks go to
// the workers one by one; small files are gathered into batches, of which four take the room
// of one block once closed: many batches in flight keep every worker busy while the oldest
// is still compressed.
void DeflateRun::fillPipeline() {
    while (canRead()) {
        const JobPtr job = m_reader.next();
        m_inFlight.push_back(job);
        take(job);
        const int held = m_shares + (m_batch.empty() ? 0 : 1);
        m_outcome.peakBlocksInFlight =
            std::max(m_outcome.peakBlocksInFlight, (held + BlockShares - 1) / BlockShares);
    }
}

void DeflateRun::addSlot(int jobs, int shares) {
    m_slots.push_back(Slot{jobs, shares});
    m_shares += shares;
}

// A batch being gathered holds its share in reserve: whatever the next job turns out to be,
// it and the batch fit the limit.
bool DeflateRun::hasRoom() const {
    const int reserved = m_batch.empty() ? 0 : 1;
    return m_shares + reserved + BlockShares <= m_settings.MaxBlocksInFlight * BlockShares;
}

bool DeflateRun::canRead() {
    return hasRoom() && m_reader.nextBlock() == DeflateSources::State::Known;
}

void DeflateRun::take(const JobPtr& job) {
    if (!job->done && isSmall(*job)) {
        const qint64 batchLimit = m_settings.BlockSize / BlockShares;
        if (m_batchBytes + job->input.size() > batchLimit)
            closeBatch();
        m_batch.push_back(job);
        m_batchBytes += job->input.size();
        if (int(m_batch.size()) >= BatchFiles || m_batchBytes == batchLimit)
            closeBatch();
        return;
    }
    closeBatch();
    addSlot(1, BlockShares);
    if (job->done)
        return;
    // The run's final block with nothing else pending: a round trip to a worker would
    // only add a wait, so it is compressed here.
    const bool alone = m_inFlight.size() == 1 && m_reader.atEnd();
    const JobBatch single(1, job);
    if (alone || !m_pool.submit(single))
        compressHere(single);
}

// Hands the gathered small files to a worker as one batch.
void DeflateRun::closeBatch() {
    if (m_batch.empty())
        return;
    addSlot(int(m_batch.size()), 1);
    JobBatch batch = std::move(m_batch);
    m_batch = JobBatch();
    m_batchBytes = 0;
    if (!m_pool.submit(batch))
        compressHere(batch);
}

void DeflateRun::compressHere(const JobBatch& batch) {
    for (const JobPtr& job : batch) {
        compressBlock(*job, m_level, m_stop);
        job->done = true;
    }
}

// A whole file that fits a block and is small enough to be compressed in a batch.
bool DeflateRun::isSmall(const DeflateJob& job) const {
    return job.last && job.primeSize == 0 &&
           job.input.size() <= std::min(SmallFileSize, m_settings.BlockSize / BlockShares);
}

bool DeflateRun::deliverOldest() {
    const JobPtr job = m_inFlight.front();
    // The oldest file is still in the batch being gathered: rather than wait, this thread
    // compresses the batch itself (a lone small file never starts a thread).
    if (!m_batch.empty() && m_batch.front() == job) {
        addSlot(int(m_batch.size()), 1);
        compressHere(m_batch);
        m_batch.clear();
        m_batchBytes = 0;
    }
    // One worker compresses a batch front to back: waiting for its last job rather than for
    // each in turn wakes this thread once per batch, not once per small file.
    const DeflateJob& awaited = *m_inFlight[size_t(m_slots.front().jobs - 1)];
    // While files are still being found and the pipeline has room, the wait is cut short
    // now and then to read what the walk found meanwhile: the oldest block may take long
    // (a large file), and the workers would run out of work.
    if (hasRoom() && m_reader.nextBlock() == DeflateSources::State::Pending) {
        if (!m_pool.waitFor(awaited, LookAgainAfter))
            return true;
    } else {
        m_pool.waitFor(awaited);
    }
    m_inFlight.pop_front();
    if (--m_slots.front().jobs == 0) {
        m_shares -= m_slots.front().shares;
        m_slots.pop_front();
    }
    if (!job->readFailure.isEmpty())
        return fail(job->file, job->readFailure);
    if (job->zlibCode != Z_OK) {
        //: %1 is a file, %2 zlib's error code, %3 zlib's own text.
        const QString error = QCoreApplication::translate(
                                  "ParallelDeflate", "Cannot compress \"%1\": zlib error %2 (%3)")
                                  .arg(job->path, QString::number(job->zlibCode), job->zlibMessage);
        m_outcome.compressionFailed = true;
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

// Why Run refused to start: it was running already, or it was given no sink.
QString refusalText(bool running) {
    //: An error that shows only when the program itself is at fault.
    const char* const alreadyRunning =
        QT_TRANSLATE_NOOP("ParallelDeflate", "Compression is already running");
    //: An error that shows only when the program itself is at fault.
    const char* const noSink =
        QT_TRANSLATE_NOOP("ParallelDeflate", "No receiver for the compressed data");
    return QCoreApplication::translate("ParallelDeflate", running ? alreadyRunning : noSink);
}

// A list known whole from the start.
class FixedSources : public DeflateSources {
  public:
    explicit FixedSources(const QStringList& files) : m_files(files) {}
    State At(int index, QString& path, bool) const override {
        if (index >= m_files.size())
            return State::Ended;
        path = m_files.at(index);
        return State::Known;
    }

  private:
    const QStringList& m_files;
};

} // namespace

ParallelDeflate::ParallelDeflate(const DeflateSettings& Settings)
    : m_settings(normalised(Settings)) {}

bool DeflateSources::TakeOpened(int, SourceReader&) {
    return false;
}

bool ParallelDeflate::Run(const QStringList& SourceFiles, const DeflateSink& Sink) {
    FixedSources sources(SourceFiles);
    return Run(sources, Sink);
}

bool ParallelDeflate::Run(DeflateSources& Sources, const DeflateSink& Sink) {
    m_canceled = false;
    m_error.clear();
    m_compressionFailed = false;
    m_failedFile = -1;
    m_peakBlocksInFlight = 0;
    if (m_running || !Sink) {
        m_error = refusalText(m_running);
        return false;
    }
    m_running = true;
    RunOutcome outcome;
    try {
        outcome = DeflateRun(Sources, m_settings, Sink).run();
    } catch (const std::exception& e) {
        // An allocation failure on this thread, or whatever the sink let escape.
        //: %1 is the system's reason, in English.
        outcome.compressionFailed = true;
        outcome.error = QCoreApplication::translate("ParallelDeflate", "Compression failed: %1")
                            .arg(QString::fromLocal8Bit(e.what()));
    }
    m_running = false;
    m_canceled = outcome.canceled;
    m_error = outcome.error;
    m_compressionFailed = outcome.compressionFailed;
    m_failedFile = outcome.failedFile;
    m_peakBlocksInFlight = outcome.peakBlocksInFlight;
    return !m_canceled && m_error.isEmpty();
}

bool ParallelDeflate::CompressFile(const QString& SourceFile, const DeflateSink& Sink) {
    return Run(QStringList{SourceFile}, Sink);
}
