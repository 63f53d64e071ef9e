#include "zip_engine/package_reader.h"

#include "os/source_reader.h"
#include "zip_engine/entry_fields.h"

#include <QFile>

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <numeric>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Kind = PackageProblem::Kind;

using namespace EntryFields;

constexpr qint64 MaxCommentTail = EndRecordSize + 0xFFFF;
// Each inflating thread reads and inflates in pieces of this size, whatever the entry's.
constexpr qint64 ChunkSize = 1024 * 1024;
constexpr int MaxThreads = 16;

quint64 le(const uchar* at, int size) {
    quint64 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | at[i];
    return value;
}

int threadCount(int asked, qsizetype jobs) {
    const int cores = asked > 0 ? asked : int(std::max(1U, std::thread::hardware_concurrency()));
    return int(std::clamp<qsizetype>(jobs, 1, std::min(cores, MaxThreads)));
}

// Runs work(i) for every i below count on up to threads threads, the calling one included.
template <typename Work> void runPool(qsizetype count, int threads, const Work& work) {
    std::atomic<qsizetype> next{0};
    const auto loop = [&] {
        for (qsizetype i = next++; i < count; i = next++)
            work(i);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(loop);
    loop();
    for (std::thread& thread : pool)
        thread.join();
}

// The package file, read by offset from any thread.
class PackageFile {
  public:
    ~PackageFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool open(const QString& path) {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        if (m_fd < 0 || ::fstat(m_fd, &info) != 0) {
            m_error = errno;
            return false;
        }
        if (!S_ISREG(info.st_mode)) {
            m_error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
            return false;
        }
        m_size = quint64(info.st_size);
        return true;
    }
    // Reads size bytes at offset; false (errno kept) on a read error or past the end.
    bool readAt(void* data, qint64 size, quint64 offset) {
        auto* bytes = static_cast<char*>(data);
        while (size > 0) {
            const ssize_t got = ::pread(m_fd, bytes, size_t(size), off_t(offset));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                m_error = got < 0 ? errno : 0;
                return false;
            }
            bytes += got;
            size -= got;
            offset += quint64(got);
        }
        return true;
    }
    quint64 size() const { return m_size; }
    int error() const { return m_error; }

  private:
    int m_fd = -1;
    quint64 m_size = 0;
    int m_error = 0;
};

// Where an entry's bytes were found to lie: its local header up to the end of its data (and
// data descriptor).
struct EntrySpan {
    quint64 begin = 0;
    quint64 end = 0;
    bool known = false;
};

class Verifier {
  public:
    Verifier(PackageVerdict& verdict, int threads) : m_verdict(verdict), m_threads(threads) {}
    void run(const QString& path);

  private:
    bool readEnd();
    bool readZip64End(quint64 locatorAt);
    bool readDirectory();
    bool parseCentral(const uchar* record, qint64 available, PackageEntry& entry, qint64& used);
    void checkEntry(qsizetype index, std::vector<uchar>& in, std::vector<uchar>& out,
                    z_stream& stream);
    bool checkLocal(qsizetype index, const uchar* header, qint64 available, quint64& dataAt,
                    bool& zip64);
    void inflateEntry(qsizetype index, quint64 dataAt, const uchar* first, qint64 firstSize,
                      std::vector<uchar>& in, std::vector<uchar>& out, z_stream& stream);
    bool checkDescriptor(qsizetype index, quint64 at, bool zip64, quint64& end);
    void checkLayout();
    void add(PackageProblem problem);
    void add(Kind what, qsizetype entry, quint64 at = 0, quint64 expected = 0, quint64 found = 0,
             const char* field = "") {
        add(PackageProblem{what, entry, at, expected, found, QByteArray(field)});
    }

    PackageVerdict& m_verdict;
    int m_threads;
    PackageFile m_file;
    std::mutex m_mutex;         // guards m_verdict.Problems while entries are checked
    quint64 m_endAt = 0;        // the end record
    quint64 m_directoryEnd = 0; // where the Zip64 end record or the end record starts
    quint64 m_directoryAt = 0;
    quint64 m_directorySize = 0;
    quint64 m_count = 0;
    std::vector<EntrySpan> m_spans;
    std::atomic<bool> m_outOfMemory{false};
};

