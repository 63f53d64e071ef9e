#include "zip_engine/parallel_deflate.h"

#include <QFile>

// zlib then takes its input through const pointers.
#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// Deflate looks back at most 32 KiB, so that much of the preceding input primes each block.
constexpr qint64 DictionarySize = 32768;
constexpr qint64 MinBlockSize = DictionarySize;
constexpr qint64 MaxBlockSize = qint64(4) << 20;
constexpr int MaxThreads = 64;
// Input handed to zlib per call; a stop request is noticed between two slices.
constexpr qint64 SliceSize = 65536;
// zlib's deflate state with a 32 KiB window at memory level 8 (about 256 KiB), with slack.
constexpr qint64 WorkerStateSize = 320 * 1024;
constexpr int Stopped = Z_VERSION_ERROR - 100;

// One block of one file on its way from the reader through the pool to the sink.
struct DeflateJob {
    int file = 0;
    QByteArray input;
    QByteArray dictionary; // the input just before this block, empty for a file's first
    bool last = false;     // the file's last block: ends the stream instead of a flush
    // Written by whoever compresses the job, read by the caller once done is set.
    QByteArray output;
    quint32 crc = 0;
    qint64 inputSize = 0;
    int zlibCode = Z_OK;
    int dataType = Z_UNKNOWN; // zlib's text or binary verdict on the block
    QString zlibMessage;
    QString readFailure; // set by the reader when the file could not be opened or read
    bool done = false;
};

using JobPtr = std::shared_ptr<DeflateJob>;

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

Bytef* bytes(QByteArray& array) {
    return reinterpret_cast<Bytef*>(array.data());
}
const Bytef* constBytes(const QByteArray& array) {
    return reinterpret_cast<const Bytef*>(array.constData());
}

// zlib's text for a code; zError itself must not be given codes outside its table.
QString zlibText(int code, const char* message) {
    if (message)
        return QString::fromLatin1(message);
    if (code == Stopped)
        return QStringLiteral("stopped");
    return code >= Z_VERSION_ERROR && code <= Z_NEED_DICT ? QString::fromLatin1(zError(code))
                                                          : QStringLiteral("unknown error");
}

// Gives zlib more room when the output buffer is (nearly) full; rare, as it starts at
// deflateBound. A flush is given more than six bytes so that zlib never has to repeat
// its flush marker.
void ensureRoom(z_stream& zs, QByteArray& output) {
    if (zs.avail_out > 6)
        return;
    const qint64 used = qint64(zs.total_out);
    output.resize(output.size() * 2 + 64);
    zs.next_out = bytes(output) + used;
    zs.avail_out = uInt(output.size() - used);
}

// Runs deflate over the current input slice with Flush until zlib has taken all of it and,
// for a flush, written everything out.
int deflateSlice(z_stream& zs, QByteArray& output, int flush) {
    for (;;) {
        ensureRoom(zs, output);
        const int code = deflate(&zs, flush);
        if (code == Z_STREAM_END)
            return Z_OK;
        // Z_BUF_ERROR only says that zlib had nothing left to do for this slice.
        const bool noProgress = code == Z_BUF_ERROR && zs.avail_in == 0 && flush != Z_FINISH;
        if (code != Z_OK && !noProgress)
            return code;
        // Input taken and, for a flush, complete once zlib stops short of filling the buffer.
        if (zs.avail_in == 0 && flush != Z_FINISH && (zs.avail_out > 0 || noProgress))
            return Z_OK;
    }
}

// Feeds the block to deflate slice by slice; non-last blocks end with a sync flush, which
// closes the bits on a byte boundary after an empty stored block, so that the next block's
// output can simply follow.
int deflateBlock(z_stream& zs, DeflateJob& job, const std::atomic<bool>& stop) {
    const int finalFlush = job.last ? Z_FINISH : Z_SYNC_FLUSH;
    const qint64 size = job.input.size();
    job.output.resize(qint64(deflateBound(&zs, uLong(size))) + 16);
    zs.next_out = bytes(job.output);
    zs.avail_out = uInt(job.output.size());
    qint64 offset = 0;
    do {
        if (stop.load(std::memory_order_relaxed))
            return Stopped;
        const qint64 slice = std::min(SliceSize, size - offset);
        zs.next_in = constBytes(job.input) + offset;
        zs.avail_in = uInt(slice);
        offset += slice;
        const int code = deflateSlice(zs, job.output, offset == size ? finalFlush : Z_NO_FLUSH);
        if (code != Z_OK)
            return code;
    } while (offset < size);
    job.output.resize(qint64(zs.total_out));
    return Z_OK;
}

// Compresses one job into its piece of the file's stream and computes the block's CRC.
// Always starts from a fresh deflate state: a reused one keeps stale window bytes that can
// sway match choices at the block's end, and the output must not depend on which worker
// took the block.
void compressJob(DeflateJob& job, int level, const std::atomic<bool>& stop) {
    job.inputSize = job.input.size();
    job.crc = quint32(crc32_z(0, constBytes(job.input), size_t(job.inputSize)));
    z_stream zs{};
    int code = deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    if (code == Z_OK && !job.dictionary.isEmpty())
        code = deflateSetDictionary(&zs, constBytes(job.dictionary), uInt(job.dictionary.size()));
    if (code == Z_OK)
        code = deflateBlock(zs, job, stop);
    job.zlibCode = code;
    job.dataType = zs.data_type;
    job.zlibMessage = zlibText(code, zs.msg);
    deflateEnd(&zs);
    // The input is no longer needed; releasing it now keeps finished blocks small.
    job.input = QByteArray();
    job.dictionary = QByteArray();
}

