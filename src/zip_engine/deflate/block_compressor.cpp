#include "zip_engine/deflate/block_compressor.h"

#include "zip_engine/deflate/block_crc.h"
#include "zip_engine/deflate/block_plan.h"
#include "zip_engine/deflate/stream_memory.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace Deflate {

namespace {

// Input handed to zlib per call; a stop request is noticed between two slices.
constexpr qint64 SliceSize = 65536;
constexpr int Stopped = Z_VERSION_ERROR - 100;
// The most a stored deflate block holds, and its header: the final-block bit with type 00
// padded to a byte, then LEN and its complement NLEN, both little-endian.
constexpr qint64 MaxStoredBlock = 65535;
constexpr qint64 StoredHeaderSize = 5;
// Input fed at a time while deflate is carried on until zlib has judged text or binary.
constexpr qint64 JudgeStep = 4096;

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
    UseThreadMemory(zs);
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
// running deflate over them; the rest is deflated.
void compressJob(DeflateJob& job, int level, const std::atomic<bool>& stop) {
    const qint64 begin = job.primeSize;
    job.inputSize = job.input.size() - begin;
    job.crc = crc32Of(0, constBytes(job.input) + begin, job.inputSize);
    if (level == StoreAsIs) {
        // A stored entry holds the bytes themselves; nothing judges them text or binary.
        job.output = begin == 0 ? std::move(job.input) : job.input.mid(begin);
        job.input = QByteArray();
        return;
    }
    std::vector<Segment> segments = planSegments(job.input, job.primeSize, level);
    // The plan stores a file's start only where zlib would have called the file binary.
    if (begin == 0 && segments.front().stored)
        job.dataType = Z_BINARY;
    job.output.reserve(outputBound(segments));
    for (size_t i = 0; i < segments.size() && job.zlibCode == Z_OK; ++i)
        job.zlibCode = emitSegment(job, segments, i, level, stop);
    // The input is no longer needed; releasing it now keeps finished blocks small.
    job.input = QByteArray();
}

} // namespace

// Without letting an exception (an allocation failure) leave a worker thread.
void compressBlock(DeflateJob& job, int level, const std::atomic<bool>& stop) {
    try {
        compressJob(job, level, stop);
    } catch (const std::exception& e) {
        job.output = QByteArray();
        job.zlibCode = Z_MEM_ERROR;
        job.zlibMessage = QString::fromLocal8Bit(e.what());
    }
}

} // namespace Deflate
