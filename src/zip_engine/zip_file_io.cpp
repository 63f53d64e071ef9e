#include "zip_engine/zip_file_io.h"

#include "os/archive_stream.h"
#include "os/source_reader.h"
#include "os/temp_output.h"

#include <minizip/ioapi.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace ZipFileIo {

namespace {

TestFaults g_faults;
qint64 g_writes = 0;
qint64 g_seeks = 0;
qint64 g_reads = 0;

// Pending archive bytes are written out once they reach this much.
constexpr qint64 ArchiveBlockSize = 512 * 1024;

// Counts one call and says whether the test asked for this one to fail.
bool countAndInject(qint64& Counter, qint64 FailNumber) {
    ++Counter;
    return FailNumber != 0 && Counter == FailNumber;
}

// What minizip means by its open flags (the same mapping as its own stdio layer).
std::optional<ArchiveStream::OpenMode> openMode(int Mode) {
    if ((Mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ)
        return ArchiveStream::OpenMode::Read;
    if (Mode & ZLIB_FILEFUNC_MODE_EXISTING)
        return ArchiveStream::OpenMode::Update;
    if (Mode & ZLIB_FILEFUNC_MODE_CREATE)
        return ArchiveStream::OpenMode::Create;
    return std::nullopt;
}

ArchiveStream::SeekFrom seekOrigin(int Origin) {
    switch (Origin) {
    case ZLIB_FILEFUNC_SEEK_CUR:
        return ArchiveStream::SeekFrom::Current;
    case ZLIB_FILEFUNC_SEEK_END:
        return ArchiveStream::SeekFrom::End;
    default:
        return ArchiveStream::SeekFrom::Start;
    }
}

FILE* asFile(voidpf Stream) {
    return static_cast<FILE*>(Stream);
}

} // namespace

void SetTestFaults(const TestFaults& Faults) {
    g_faults = Faults;
    g_writes = g_seeks = g_reads = 0;
    TempOutput::SetTestFaults({Faults.FailSync, Faults.NamedTempFile, Faults.ModeChangeErrno,
                               Faults.FailBackgroundFlushNumber});
}

qint64 WritesDone() {
    return g_writes;
}
qint64 SeeksDone() {
    return g_seeks;
}
qint64 ReadsDone() {
    return g_reads;
}

// minizip's view of an ArchiveFile: plain C callbacks with the ArchiveFile as opaque state.
struct ArchiveCallbacks {
    static ArchiveFile& state(voidpf Opaque) { return *static_cast<ArchiveFile*>(Opaque); }

    // Marks the file failed; only the first failure's errno is kept, as it says why.
    static void failWith(ArchiveFile& Archive, int ErrorNumber) {
        if (!Archive.m_failed)
            Archive.m_errorNumber = ErrorNumber;
        Archive.m_failed = true;
    }

    static voidpf open(voidpf Opaque, const void* FileName, int Mode) {
        const std::optional<ArchiveStream::OpenMode> mode = openMode(Mode);
        if (!mode)
            return nullptr;
        ArchiveFile& archive = state(Opaque);
        const char* path = static_cast<const char*>(FileName);
        errno = EINVAL;
        FILE* file = archive.m_descriptor >= 0
                         ? ArchiveStream::OpenDescriptor(archive.m_descriptor, *mode)
                         : (path != nullptr ? ArchiveStream::Open(path, *mode) : nullptr);
        if (file == nullptr) {
            archive.m_errorNumber = errno;
            return nullptr;
        }
        // A new archive is only ever written; its blocks bypass stdio's small buffer.
        archive.m_buffered = archive.m_largeBlocks && (Mode & ZLIB_FILEFUNC_MODE_CREATE) &&
                             ArchiveStream::Unbuffer(file);
        // A file handed over open belongs to its owner, who puts it in place or removes it.
        if (archive.m_descriptor >= 0)
            return file;
        // The file a path leads to, links followed: a failed run must remove the partial
        // archive itself, also when it was created through a link, and never only the link.
        archive.m_path = ArchiveStream::ResolvedPath(path);
        // Only an ordinary file that this open created or truncated may be removed later;
        // a device such as /dev/full or an archive opened to append to is never ours.
        if (Mode & ZLIB_FILEFUNC_MODE_CREATE) {
            const std::optional<ArchiveStream::Identity> identity =
                ArchiveStream::RegularFileIdentity(file);
            archive.m_owned = identity.has_value();
            archive.m_identity = identity.value_or(ArchiveStream::Identity{});
        }
        return file;
    }

