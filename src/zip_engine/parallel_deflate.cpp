#include "zip_engine/parallel_deflate.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// zlib then takes its input through const pointers.
#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <cstring>
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
// zlib's deflate state with a 32 KiB window at memory level 8 (about 256 KiB), with slack;
// the table of the scan for repeats (256 KiB) is freed before deflate starts.
constexpr qint64 WorkerStateSize = 320 * 1024;
constexpr int Stopped = Z_VERSION_ERROR - 100;

// Each block is judged in slices of this size (its last slice takes the remainder); a slice
// that deflate could not shrink is written as stored blocks without running deflate on it.
constexpr qint64 ProbeSliceSize = 65536;
// Bits per byte above which Huffman coding of single bytes saves under 2%.
constexpr double StoredEntropyBits = 7.84;
// A slice of which 1 byte in this many repeats earlier data is left to deflate.
constexpr qint64 RepeatShareDivisor = 100;
// Deflate's matches: 4 bytes and longer are sought (3-byte ones save next to nothing),
// at most 258 bytes long and as far back as zlib looks with a 32 KiB window.
constexpr int MinRepeat = 4;
constexpr qint64 MaxRepeat = 258;
constexpr qint64 MaxRepeatDistance = DictionarySize - 262;
constexpr int RepeatHashBits = 15;
// The most a stored deflate block holds, and its header: the final-block bit with type 00
// padded to a byte, then LEN and its complement NLEN, both little-endian.
constexpr qint64 MaxStoredBlock = 65535;
constexpr qint64 StoredHeaderSize = 5;
// Input fed at a time while deflate is carried on until zlib has judged text or binary.
constexpr qint64 JudgeStep = 4096;

