#include "zip_engine/file_sink.h"

#include <QtGlobal>

#include <cerrno>
#include <cstring>

namespace {

// Pending archive bytes are written out once they reach this much.
constexpr qint64 ArchiveBlockSize = 512 * 1024;

} // namespace

FileSink::~FileSink() {
    if (m_file != nullptr)
        (void)ArchiveStream::Close(m_file);
}

void FileSink::reset(int descriptor, bool largeBlocks) {
    if (m_file != nullptr)
        (void)ArchiveStream::Close(m_file);
    m_file = nullptr;
    m_largeBlocks = largeBlocks;
    m_buffered = false;
    m_pending = QByteArray();
    m_pendingStart = 0;
    m_position = 0;
    m_path.clear();
    m_descriptor = descriptor;
    m_error = SinkError();
    m_owned = false;
    m_identity = ArchiveStream::Identity{};
}

bool FileSink::open(const char* path, ArchiveStream::OpenMode mode) {
    errno = EINVAL;
    std::FILE* file = m_descriptor >= 0
                          ? ArchiveStream::OpenDescriptor(m_descriptor, mode)
                          : (path != nullptr ? ArchiveStream::Open(path, mode) : nullptr);
    if (file == nullptr) {
        fail(errno);
        return false;
    }
    m_file = file;
    const bool created = mode == ArchiveStream::OpenMode::Create;
    // A new archive is only ever written; its blocks bypass stdio's small buffer.
    m_buffered = m_largeBlocks && created && ArchiveStream::Unbuffer(file);
    if (m_buffered)
        m_position = m_pendingStart = qMax<qint64>(0, ArchiveStream::Tell(file));
    // A file handed over open belongs to its owner, who puts it in place or removes it.
    if (m_descriptor >= 0)
        return true;
    // The file a path leads to, links followed: a failed run must remove the partial
    // archive itself, also when it was created through a link, and never only the link.
    m_path = ArchiveStream::ResolvedPath(path);
    // Only an ordinary file that this open created or truncated may be removed later;
    // a device such as /dev/full or an archive opened to append to is never ours.
    if (created) {
        const std::optional<ArchiveStream::Identity> identity =
            ArchiveStream::RegularFileIdentity(file);
        m_owned = identity.has_value();
        m_identity = identity.value_or(ArchiveStream::Identity{});
    }
    return true;
}

void FileSink::fail(int errorNumber) {
    // Only the first failure's errno is kept, as it says why.
    if (!m_error.failed)
        m_error.errorNumber = errorNumber;
    m_error.failed = true;
}

qint64 FileSink::read(void* data, qint64 size) {
    const size_t done = ArchiveStream::Read(m_file, data, size_t(size));
    if (done != size_t(size) && ArchiveStream::HasError(m_file))
        fail(errno);
    return qint64(done);
}

bool FileSink::streamFailed() const {
    return m_error.failed || (m_file != nullptr && ArchiveStream::HasError(m_file));
}

bool FileSink::write(const void* data, qint64 size) {
    // After one failure the file is already damaged: write nothing more into it.
    if (m_error.failed)
        return false;
    if (m_buffered)
        return writeBuffered(data, size);
    if (ArchiveStream::Write(m_file, data, size_t(size)) != size_t(size)) {
        fail(errno);
        return false;
    }
    return true;
}

qint64 FileSink::position() {
    if (m_buffered)
        return m_position;
    const qint64 position = ArchiveStream::Tell(m_file);
    if (position < 0)
        fail(errno);
    return position;
}

bool FileSink::seek(qint64 offset, Origin origin) {
    if (m_error.failed)
        return false;
    const ArchiveStream::SeekFrom from =
        origin == Origin::End ? ArchiveStream::SeekFrom::End : ArchiveStream::SeekFrom::Start;
    if (m_buffered)
        return seekBuffered(offset, from);
    // A seek flushes stdio's buffer, so it can be where a deferred write failure shows.
    if (!ArchiveStream::Seek(m_file, offset, from)) {
        fail(errno);
        return false;
    }
    return true;
}

bool FileSink::close() {
    if (m_file == nullptr)
        return !m_error.failed;
    const bool flushed = !m_buffered || flushBuffer();
    const bool closed = ArchiveStream::Close(m_file) && flushed;
    m_file = nullptr;
    if (!closed)
        fail(errno);
    return !m_error.failed;
}

// Puts the bytes at the current position: into the pending block while the position lies
// within or right after it, else after writing the block out and moving the stream there.
bool FileSink::writeBuffered(const void* data, qint64 size) {
    const qint64 end = m_pendingStart + m_pending.size();
    if ((m_position < m_pendingStart || m_position > end) &&
        !seekBuffered(m_position, ArchiveStream::SeekFrom::Start))
        return false;
    // A large write at the end of what is pending goes out right after it: copying it into
    // the block first would only cost time.
    if (size >= ArchiveBlockSize && m_position == m_pendingStart + m_pending.size()) {
        if (!flushBuffer())
            return false;
        if (ArchiveStream::Write(m_file, data, size_t(size)) != size_t(size)) {
            fail(errno);
            return false;
        }
        m_pendingStart += size;
        m_position += size;
        return true;
    }
    const qint64 at = m_position - m_pendingStart;
    // Room for a whole block and the largest write minizip makes (64 KiB), so it never grows.
    if (m_pending.capacity() == 0)
        m_pending.reserve(ArchiveBlockSize + 65536);
    if (at + size > m_pending.size())
        m_pending.resize(at + size);
    std::memcpy(m_pending.data() + at, data, size_t(size));
    m_position += size;
    return m_pending.size() < ArchiveBlockSize || flushBuffer();
}

// A seek within the pending block only moves the position; any other writes the block out
// first and moves the stream.
bool FileSink::seekBuffered(qint64 offset, ArchiveStream::SeekFrom origin) {
    const qint64 target = origin == ArchiveStream::SeekFrom::Current ? m_position + offset : offset;
    const qint64 end = m_pendingStart + m_pending.size();
    if (origin != ArchiveStream::SeekFrom::End && target >= m_pendingStart && target <= end) {
        m_position = target;
        return true;
    }
    const ArchiveStream::SeekFrom from =
        origin == ArchiveStream::SeekFrom::End ? origin : ArchiveStream::SeekFrom::Start;
    if (!flushBuffer())
        return false;
    if (!ArchiveStream::Seek(m_file, target, from)) {
        fail(errno);
        return false;
    }
    m_position = ArchiveStream::Tell(m_file);
    m_pendingStart = m_position;
    if (m_position < 0)
        fail(errno);
    return m_position >= 0;
}

// Writes the pending block out in one go; the stream then stands right after it.
bool FileSink::flushBuffer() {
    if (m_error.failed)
        return false;
    const size_t size = size_t(m_pending.size());
    if (size > 0 && ArchiveStream::Write(m_file, m_pending.constData(), size) != size) {
        fail(errno);
        return false;
    }
    m_pendingStart += qint64(size);
    m_pending.resize(0); // the capacity stays for the next block
    return true;
}

bool FileSink::removeIfOwned() {
    if (!m_owned)
        return false;
    m_owned = false;
    // Remove only what we created: the same ordinary file, not a link or a newer file that
    // has taken its name in the meantime.
    if (!stillAtItsPath())
        return false;
    return ArchiveStream::Remove(m_path);
}

bool FileSink::stillInPlace() const {
    return !m_owned || stillAtItsPath();
}

bool FileSink::stillAtItsPath() const {
    return ArchiveStream::PathIsFile(m_path, m_identity);
}