void Verifier::add(PackageProblem problem) {
    const std::lock_guard lock(m_mutex);
    m_verdict.Problems << std::move(problem);
}

void Verifier::run(const QString& path) {
    if (!m_file.open(path)) {
        m_verdict.Outcome = PackageVerdict::Status::CannotOpen;
        m_verdict.ErrorNumber = m_file.error();
        return;
    }
    m_verdict.Outcome = PackageVerdict::Status::Read;
    if (!readEnd() || !readDirectory())
        return;
    m_spans.resize(size_t(m_verdict.Entries.size()));
    // Largest entries first, so that a big one does not start last and leave the other
    // threads idle.
    std::vector<qsizetype> order(size_t(m_verdict.Entries.size()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](qsizetype a, qsizetype b) {
        return m_verdict.Entries[a].CompressedSize > m_verdict.Entries[b].CompressedSize;
    });
    const int threads = threadCount(m_threads, qsizetype(order.size()));
    runPool(qsizetype(order.size()), threads, [&](qsizetype i) {
        // Each thread's own buffers and inflate state, kept from one entry to the next.
        thread_local std::unique_ptr<z_stream, void (*)(z_stream*)> stream(nullptr, nullptr);
        thread_local std::vector<uchar> in;
        thread_local std::vector<uchar> out;
        if (!stream) {
            auto* made = new z_stream{};
            if (inflateInit2(made, -MAX_WBITS) != Z_OK) {
                delete made;
                // An entry left unchecked must not pass for intact.
                m_outOfMemory = true;
                return;
            }
            stream = {made, [](z_stream* s) {
                          inflateEnd(s);
                          delete s;
                      }};
            in.resize(size_t(ChunkSize));
            out.resize(size_t(ChunkSize));
        }
        checkEntry(order[size_t(i)], in, out, *stream);
    });
    if (m_outOfMemory) {
        m_verdict.Outcome = PackageVerdict::Status::CannotOpen;
        m_verdict.ErrorNumber = ENOMEM;
        return;
    }
    checkLayout();
    // Problems in the order of the entries, the archive's own first.
    std::stable_sort(
        m_verdict.Problems.begin(), m_verdict.Problems.end(),
        [](const PackageProblem& a, const PackageProblem& b) { return a.Entry < b.Entry; });
}

// Finds the end record (and the Zip64 ones it points to) in the file's last bytes.
bool Verifier::readEnd() {
    const quint64 size = m_file.size();
    const qint64 tailSize = qint64(std::min<quint64>(size, MaxCommentTail + Zip64LocatorSize));
    std::vector<uchar> tail(static_cast<size_t>(tailSize));
    if (!m_file.readAt(tail.data(), tailSize, size - quint64(tailSize))) {
        m_verdict.Outcome = PackageVerdict::Status::CannotOpen;
        m_verdict.ErrorNumber = m_file.error();
        return false;
    }
    const quint64 tailAt = size - quint64(tailSize);
    for (qint64 at = tailSize - EndRecordSize; at >= 0; --at) {
        const uchar* record = tail.data() + at;
        if (le(record, 4) != EndRecordSignature)
            continue;
        const quint64 recordEnd = quint64(at + EndRecordSize) + le(record + 20, 2);
        if (recordEnd > quint64(tailSize))
            continue;
        m_endAt = tailAt + quint64(at);
        if (recordEnd < quint64(tailSize))
            add(Kind::DataAfter, -1, tailAt + recordEnd, 0, quint64(tailSize) - recordEnd);
        if (le(record + 4, 2) != 0 || le(record + 6, 2) != 0)
            add(Kind::BadEndRecord, -1, m_endAt);
        m_count = le(record + 10, 2);
        m_directorySize = le(record + 12, 4);
        m_directoryAt = le(record + 16, 4);
        m_directoryEnd = m_endAt;
        if (at >= Zip64LocatorSize && le(record - Zip64LocatorSize, 4) == Zip64LocatorSignature)
            return readZip64End(m_endAt - Zip64LocatorSize);
        if (m_count == Max16 || m_directorySize == Max32 || m_directoryAt == Max32) {
            add(Kind::BadEndRecord, -1, m_endAt);
            return false;
        }
        return true;
    }
    // A zip that lost its end is still recognised by the local header it starts with.
    uchar start[4] = {};
    if (size < 4 || !m_file.readAt(start, 4, 0) || le(start, 4) != LocalHeaderSignature) {
        m_verdict.Outcome = PackageVerdict::Status::NotZip;
        return false;
    }
    add(Kind::NoEndRecord, -1, size);
    return false;
}