// Compresses without letting an exception (an allocation failure) leave a worker thread.
void compressSafely(DeflateJob& job, int level, const std::atomic<bool>& stop) {
    try {
        compressJob(job, level, stop);
    } catch (const std::exception& e) {
        job.output = QByteArray();
        job.zlibCode = Z_MEM_ERROR;
        job.zlibMessage = QString::fromLocal8Bit(e.what());
    }
}

// Worker threads that compress jobs first come, first served. Threads start as jobs arrive
// and are joined by Shutdown or the destructor.
class WorkerPool {
  public:
    WorkerPool(int threads, int level, const std::atomic<bool>& stop)
        : m_maxThreads(threads), m_level(level), m_stop(stop) {}
    ~WorkerPool() { shutdown(); }
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // Queues a job; false when no worker could be started, so the caller compresses it.
    bool submit(const JobPtr& job);
    // Blocks until the job is done.
    void waitFor(const DeflateJob& job);
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
    std::deque<JobPtr> m_queue;
    std::vector<std::thread> m_threads;
    bool m_closing = false;
};

bool WorkerPool::submit(const JobPtr& job) {
    // One more worker per job until the pool is full: a short run starts few threads.
    if (int(m_threads.size()) < m_maxThreads && !startWorker() && m_threads.empty())
        return false;
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(job);
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
    m_finished.wait(lock, [&job] { return job.done; });
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
        JobPtr job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_closing || !m_queue.empty(); });
            if (m_closing)
                return;
            job = m_queue.front();
            m_queue.pop_front();
        }
        compressSafely(*job, m_level, m_stop);
        {
            std::lock_guard lock(m_mutex);
            job->done = true;
        }
        m_finished.notify_all();
    }
}

// Reads the files one after another, front to back, in blocks of a fixed size. One block
// is read ahead so that a file's last block is known as such when it is handed out.
class BlockReader {
  public:
    BlockReader(const QStringList& files, qint64 blockSize)
        : m_files(files), m_blockSize(blockSize) {}

    // True when every file has been read, or reading stopped at a failure.
    bool atEnd() const { return m_failed || m_index >= m_files.size(); }
    // The next block in order; a job that is already done with readFailure set when the
    // file could not be opened or read (reading stops there).
    JobPtr next();

  private:
    bool openFile(DeflateJob& job);
    bool readBlock(QByteArray& into, DeflateJob& job);
    JobPtr failed(const JobPtr& job);

    const QStringList m_files;
    const qint64 m_blockSize;
    int m_index = 0;
    QFile m_file;
    QByteArray m_ahead;
    QByteArray m_tail;
    bool m_failed = false;
};

JobPtr BlockReader::next() {
    auto job = std::make_shared<DeflateJob>();
    job->file = m_index;
    if (!m_file.isOpen() && !openFile(*job))
        return failed(job);
    job->dictionary = m_tail;
    job->input = std::move(m_ahead);
    m_ahead = QByteArray();
    // Only a full block can have more data behind it.
    if (job->input.size() == m_blockSize && !readBlock(m_ahead, *job))
        return failed(job);
    job->last = m_ahead.isEmpty();
    m_tail = job->input.right(DictionarySize);
    if (job->last) {
        m_file.close();
        m_tail = QByteArray();
        ++m_index;
    }
    return job;
}

bool BlockReader::openFile(DeflateJob& job) {
    m_file.setFileName(m_files.at(m_index));
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        job.readFailure =
            QStringLiteral("Cannot open \"%1\": %2").arg(m_file.fileName(), m_file.errorString());
        return false;
    }
    return readBlock(m_ahead, job);
}

// Fills a whole block unless the file ends first, so that blocks are cut at the same
// offsets however the system splits the reads.
bool BlockReader::readBlock(QByteArray& into, DeflateJob& job) {
    into.resize(m_blockSize);
    qint64 got = 0;
    while (got < m_blockSize) {
        const qint64 n = m_file.read(into.data() + got, m_blockSize - got);
        if (n < 0) {
            job.readFailure = QStringLiteral("Cannot read \"%1\": %2")
                                  .arg(m_file.fileName(), m_file.errorString());
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    into.resize(got);
    return true;
}

JobPtr BlockReader::failed(const JobPtr& job) {
    m_failed = true;
    m_file.close();
    m_ahead = QByteArray();
    job->input = QByteArray();
    job->done = true;
    return job;
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
            compressSafely(*job, m_settings.Level, m_stop);
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
        return true;
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
    return m_canceled || !m_error.isEmpty();
}

bool ParallelDeflate::CompressFile(const QString& SourceFile, const DeflateSink& Sink) {
    return Run(QStringList{SourceFile}, Sink);
}
