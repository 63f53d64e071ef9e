#include "zip_engine/zip_file_io.h"

#include <QFile>

#include <minizip/ioapi.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ZipFileIo {

namespace {

TestFaults g_faults;
qint64 g_writes = 0;
qint64 g_seeks = 0;
qint64 g_reads = 0;

// Counts one call and says whether the test asked for this one to fail.
bool countAndInject(qint64& Counter, qint64 FailNumber) {
    ++Counter;
    return FailNumber != 0 && Counter == FailNumber;
}

// The fopen mode minizip means by its open flags (the same mapping as its own stdio layer),
// with the open(2) flags that go with it.
const char* fopenMode(int Mode, int& Flags) {
    if ((Mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) == ZLIB_FILEFUNC_MODE_READ) {
        Flags = O_RDONLY;
        return "rb";
    }
    if (Mode & ZLIB_FILEFUNC_MODE_EXISTING) {
        Flags = O_RDWR;
        return "r+b";
    }
    if (Mode & ZLIB_FILEFUNC_MODE_CREATE) {
        Flags = O_WRONLY | O_CREAT | O_TRUNC;
        return "wb";
    }
    return nullptr;
}

// Opens Path as fopen would with Mode, but never waits: a FIFO or socket at the path is
// refused, as opening a FIFO for writing blocks until a reader comes, which would freeze the
// window for good.
FILE* openArchiveFile(const char* Path, const char* Mode, int Flags) {
    const int fd = ::open(Path, Flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    const int status = ::fcntl(fd, F_GETFL);
    // Writes to what is left (files and devices such as /dev/full) are ordinary blocking ones.
    if (::fstat(fd, &info) != 0 || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) || status < 0 ||
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return nullptr;
    }
    FILE* file = ::fdopen(fd, Mode);
    if (file == nullptr)
        ::close(fd);
    return file;
}

int seekOrigin(int Origin) {
    switch (Origin) {
    case ZLIB_FILEFUNC_SEEK_CUR:
        return SEEK_CUR;
    case ZLIB_FILEFUNC_SEEK_END:
        return SEEK_END;
    default:
        return SEEK_SET;
    }
}

// The file a path leads to, links followed: a failed run must remove the partial archive
// itself, also when it was created through a link, and never only the link.
QByteArray resolvedPath(const char* Path) {
    char* resolved = ::realpath(Path, nullptr);
    if (resolved == nullptr)
        return QByteArray(Path);
    QByteArray path(resolved);
    std::free(resolved);
    return path;
}

FILE* asFile(voidpf Stream) {
    return static_cast<FILE*>(Stream);
}

} // namespace

void SetTestFaults(const TestFaults& Faults) {
    g_faults = Faults;
    g_writes = g_seeks = g_reads = 0;
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
        int flags = 0;
        const char* mode = fopenMode(Mode, flags);
        if (FileName == nullptr || mode == nullptr)
            return nullptr;
        FILE* file = openArchiveFile(static_cast<const char*>(FileName), mode, flags);
        ArchiveFile& archive = state(Opaque);
        if (file == nullptr) {
            archive.m_errorNumber = errno;
            return nullptr;
        }
        archive.m_path = resolvedPath(static_cast<const char*>(FileName));
        struct stat info {};
        // Only an ordinary file that this open created or truncated may be removed later;
        // a device such as /dev/full or an archive opened to append to is never ours.
        if ((Mode & ZLIB_FILEFUNC_MODE_CREATE) && ::fstat(fileno(file), &info) == 0 &&
            S_ISREG(info.st_mode)) {
            archive.m_owned = true;
            archive.m_device = info.st_dev;
            archive.m_inode = info.st_ino;
        }
        return file;
    }

    static uLong read(voidpf Opaque, voidpf Stream, void* Buffer, uLong Size) {
        const size_t done = std::fread(Buffer, 1, Size, asFile(Stream));
        if (done != Size && std::ferror(asFile(Stream)))
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
        const size_t done = std::fwrite(Buffer, 1, Size, asFile(Stream));
        if (done != Size)
            failWith(archive, errno);
        return uLong(done);
    }

    static ZPOS64_T tell(voidpf Opaque, voidpf Stream) {
        const off_t position = ::ftello(asFile(Stream));
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
        // A seek flushes stdio's buffer, so it can be where a deferred write failure shows.
        if (::fseeko(asFile(Stream), off_t(Offset), seekOrigin(Origin)) != 0) {
            failWith(archive, errno);
            return -1;
        }
        return 0;
    }

    static int close(voidpf Opaque, voidpf Stream) {
        ArchiveFile& archive = state(Opaque);
        // The final flush is where the last buffered bytes meet the disk: check it apart
        // from fclose so that neither failure goes unseen.
        const bool flushed = std::fflush(asFile(Stream)) == 0;
        const int flushError = errno;
        const bool closed = std::fclose(asFile(Stream)) == 0;
        if (!flushed || !closed || g_faults.FailClose)
            failWith(archive, !flushed ? flushError : !closed ? errno : EIO);
        return archive.m_failed ? EOF : 0;
    }

    static int error(voidpf Opaque, voidpf Stream) {
        return state(Opaque).m_failed || std::ferror(asFile(Stream)) ? 1 : 0;
    }
};

void ArchiveFile::Attach(zlib_filefunc64_def_s& Def) {
    *this = ArchiveFile();
    Def.zopen64_file = &ArchiveCallbacks::open;
    Def.zread_file = &ArchiveCallbacks::read;
    Def.zwrite_file = &ArchiveCallbacks::write;
    Def.ztell64_file = &ArchiveCallbacks::tell;
    Def.zseek64_file = &ArchiveCallbacks::seek;
    Def.zclose_file = &ArchiveCallbacks::close;
    Def.zerror_file = &ArchiveCallbacks::error;
    Def.opaque = this;
}

bool ArchiveFile::RemoveIfOwned() {
    if (!m_owned)
        return false;
    m_owned = false;
    // Remove only what we created: the same ordinary file, not a link or a newer file that
    // has taken its name in the meantime.
    if (!stillAtItsPath())
        return false;
    return ::unlink(m_path.constData()) == 0;
}

bool ArchiveFile::StillInPlace() const {
    return !m_owned || stillAtItsPath();
}

bool ArchiveFile::stillAtItsPath() const {
    struct stat info {};
    return ::lstat(m_path.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
           quint64(info.st_dev) == m_device && quint64(info.st_ino) == m_inode;
}

bool SourceReader::Open(const QString& Path) {
    Close();
    // O_NONBLOCK keeps a pipe that took the file's place from blocking the window; it is
    // refused below like any other file that is not an ordinary one.
    const int fd = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool SourceReader::Read(QByteArray& Buffer) {
    if (m_fd < 0 || countAndInject(g_reads, g_faults.FailReadNumber))
        return false;
    qint64 done = 0;
    while (done < Buffer.size()) {
        const ssize_t n = ::read(m_fd, Buffer.data() + done, size_t(Buffer.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        // n == 0: the file ended before the bytes it had when it was queued.
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void SourceReader::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

} // namespace ZipFileIo