bool Verifier::readZip64End(quint64 locatorAt) {
    uchar locator[Zip64LocatorSize];
    uchar record[Zip64EndSize];
    const bool read = m_file.readAt(locator, Zip64LocatorSize, locatorAt);
    const quint64 recordAt = le(locator + 8, 8);
    if (!read || recordAt + Zip64EndSize > locatorAt ||
        !m_file.readAt(record, Zip64EndSize, recordAt) || le(record, 4) != Zip64EndSignature) {
        add(Kind::BadEndRecord, -1, locatorAt);
        return false;
    }
    const quint64 recordEnd = recordAt + 12 + le(record + 4, 8);
    if (recordEnd != locatorAt)
        add(recordEnd < locatorAt ? Kind::DataBetween : Kind::BadEndRecord, -1, recordEnd, 0,
            locatorAt - std::min(recordEnd, locatorAt));
    const quint64 count = le(record + 32, 8);
    const quint64 directorySize = le(record + 40, 8);
    const quint64 directoryAt = le(record + 48, 8);
    // The plain end record keeps what fits; whatever it keeps must agree.
    const bool agrees = (m_count == Max16 || m_count == count) &&
                        (m_directorySize == Max32 || m_directorySize == directorySize) &&
                        (m_directoryAt == Max32 || m_directoryAt == directoryAt) &&
                        le(record + 24, 8) == count;
    if (!agrees)
        add(Kind::BadEndRecord, -1, recordAt);
    m_count = count;
    m_directorySize = directorySize;
    m_directoryAt = directoryAt;
    m_directoryEnd = recordAt;
    return true;
}

bool Verifier::readDirectory() {
    const quint64 end = m_directoryAt + m_directorySize;
    if (end < m_directoryAt || end > m_directoryEnd) {
        add(Kind::BadEndRecord, -1, m_directoryEnd);
        return false;
    }
    if (end < m_directoryEnd)
        add(Kind::DataBetween, -1, end, 0, m_directoryEnd - end);
    // Read in pieces: the directory of 65535 entries can be large, but one record is at most
    // 46 bytes and three fields of 64 KiB.
    constexpr qint64 Window = 1 << 20;
    std::vector<uchar> buffer(static_cast<size_t>(Window));
    qint64 held = 0;
    qint64 start = 0;
    quint64 readAt = m_directoryAt;
    m_verdict.Entries.reserve(qsizetype(std::min<quint64>(m_count, 1 << 20)));
    for (quint64 i = 0; i < m_count; ++i) {
        PackageEntry entry;
        qint64 used = 0;
        while (!parseCentral(buffer.data() + start, held - start, entry, used)) {
            // The record may go on past what is held: move what is left down and read on.
            const qint64 left = held - start;
            const qint64 more = qint64(std::min<quint64>(quint64(Window - left), end - readAt));
            if (used < 0 || more <= 0) {
                add(Kind::BadDirectory, qsizetype(i), readAt - quint64(left));
                return false;
            }
            std::memmove(buffer.data(), buffer.data() + start, size_t(left));
            if (!m_file.readAt(buffer.data() + left, more, readAt)) {
                add(Kind::BadDirectory, qsizetype(i), readAt);
                return false;
            }
            readAt += quint64(more);
            start = 0;
            held = left + more;
        }
        start += used;
        m_verdict.Entries << std::move(entry);
    }
    const quint64 parsedEnd = readAt - quint64(held - start);
    if (parsedEnd != end)
        add(Kind::BadDirectory, -1, parsedEnd, end, parsedEnd);
    return true;
}

