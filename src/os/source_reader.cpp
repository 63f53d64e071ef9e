#include "os/source_reader.h"

#include "os/file_info.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// What a path that is not a regular file turned out to be, for the error message.
QString notRegularText(mode_t mode) {
    //: Why a path cannot be packed; "it" is the path named before.
    if (S_ISDIR(mode))
        return QCoreApplication::translate("SourceReader", "it is a folder, not a file");
    //: Why a path cannot be packed; "it" is the path named before.
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("SourceReader", "it is a named pipe (FIFO), not a file");
    //: Why a path cannot be packed; "it" is the path named before.
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("SourceReader", "it is a socket, not a file");
    //: Why a path cannot be packed; "it" is the path named before.
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("SourceReader", "it is a device, not a file");
    //: Why a path cannot be packed; "it" is the path named before.
    return QCoreApplication::translate("SourceReader", "it is not a regular file");
}

} // namespace

SourceReader::SourceReader(SourceReader&& Other) noexcept {
    *this = std::move(Other);
}

SourceReader& SourceReader::operator=(SourceReader&& Other) noexcept {
    if (this == &Other)
        return *this;
    Close();
    m_fd = std::exchange(Other.m_fd, -1);
    m_size = Other.m_size;
    m_attrs = Other.m_attrs;
    m_error = std::move(Other.m_error);
    return *this;
}

bool SourceReader::Open(const QString& Path) {
    Close();
    m_error.clear();
    // O_NONBLOCK: a blocking open of a FIFO that took a file's place would wait for a writer
    // for good, and no signal would end the wait. It is refused below like any other file
    // that is not a regular one.
    m_fd = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        return refuse(qt_error_string(errno));
    struct stat info {};
    if (::fstat(m_fd, &info) != 0)
        return refuse(qt_error_string(errno));
    if (!S_ISREG(info.st_mode))
        return refuse(notRegularText(info.st_mode));
    m_size = qint64(info.st_size);
    m_attrs = FileInfo::RegularFileAttributes(Path, (info.st_mode & S_IWUSR) != 0);
    return true;
}

bool SourceReader::SetBlocking() {
    // Opened read-only with O_NONBLOCK as its only status flag: clearing all of them is one call.
    if (::fcntl(m_fd, F_SETFL, 0) != 0)
        return refuse(qt_error_string(errno));
    return true;
}

qint64 SourceReader::ReadUpTo(char* Data, qint64 Size) {
    return ReadExpecting(Data, Size, Size);
}

qint64 SourceReader::ReadExpecting(char* Data, qint64 Size, qint64 Expected) {
    qint64 done = 0;
    while (done < Size) {
        const ssize_t n = ::read(m_fd, Data + done, size_t(Size - done));
        if (n < 0 && errno == EINTR)
            continue;
        // Regular files are read without waiting nearly everywhere; where not, reads may wait.
        if (n < 0 && errno == EAGAIN) {
            if (!SetBlocking())
                return -1;
            continue;
        }
        if (n < 0) {
            m_error = qt_error_string(errno);
            return -1;
        }
        if (n == 0)
            break;
        done += n;
        if (done >= Expected && done < Size)
            break;
    }
    return done;
}

bool SourceReader::ReadFully(QByteArray& Buffer) {
    return IsOpen() && ReadUpTo(Buffer.data(), Buffer.size()) == Buffer.size();
}

void SourceReader::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool SourceReader::refuse(const QString& Why) {
    m_error = Why;
    Close();
    return false;
}

qint64 SourceReader::CurrentSize() const {
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return -1;
    return qint64(info.st_size);
}