    static uLong read(voidpf Opaque, voidpf Stream, void* Buffer, uLong Size) {
        const size_t done = ArchiveStream::Read(asFile(Stream), Buffer, Size);
        if (done != Size && ArchiveStream::HasError(asFile(Stream)))
            failWith(state(Opaque), errno);
        return uLong(done);
    }

    static uLong write(voidpf Opaque, voidpf Stream, const void* Buffer, uLong Size) {
        ArchiveFile& archive = state(Opaque);
        // After one failure the file is already damaged: write nothing more into it.
        if (countAndInject(g_writes, g_faults.FailWriteNumber) || archive.m_failed) {
            failWith(archive, ENOSPC);
            return 0;
        }
        if (archive.m_buffered)
            return archive.writeBuffered(asFile(Stream), Buffer, qint64(Size)) ? Size : 0;
        const size_t done = ArchiveStream::Write(asFile(Stream), Buffer, Size);
        if (done != Size)
            failWith(archive, errno);
        return uLong(done);
    }

    static ZPOS64_T tell(voidpf Opaque, voidpf Stream) {
        if (state(Opaque).m_buffered)
            return ZPOS64_T(state(Opaque).m_position);
        const qint64 position = ArchiveStream::Tell(asFile(Stream));
        if (position < 0)
            failWith(state(Opaque), errno);
        return ZPOS64_T(position);
    }

    static long seek(voidpf Opaque, voidpf Stream, ZPOS64_T Offset, int Origin) {
        ArchiveFile& archive = state(Opaque);
        if (countAndInject(g_seeks, g_faults.FailSeekNumber) || archive.m_failed) {
            failWith(archive, EIO);
            return -1;
        }
        if (archive.m_buffered)
            return archive.seekBuffered(asFile(Stream), qint64(Offset), seekOrigin(Origin)) ? 0
                                                                                            : -1;
        // A seek flushes stdio's buffer, so it can be where a deferred write failure shows.
        if (!ArchiveStream::Seek(asFile(Stream), qint64(Offset), seekOrigin(Origin))) {
            failWith(archive, errno);
            return -1;
        }
        return 0;
    }

    static int close(voidpf Opaque, voidpf Stream) {
        ArchiveFile& archive = state(Opaque);
        const bool flushed = !archive.m_buffered || archive.flushBuffer(asFile(Stream));
        const bool closed = ArchiveStream::Close(asFile(Stream)) && flushed;
        if (!closed || g_faults.FailClose)
            failWith(archive, closed ? EIO : errno);
        return archive.m_failed ? EOF : 0;
    }