// Parses one central record from what is available; false when more bytes are needed (used
// then 0) or the record is malformed (used then -1).
bool Verifier::parseCentral(const uchar* record, qint64 available, PackageEntry& entry,
                            qint64& used) {
    used = 0;
    if (available < CentralHeaderSize)
        return false;
    if (le(record, 4) != CentralHeaderSignature) {
        used = -1;
        return false;
    }
    const qint64 nameSize = qint64(le(record + 28, 2));
    const qint64 extraSize = qint64(le(record + 30, 2));
    const qint64 total = CentralHeaderSize + nameSize + extraSize + qint64(le(record + 32, 2));
    if (available < total)
        return false;
    entry.Flags = quint32(le(record + 8, 2));
    entry.Method = quint32(le(record + 10, 2));
    entry.Crc = quint32(le(record + 16, 4));
    entry.CompressedSize = le(record + 20, 4);
    entry.Size = le(record + 24, 4);
    entry.HeaderOffset = le(record + 42, 4);
    entry.Name = QByteArray(reinterpret_cast<const char*>(record + CentralHeaderSize), nameSize);
    // The Zip64 field holds, in this order, each of the three that did not fit.
    const uchar* extra = record + CentralHeaderSize + nameSize;
    for (qint64 at = 0; at + 4 <= extraSize;) {
        const qint64 fieldSize = qint64(le(extra + at + 2, 2));
        if (le(extra + at, 2) == 0x0001) {
            qint64 pos = at + 4;
            for (quint64* value : {&entry.Size, &entry.CompressedSize, &entry.HeaderOffset}) {
                if (*value == Max32 && pos + 8 <= at + 4 + fieldSize && pos + 8 <= extraSize) {
                    *value = le(extra + pos, 8);
                    pos += 8;
                }
            }
        }
        at += 4 + fieldSize;
    }
    used = total;
    return true;
}

void Verifier::checkEntry(qsizetype index, std::vector<uchar>& in, std::vector<uchar>& out,
                          z_stream& stream) {
    const PackageEntry& entry = m_verdict.Entries[index];
    // One read for the header and, for a small entry, its data too; the local extra field
    // is guessed as short as the writers make it, and read again when it is longer.
    const quint64 size = m_file.size();
    const quint64 left = size - std::min(size, entry.HeaderOffset);
    const auto readHeader = [&](quint64 wanted) {
        const qint64 got = qint64(std::min({wanted, left, quint64(ChunkSize)}));
        return got >= LocalHeaderSize && m_file.readAt(in.data(), got, entry.HeaderOffset) &&
                       le(in.data(), 4) == LocalHeaderSignature
                   ? got
                   : 0;
    };
    constexpr quint64 UsualExtra = 64;
    qint64 got = readHeader(LocalHeaderSize + quint64(entry.Name.size()) + UsualExtra +
                            entry.CompressedSize);
    const qint64 headerSize =
        got > 0 ? LocalHeaderSize + qint64(le(in.data() + 26, 2)) + qint64(le(in.data() + 28, 2))
                : 0;
    if (got > 0 && headerSize > got)
        got = readHeader(quint64(headerSize) + entry.CompressedSize);
    if (got == 0) {
        add(Kind::BadLocalHeader, index, entry.HeaderOffset);
        return;
    }
    quint64 dataAt = 0;
    bool zip64 = false;
    if (!checkLocal(index, in.data(), got, dataAt, zip64))
        return;
    EntrySpan& span = m_spans[size_t(index)];
    span.begin = entry.HeaderOffset;
    span.end = dataAt + entry.CompressedSize;
    span.known = true;
    if (span.end > m_directoryAt || span.end < dataAt) {
        add(Kind::Overlap, index, m_directoryAt);
        return;
    }
    if ((entry.Flags & 0x1) != 0 || (entry.Method != 0 && entry.Method != 8)) {
        add(Kind::Unsupported, index, 0, 0, (entry.Flags & 0x1) != 0 ? Max32 : entry.Method);
        return;
    }
    // The data read with the header is inflated first, from where it lies in the buffer.
    const quint64 inBuffer = entry.HeaderOffset + quint64(got) - dataAt;
    const qint64 firstSize = qint64(std::min(inBuffer, entry.CompressedSize));
    inflateEntry(index, dataAt, in.data() + (dataAt - entry.HeaderOffset), firstSize, in, out,
                 stream);
    if ((entry.Flags & 0x8) != 0 && !checkDescriptor(index, span.end, zip64, span.end))
        add(Kind::LocalDiffers, index, span.end, 0, 0, "data descriptor");
}