// One block of one file on its way from the reader through the pool to the sink.
struct DeflateJob {
    int file = 0;
    // The 32 KiB of the file just before the block (none for a file's first), then the block.
    QByteArray input;
    qint64 primeSize = 0; // bytes of input that precede the block
    bool last = false;    // the file's last block: ends the stream instead of a flush
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

// Gives zlib more room when the output buffer is (nearly) full; rare, as the buffer starts
// at deflateBound. A flush is given more than six bytes so that zlib never has to repeat
// its flush marker.
void ensureRoom(z_stream& zs, QByteArray& output) {
    if (zs.avail_out > 6)
        return;
    const qint64 used = zs.next_out - bytes(output);
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

// A stretch of a block that is either deflated or stored as it is; offsets into the input.
struct Segment {
    qint64 begin = 0;
    qint64 end = 0;
    bool stored = false;
};

// How a block is cut into slices to be judged; the last slice takes the remainder, so that
// no slice is too short for its byte statistics to mean something.
struct SliceGrid {
    SliceGrid(qint64 blockBegin, qint64 blockEnd)
        : begin(blockBegin), end(blockEnd),
          count(std::max<qint64>(1, (blockEnd - blockBegin) / ProbeSliceSize)) {}
    qint64 sliceBegin(qint64 i) const { return begin + i * ProbeSliceSize; }
    qint64 sliceEnd(qint64 i) const { return i + 1 == count ? end : sliceBegin(i + 1); }
    qint64 sliceOf(qint64 position) const {
        return std::min(count - 1, (position - begin) / ProbeSliceSize);
    }

    qint64 begin;
    qint64 end;
    qint64 count;
};

// Order-0 entropy of the bytes, in bits per byte: what Huffman coding of single bytes,
// deflate's literals, could get down to.
double entropyOf(const uchar* data, qint64 size) {
    std::array<qint64, 256> counts{};
    for (qint64 i = 0; i < size; ++i)
        ++counts[data[i]];
    double bits = 0;
    for (qint64 count : counts) {
        if (count == 0)
            continue;
        const double p = double(count) / double(size);
        bits -= p * std::log2(p);
    }
    return bits;
}

quint32 read32(const uchar* data) {
    quint32 value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

quint32 repeatHash(quint32 fourBytes) {
    return (fourBytes * 2654435761u) >> (32 - RepeatHashBits);
}

qint64 repeatLength(const uchar* data, qint64 earlier, qint64 position, qint64 size) {
    const qint64 limit = std::min(MaxRepeat, size - position);
    qint64 length = MinRepeat;
    while (length < limit && data[earlier + length] == data[position + length])
        ++length;
    return length;
}

// The last place a 4-byte hash was seen, with the bytes themselves: comparing with these
// rather than reading the earlier place again makes the scan several times faster.
struct SeenBytes {
    quint32 place = 0; // a position + 1; 0 for none
    quint32 bytes = 0;
};

// Bytes of each slice that repeat data at most deflate's distance back, found greedily by
// a fast matcher that remembers the last place of every 4-byte hash: a rough but cheap
// measure of what deflate's matches could save. The 32 KiB before the block count as
// earlier data, as they do for deflate.
std::vector<qint64> repeatedBytes(const DeflateJob& job, const SliceGrid& grid) {
    const auto* data = reinterpret_cast<const uchar*>(job.input.constData());
    const qint64 size = job.input.size();
    std::vector<SeenBytes> seen(size_t(1) << RepeatHashBits);
    for (qint64 p = 0; p < grid.begin && p + MinRepeat <= size; ++p)
        seen[repeatHash(read32(data + p))] = SeenBytes{quint32(p + 1), read32(data + p)};
    std::vector<qint64> repeated(size_t(grid.count), 0);
    for (qint64 p = grid.begin; p + MinRepeat <= size;) {
        const quint32 fourBytes = read32(data + p);
        SeenBytes& slot = seen[repeatHash(fourBytes)];
        const qint64 earlier = qint64(slot.place) - 1;
        const bool match =
            earlier >= 0 && slot.bytes == fourBytes && p - earlier <= MaxRepeatDistance;
        slot = SeenBytes{quint32(p + 1), fourBytes};
        const qint64 length = match ? repeatLength(data, earlier, p, size) : 1;
        if (match)
            repeated[size_t(grid.sliceOf(p))] += length;
        p += length;
    }
    return repeated;
}

// Which slices deflate could not shrink meaningfully: single bytes as good as random
// (Huffman coding would save under 2%) and hardly any repeats. A file's first slice is
// always deflated, since zlib's text-or-binary verdict on it is what the entry records.
std::vector<bool> storableSlices(const DeflateJob& job, const SliceGrid& grid) {
    const auto* data = reinterpret_cast<const uchar*>(job.input.constData());
    std::vector<bool> stored(size_t(grid.count), false);
    bool any = false;
    for (qint64 i = job.primeSize == 0 ? 1 : 0; i < grid.count; ++i) {
        const qint64 begin = grid.sliceBegin(i);
        stored[size_t(i)] = entropyOf(data + begin, grid.sliceEnd(i) - begin) > StoredEntropyBits;
        any = any || stored[size_t(i)];
    }
    // Repeats are looked for only where the byte statistics leave the question open.
    if (!any)
        return stored;
    const std::vector<qint64> repeated = repeatedBytes(job, grid);
    for (qint64 i = 0; i < grid.count; ++i) {
        const qint64 length = grid.sliceEnd(i) - grid.sliceBegin(i);
        if (repeated[size_t(i)] * RepeatShareDivisor >= length)
            stored[size_t(i)] = false;
    }
    return stored;
}

// Cuts the block into stretches to deflate and stretches to store, each as long as the run
// of slices judged alike. The plan depends on the data only, so the output does too.
std::vector<Segment> planSegments(const DeflateJob& job, int level) {
    const SliceGrid grid(job.primeSize, job.input.size());
    // At level 0 zlib stores everything itself; a level zlib refuses is left for it to report.
    const bool deflating = level == Z_DEFAULT_COMPRESSION || (level >= 1 && level <= 9);
    if (!deflating)
        return {Segment{grid.begin, grid.end, false}};
    const std::vector<bool> stored = storableSlices(job, grid);
    std::vector<Segment> segments;
    for (qint64 i = 0; i < grid.count; ++i) {
        if (!segments.empty() && segments.back().stored == stored[size_t(i)])
            segments.back().end = grid.sliceEnd(i);
        else
            segments.push_back(Segment{grid.sliceBegin(i), grid.sliceEnd(i), stored[size_t(i)]});
    }
    return segments;
}

// Room for the whole block's output: zlib's bound for deflated stretches, every header for
// stored ones.
qint64 outputBound(const std::vector<Segment>& segments) {
    qint64 bound = 0;
    for (const Segment& s : segments) {
        const qint64 size = s.end - s.begin;
        bound += s.stored ? size + (size / MaxStoredBlock + 1) * StoredHeaderSize
                          : qint64(compressBound(uLong(size))) + 16;
    }
    return bound;
}

// Appends the bytes as stored deflate blocks, the last of them ending the stream when
// Final. The output is on a byte boundary here: whatever came before ended with a sync
// flush or was stored itself.
void appendStored(QByteArray& output, const char* data, qint64 size, bool final) {
    for (qint64 done = 0; done < size;) {
        const qint64 length = std::min(MaxStoredBlock, size - done);
        const bool finalBlock = final && done + length == size;
        const char header[StoredHeaderSize] = {char(finalBlock ? 1 : 0), char(length & 0xff),
                                               char(length >> 8), char(~length & 0xff),
                                               char((~length >> 8) & 0xff)};
        output.append(header, StoredHeaderSize);
        output.append(data + done, length);
        done += length;
    }
}

// Feeds input bytes to deflate slice by slice, after what the output already holds, the
// last slice with LastFlush.
int feedRange(z_stream& zs, DeflateJob& job, qint64 begin, qint64 end, int lastFlush,
              const std::atomic<bool>& stop) {
    qint64 offset = begin;
    do {
        if (stop.load(std::memory_order_relaxed))
            return Stopped;
        const qint64 slice = std::min(SliceSize, end - offset);
        zs.next_in = constBytes(job.input) + offset;
        zs.avail_in = uInt(slice);
        offset += slice;
        const int code = deflateSlice(zs, job.output, offset == end ? lastFlush : Z_NO_FLUSH);
        if (code != Z_OK)
            return code;
    } while (offset < end);
    return Z_OK;
}

// zlib judges text or binary on its first internal block, which may reach past the file's
// first stretch. The verdict must be the one zlib gives the whole file (the window's
// entries get that one), so deflate carries on into the stored stretch that follows until
// zlib has judged; the stored stretch starts that much later. As such data yields about a
// symbol per byte, that takes some 16 KiB at most.
int feedUntilJudged(z_stream& zs, DeflateJob& job, Segment& next, const std::atomic<bool>& stop) {
    int code = Z_OK;
    while (code == Z_OK && zs.data_type == Z_UNKNOWN && next.begin < next.end) {
        const qint64 end = std::min(next.end, next.begin + JudgeStep);
        code = feedRange(zs, job, next.begin, end, Z_NO_FLUSH, stop);
        next.begin = end;
    }
    return code;
}

// True when nothing but empty stretches follows stretch I of the file's last block.
bool endsStream(const DeflateJob& job, const std::vector<Segment>& segments, size_t i) {
    return job.last && std::all_of(segments.begin() + qsizetype(i) + 1, segments.end(),
                                   [](const Segment& s) { return s.begin == s.end; });
}

// How deflate ends stretch I: the end of the stream, or a sync flush, which closes the bits
// on a byte boundary after an empty stored block, so that whatever comes next can follow.
int streamFlush(const DeflateJob& job, const std::vector<Segment>& segments, size_t i) {
    return endsStream(job, segments, i) ? Z_FINISH : Z_SYNC_FLUSH;
}

// A fresh deflate state primed with the 32 KiB before the stretch, writing after what the
// output holds. Fresh, because a reused state keeps stale window bytes that can sway match
// choices, and the output must not depend on which worker took the block.
int startDeflate(z_stream& zs, DeflateJob& job, const Segment& segment, int level) {
    int code = deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    const qint64 prime = std::min(DictionarySize, segment.begin);
    if (code == Z_OK && prime > 0)
        code =
            deflateSetDictionary(&zs, constBytes(job.input) + segment.begin - prime, uInt(prime));
    const qint64 used = job.output.size();
    job.output.resize(used + qint64(deflateBound(&zs, uLong(segment.end - segment.begin))) + 16);
    zs.next_out = bytes(job.output) + used;
    zs.avail_out = uInt(job.output.size() - used);
    return code;
}

// Feeds stretch I to deflate and ends it. The file's first stretch, when a stored one
// follows, is fed without a flush so that deflate can carry on until zlib has judged.
int feedSegment(z_stream& zs, DeflateJob& job, std::vector<Segment>& segments, size_t i,
                const std::atomic<bool>& stop) {
    const Segment& segment = segments[i];
    const bool judging = segment.begin == 0 && i + 1 < segments.size();
    if (!judging)
        return feedRange(zs, job, segment.begin, segment.end, streamFlush(job, segments, i), stop);
    int code = feedRange(zs, job, segment.begin, segment.end, Z_NO_FLUSH, stop);
    if (code == Z_OK)
        code = feedUntilJudged(zs, job, segments[i + 1], stop);
    const qint64 end = segments[i + 1].begin;
    return code == Z_OK ? feedRange(zs, job, end, end, streamFlush(job, segments, i), stop) : code;
}

// Deflates stretch I after what the output holds.
int deflateSegment(DeflateJob& job, std::vector<Segment>& segments, size_t i, int level,
                   const std::atomic<bool>& stop) {
    z_stream zs{};
    int code = startDeflate(zs, job, segments[i], level);
    if (code == Z_OK)
        code = feedSegment(zs, job, segments, i, stop);
    job.output.resize(zs.next_out - bytes(job.output));
    if (job.dataType == Z_UNKNOWN)
        job.dataType = zs.data_type;
    if (code != Z_OK)
        job.zlibMessage = zlibText(code, zs.msg);
    deflateEnd(&zs);
    return code;
}

int emitSegment(DeflateJob& job, std::vector<Segment>& segments, size_t i, int level,
                const std::atomic<bool>& stop) {
    const Segment& segment = segments[i];
    if (!segment.stored)
        return deflateSegment(job, segments, i, level, stop);
    if (stop.load(std::memory_order_relaxed)) {
        job.zlibMessage = zlibText(Stopped, nullptr);
        return Stopped;
    }
    appendStored(job.output, job.input.constData() + segment.begin, segment.end - segment.begin,
                 endsStream(job, segments, i));
    return Z_OK;
}

// Compresses one job into its piece of the file's stream and computes the block's CRC.
// Stretches that deflate could not shrink (already-compressed media) are stored without
// running deflate over them; the rest is deflated as before.
void compressJob(DeflateJob& job, int level, const std::atomic<bool>& stop) {
    const qint64 begin = job.primeSize;
    job.inputSize = job.input.size() - begin;
    job.crc = quint32(crc32_z(0, constBytes(job.input) + begin, size_t(job.inputSize)));
    std::vector<Segment> segments = planSegments(job, level);
    job.output.reserve(outputBound(segments));
    for (size_t i = 0; i < segments.size() && job.zlibCode == Z_OK; ++i)
        job.zlibCode = emitSegment(job, segments, i, level, stop);
    // The input is no longer needed; releasing it now keeps finished blocks small.
    job.input = QByteArray();
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

// What a path that is not a regular file turned out to be, for the error message.
QString notRegularText(mode_t mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode))
        return QStringLiteral("it is a named pipe (FIFO), not a file");
    if (S_ISSOCK(mode))
        return QStringLiteral("it is a socket, not a file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("it is a device, not a file");
    return QStringLiteral("it is not a regular file");
}

// Closes the descriptor and says why the file was refused; -1 for the caller to return.
int refuseFile(int fd, QString& why, const QString& reason) {
    why = reason;
    ::close(fd);
    return -1;
}

// Opens the file for reading without waiting and keeps it only when it is a regular file;
// -1 with the reason otherwise. A blocking open of a FIFO that took a file's place after
// the walk would wait for a writer for good, and no signal would end the wait.
int openRegularFile(const QString& path, QString& why) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = qt_error_string(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return refuseFile(fd, why, qt_error_string(errno));
    if (!S_ISREG(info.st_mode))
        return refuseFile(fd, why, notRegularText(info.st_mode));
    // From here reads may wait, as they should on a slow disk.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return refuseFile(fd, why, qt_error_string(errno));
    return fd;
}

// Reads the files one after another, front to back, in blocks of a fixed size. One block
// is read ahead so that a file's last block is known as such when it is handed out. Each
// block after a file's first comes with the 32 KiB before it, read into the same buffer.
class BlockReader {
  public:
    BlockReader(const QStringList& files, qint64 blockSize)
        : m_files(files), m_blockSize(blockSize) {}
    ~BlockReader() { closeFile(); }
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // True when every file has been read, or reading stopped at a failure.
    bool atEnd() const { return m_failed || m_index >= m_files.size(); }
    // The next block in order; a job that is already done with readFailure set when the
    // file could not be opened or read (reading stops there).
    JobPtr next();

  private:
    bool openFile(DeflateJob& job);
    bool readAhead(DeflateJob& job);
    bool readBlock(DeflateJob& job);
    void closeFile();
    JobPtr failed(const JobPtr& job);

    const QStringList m_files;
    const qint64 m_blockSize;
    int m_index = 0;
    int m_fd = -1;
    QByteArray m_ahead;      // the next block, after the bytes that precede it
    qint64 m_aheadPrime = 0; // how many of m_ahead's bytes precede the block
    bool m_failed = false;
};

JobPtr BlockReader::next() {
    auto job = std::make_shared<DeflateJob>();
    job->file = m_index;
    if (m_fd < 0 && !openFile(*job))
        return failed(job);
    job->input = std::move(m_ahead);
    job->primeSize = m_aheadPrime;
    m_ahead = QByteArray();
    m_aheadPrime = 0;
    // Only a full block can have more data behind it.
    if (job->input.size() - job->primeSize == m_blockSize && !readAhead(*job))
        return failed(job);
    job->last = m_ahead.size() == m_aheadPrime;
    if (job->last) {
        closeFile();
        m_ahead = QByteArray();
        m_aheadPrime = 0;
        ++m_index;
    }
    return job;
}

bool BlockReader::openFile(DeflateJob& job) {
    const QString& path = m_files.at(m_index);
    QString why;
    m_fd = openRegularFile(path, why);
    if (m_fd < 0) {
        job.readFailure = QStringLiteral("Cannot open \"%1\": %2").arg(path, why);
        return false;
    }
    return readBlock(job);
}

// Starts the next block with the end of this one, which deflate may refer back into.
bool BlockReader::readAhead(DeflateJob& job) {
    m_ahead.reserve(DictionarySize + m_blockSize);
    m_ahead.append(job.input.right(DictionarySize));
    m_aheadPrime = m_ahead.size();
    return readBlock(job);
}

// Fills a whole block after what m_ahead holds unless the file ends first, so that blocks
// are cut at the same offsets however the system splits the reads.
bool BlockReader::readBlock(DeflateJob& job) {
    const qint64 start = m_ahead.size();
    m_ahead.resize(start + m_blockSize);
    qint64 got = 0;
    while (got < m_blockSize) {
        const ssize_t n = ::read(m_fd, m_ahead.data() + start + got, size_t(m_blockSize - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const QString why = qt_error_string(errno);
            job.readFailure =
                QStringLiteral("Cannot read \"%1\": %2").arg(m_files.at(m_index), why);
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    m_ahead.resize(start + got);
    return true;
}

void BlockReader::closeFile() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

JobPtr BlockReader::failed(const JobPtr& job) {
    m_failed = true;
    closeFile();
    m_ahead = QByteArray();
    m_aheadPrime = 0;
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