    static int error(voidpf Opaque, voidpf Stream) {
        return state(Opaque).m_failed || ArchiveStream::HasError(asFile(Stream)) ? 1 : 0;
    }
};

void ArchiveFile::Attach(zlib_filefunc64_def_s& Def, int Descriptor, bool LargeBlocks) {
    *this = ArchiveFile();
    m_descriptor = Descriptor;
    m_largeBlocks = LargeBlocks;
    Def.zopen64_file = &ArchiveCallbacks::open;
    Def.zread_file = &ArchiveCallbacks::read;
    Def.zwrite_file = &ArchiveCallbacks::write;
    Def.ztell64_file = &ArchiveCallbacks::tell;
    Def.zseek64_file = &ArchiveCallbacks::seek;
    Def.zclose_file = &ArchiveCallbacks::close;
    Def.zerror_file = &ArchiveCallbacks::error;
    Def.opaque = this;
}

// Puts the bytes at the current position: into the pending block while the position lies
// within or right after it, else after writing the block out and moving the stream there.
bool ArchiveFile::writeBuffered(std::FILE* File, const void* Buffer, qint64 Size) {
    const qint64 end = m_pendingStart + m_pending.size();
    if ((m_position < m_pendingStart || m_position > end) &&
        !seekBuffered(File, m_position, ArchiveStream::SeekFrom::Start))
        return false;
    // A large write at the end of what is pending goes out right after it: copying it into
    // the block first would only cost time.
    if (Size >= ArchiveBlockSize && m_position == m_pendingStart + m_pending.size()) {
        if (!flushBuffer(File))
            return false;
        if (ArchiveStream::Write(File, Buffer, size_t(Size)) != size_t(Size)) {
            ArchiveCallbacks::failWith(*this, errno);
            return false;
        }
        m_pendingStart += Size;
        m_position += Size;
        return true;
    }
    const qint64 at = m_position - m_pendingStart;
    // Room for a whole block and minizip's largest write (64 KiB), so it never grows.
    if (m_pending.capacity() == 0)
        m_pending.reserve(ArchiveBlockSize + 65536);
    if (at + Size > m_pending.size())
        m_pending.resize(at + Size);
    std::memcpy(m_pending.data() + at, Buffer, size_t(Size));
    m_position += Size;
    return m_pending.size() < ArchiveBlockSize || flushBuffer(File);
}

// A seek within the pending block only moves the position; any other writes the block out
// first and moves the stream.
bool ArchiveFile::seekBuffered(std::FILE* File, qint64 Offset, ArchiveStream::SeekFrom Origin) {
    const qint64 target = Origin == ArchiveStream::SeekFrom::Current ? m_position + Offset : Offset;
    const qint64 end = m_pendingStart + m_pending.size();
    if (Origin != ArchiveStream::SeekFrom::End && target >= m_pendingStart && target <= end) {
        m_position = target;
        return true;
    }
    const ArchiveStream::SeekFrom from =
        Origin == ArchiveStream::SeekFrom::End ? Origin : ArchiveStream::SeekFrom::Start;
    if (!flushBuffer(File))
        return false;
    if (!ArchiveStream::Seek(File, target, from)) {
        ArchiveCallbacks::failWith(*this, errno);
        return false;
    }
    m_position = ArchiveStream::Tell(File);
    m_pendingStart = m_position;
    if (m_position < 0)
        ArchiveCallbacks::failWith(*this, errno);
    return m_position >= 0;
}

// Writes the pending block out in one go; the stream then stands right after it.
bool ArchiveFile::flushBuffer(std::FILE* File) {
    if (m_failed)
        return false;
    const size_t size = size_t(m_pending.size());
    if (size > 0 && ArchiveStream::Write(File, m_pending.constData(), size) != size) {
        ArchiveCallbacks::failWith(*this, errno);
        return false;
    }
    m_pendingStart += qint64(size);
    m_pending.resize(0); // the capacity stays for the next block
    return true;
}

bool ArchiveFile::RemoveIfOwned() {
    if (!m_owned)
        return false;
    m_owned = false;
    // Remove only what we created: the same ordinary file, not a link or a newer file that
    // has taken its name in the meantime.
    if (!stillAtItsPath())
        return false;
    return ArchiveStream::Remove(m_path);
}

bool ArchiveFile::StillInPlace() const {
    return !m_owned || stillAtItsPath();
}

bool ArchiveFile::stillAtItsPath() const {
    return ArchiveStream::PathIsFile(m_path, m_identity);
}

bool ReadSourceChunk(SourceReader& Source, QByteArray& Buffer) {
    if (!Source.IsOpen() || countAndInject(g_reads, g_faults.FailReadNumber))
        return false;
    return Source.ReadFully(Buffer);
}

} // namespace ZipFileIo