// Compares the local header with the central record; false when its data cannot be found.
bool Verifier::checkLocal(qsizetype index, const uchar* header, qint64 available, quint64& dataAt,
                          bool& zip64) {
    const PackageEntry& entry = m_verdict.Entries[index];
    const qint64 nameSize = qint64(le(header + 26, 2));
    const qint64 extraSize = qint64(le(header + 28, 2));
    dataAt = entry.HeaderOffset + LocalHeaderSize + quint64(nameSize) + quint64(extraSize);
    if (LocalHeaderSize + nameSize + extraSize > available) {
        add(Kind::BadLocalHeader, index, entry.HeaderOffset);
        return false;
    }
    const QByteArray name(reinterpret_cast<const char*>(header + LocalHeaderSize), nameSize);
    if (name != entry.Name)
        add(Kind::LocalDiffers, index, entry.HeaderOffset, 0, 0, "name");
    if (le(header + 8, 2) != entry.Method)
        add(Kind::LocalDiffers, index, entry.HeaderOffset, entry.Method, le(header + 8, 2),
            "method");
    if (le(header + 6, 2) != entry.Flags)
        add(Kind::LocalDiffers, index, entry.HeaderOffset, entry.Flags, le(header + 6, 2), "flags");
    quint64 crc = le(header + 14, 4);
    quint64 compressed = le(header + 18, 4);
    quint64 size = le(header + 22, 4);
    const uchar* extra = header + LocalHeaderSize + nameSize;
    for (qint64 at = 0; at + 4 <= extraSize;) {
        const qint64 fieldSize = qint64(le(extra + at + 2, 2));
        if (le(extra + at, 2) == 0x0001) {
            zip64 = true;
            qint64 pos = at + 4;
            for (quint64* value : {&size, &compressed}) {
                if (*value == Max32 && pos + 8 <= at + 4 + fieldSize && pos + 8 <= extraSize) {
                    *value = le(extra + pos, 8);
                    pos += 8;
                }
            }
        }
        at += 4 + fieldSize;
    }
    // With a data descriptor the header may leave CRC and sizes at 0; the descriptor holds
    // them.
    const bool deferred = (entry.Flags & 0x8) != 0 && crc == 0 && compressed == 0 && size == 0;
    if (!deferred && crc != entry.Crc)
        add(Kind::LocalDiffers, index, entry.HeaderOffset, entry.Crc, crc, "CRC");
    if (!deferred && (compressed != entry.CompressedSize || size != entry.Size))
        add(Kind::LocalDiffers, index, entry.HeaderOffset, entry.Size, size, "sizes");
    return true;
}

bool Verifier::checkDescriptor(qsizetype index, quint64 at, bool zip64, quint64& end) {
    const PackageEntry& entry = m_verdict.Entries[index];
    uchar bytes[24] = {};
    const qint64 fieldSize = zip64 ? 8 : 4;
    const quint64 available = m_directoryAt - std::min(m_directoryAt, at);
    const qint64 wanted = qint64(std::min<quint64>(available, 4 + 4 + 2 * quint64(fieldSize)));
    if (wanted < 4 + 2 * fieldSize || !m_file.readAt(bytes, wanted, at))
        return false;
    // The descriptor's signature is optional.
    const int skip =
        le(bytes, 4) == DataDescriptorSignature && wanted == 4 + 4 + 2 * fieldSize ? 4 : 0;
    const uchar* fields = bytes + skip;
    end = at + quint64(skip) + 4 + 2 * quint64(fieldSize);
    return le(fields, 4) == entry.Crc && le(fields + 4, fieldSize) == entry.CompressedSize &&
           le(fields + 4 + fieldSize, fieldSize) == entry.Size;
}

