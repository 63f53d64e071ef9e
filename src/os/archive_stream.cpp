#include "os/archive_stream.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ArchiveStream {

namespace {

// The fopen mode for Mode, with the open(2) flags that go with it.
const char* fopenMode(OpenMode Mode, int& Flags) {
    switch (Mode) {
    case OpenMode::Read:
        Flags = O_RDONLY;
        return "rb";
    case OpenMode::Update:
        Flags = O_RDWR;
        return "r+b";
    case OpenMode::Create:
        Flags = O_WRONLY | O_CREAT | O_TRUNC;
        return "wb";
    }
    return nullptr;
}

int seekOrigin(SeekFrom Origin) {
    switch (Origin) {
    case SeekFrom::Current:
        return SEEK_CUR;
    case SeekFrom::End:
        return SEEK_END;
    case SeekFrom::Start:
        break;
    }
    return SEEK_SET;
}

// Opened without waiting; kept only when it is neither a FIFO nor a socket, and made
// blocking again for the writes.
int openUnblocked(const char* Path, int Flags) {
    const int fd = ::open(Path, Flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat info {};
    const int status = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode) || status < 0 ||
        ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::FILE* Open(const char* Path, OpenMode Mode) {
    int flags = 0;
    const char* mode = fopenMode(Mode, flags);
    const int fd = openUnblocked(Path, flags);
    if (fd < 0)
        return nullptr;
    std::FILE* file = ::fdopen(fd, mode);
    if (file == nullptr)
        ::close(fd);
    return file;
}

std::FILE* OpenDescriptor(int Fd, OpenMode Mode) {
    int flags = 0;
    const char* mode = fopenMode(Mode, flags);
    // The stream closes its own copy: the file behind Fd, perhaps still without a name, must
    // outlive it.
    const int fd = ::fcntl(Fd, F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return nullptr;
    // A new archive starts where the descriptor stands: a fresh file is emptied, and bytes an
    // owner put before that offset stay.
    const off_t at = Mode == OpenMode::Create ? ::lseek(fd, 0, SEEK_CUR) : 0;
    const bool emptied = Mode != OpenMode::Create || (at >= 0 && ::ftruncate(fd, at) == 0);
    std::FILE* file = emptied ? ::fdopen(fd, mode) : nullptr;
    if (file == nullptr)
        ::close(fd);
    return file;
}

bool Unbuffer(std::FILE* File) {
    return std::setvbuf(File, nullptr, _IONBF, 0) == 0;
}

size_t Read(std::FILE* File, void* Buffer, size_t Size) {
    return std::fread(Buffer, 1, Size, File);
}

size_t Write(std::FILE* File, const void* Buffer, size_t Size) {
    return std::fwrite(Buffer, 1, Size, File);
}

qint64 Tell(std::FILE* File) {
    return qint64(::ftello(File));
}

bool Seek(std::FILE* File, qint64 Offset, SeekFrom Origin) {
    return ::fseeko(File, off_t(Offset), seekOrigin(Origin)) == 0;
}

bool Close(std::FILE* File) {
    // The final flush is where the last buffered bytes meet the disk: checked apart from
    // fclose so that neither failure goes unseen.
    const bool flushed = std::fflush(File) == 0;
    const int flushError = errno;
    const bool closed = std::fclose(File) == 0;
    // errno tells the caller why: the flush's reason when the flush failed first.
    if (!flushed)
        errno = flushError;
    return flushed && closed;
}

bool HasError(std::FILE* File) {
    return std::ferror(File) != 0;
}

std::optional<Identity> RegularFileIdentity(std::FILE* File) {
    struct stat info {};
    if (::fstat(fileno(File), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return Identity{quint64(info.st_dev), quint64(info.st_ino)};
}

QByteArray ResolvedPath(const char* Path) {
    char* resolved = ::realpath(Path, nullptr);
    if (resolved == nullptr)
        return QByteArray(Path);
    QByteArray path(resolved);
    std::free(resolved);
    return path;
}

bool PathIsFile(const QByteArray& Path, const Identity& File) {
    struct stat info {};
    return ::lstat(Path.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
           quint64(info.st_dev) == File.Device && quint64(info.st_ino) == File.Inode;
}

bool Remove(const QByteArray& Path) {
    return ::unlink(Path.constData()) == 0;
}

} // namespace ArchiveStream