void Verifier::inflateEntry(qsizetype index, quint64 dataAt, const uchar* first, qint64 firstSize,
                            std::vector<uchar>& in, std::vector<uchar>& out, z_stream& stream) {
    const PackageEntry& entry = m_verdict.Entries[index];
    const bool stored = entry.Method == 0;
    quint64 consumed = quint64(firstSize);
    quint64 produced = 0;
    uLong crc = crc32(0, nullptr, 0);
    bool ended = false;
    bool broken = inflateReset(&stream) != Z_OK;
    stream.next_in = const_cast<uchar*>(first);
    stream.avail_in = uInt(firstSize);
    while (!broken && !ended) {
        if (stream.avail_in == 0 && consumed < entry.CompressedSize) {
            const qint64 piece =
                qint64(std::min<quint64>(quint64(ChunkSize), entry.CompressedSize - consumed));
            if (!m_file.readAt(in.data(), piece, dataAt + consumed)) {
                broken = true;
                break;
            }
            consumed += quint64(piece);
            stream.next_in = in.data();
            stream.avail_in = uInt(piece);
        }
        if (stored) {
            crc = crc32_z(crc, stream.next_in, stream.avail_in);
            produced += stream.avail_in;
            stream.avail_in = 0;
            ended = consumed == entry.CompressedSize;
            continue;
        }
        if (stream.avail_in == 0)
            break; // the data ran out before the stream's end
        stream.next_out = out.data();
        stream.avail_out = uInt(out.size());
        const int status = inflate(&stream, Z_NO_FLUSH);
        const size_t made = out.size() - stream.avail_out;
        crc = crc32_z(crc, out.data(), made);
        produced += made;
        ended = status == Z_STREAM_END;
        broken = status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR;
    }
    // A whole stream that uses exactly the recorded compressed bytes.
    if (broken || !ended || stream.avail_in != 0 || consumed != entry.CompressedSize) {
        add(Kind::BadData, index, dataAt);
        return;
    }
    if (produced != entry.Size)
        add(Kind::SizeDiffers, index, dataAt, entry.Size, produced);
    if (crc != entry.Crc)
        add(Kind::CrcDiffers, index, dataAt, entry.Crc, crc);
}

// The entries' spans, in file order, must tile the file from its start to the directory.
void Verifier::checkLayout() {
    std::vector<EntrySpan> spans;
    for (const EntrySpan& span : m_spans) {
        if (span.known)
            spans.push_back(span);
    }
    if (spans.size() != m_spans.size())
        return; // an entry whose header is missing already says the layout is broken
    std::sort(spans.begin(), spans.end(),
              [](const EntrySpan& a, const EntrySpan& b) { return a.begin < b.begin; });
    quint64 at = 0;
    for (const EntrySpan& span : spans) {
        if (span.begin > at)
            add(at == 0 ? Kind::DataBefore : Kind::DataBetween, -1, at, 0, span.begin - at);
        else if (span.begin < at)
            add(Kind::Overlap, -1, span.begin);
        at = std::max(at, span.end);
    }
    if (at < m_directoryAt)
        add(at == 0 ? Kind::DataBefore : Kind::DataBetween, -1, at, 0, m_directoryAt - at);
}

} // namespace

PackageVerdict VerifyPackage(const QString& Path, int Threads) {
    PackageVerdict verdict;
    Verifier(verdict, Threads).run(Path);
    return verdict;
}

QList<bool> FileCrcs(const QStringList& Paths, QList<quint32>& Crcs, int Threads) {
    // Written by index from several threads: plain vectors, which never share their data.
    std::vector<quint32> crcs(size_t(Paths.size()), 0);
    std::vector<char> readable(size_t(Paths.size()), 0);
    runPool(Paths.size(), threadCount(Threads, Paths.size()), [&](qsizetype i) {
        thread_local std::vector<char> buffer(static_cast<size_t>(ChunkSize));
        SourceReader reader;
        if (!reader.Open(Paths.at(i)) || !reader.SetBlocking())
            return;
        uLong crc = crc32(0, nullptr, 0);
        for (;;) {
            const qint64 got = reader.ReadUpTo(buffer.data(), qint64(buffer.size()));
            if (got < 0)
                return;
            if (got == 0)
                break;
            crc = crc32_z(crc, reinterpret_cast<const Bytef*>(buffer.data()), size_t(got));
        }
        crcs[size_t(i)] = quint32(crc);
        readable[size_t(i)] = 1;
    });
    Crcs = QList<quint32>(crcs.begin(), crcs.end());
    QList<bool> result;
    for (const char ok : readable)
        result << (ok != 0);
    return result;
}
