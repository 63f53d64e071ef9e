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

SourceReader::SourceReader(SourceReader&& other) noexcept {
    *this = std::move(other);
}

SourceReader& SourceReader::operator=(SourceReader&& other) noexcept {
    if (this == &other)
        return *this;
    Close();
    m_fd = std::exchange(other.m_fd, -1);
    m_size = other.m_size;
    m_attrs = other.m_attrs;
    m_error = std::move(other.m_error);
    return *this;
}

bool SourceReader::Open(const QString& path) {
    Close();
    m_error.clear();
    // O_NONBLOCK: a blocking open of a FIFO that took a file's place would wait for a writer
    // for good, and no signal would end the wait. It is refused below like any other file
    // that is not a regular one. The encoded name outlives the read of errno, which freeing
    // it in between could change.
    const QByteArray name = QFile::encodeName(path);
    m_fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (m_fd < 0)
        return refuse(qt_error_string(errno));
    struct stat info {};
    if (::fstat(m_fd, &info) != 0)
        return refuse(qt_error_string(errno));
    if (!S_ISREG(info.st_mode))
        return refuse(notRegularText(info.st_mode));
    m_size = qint64(info.st_size);
    m_attrs = FileInfo::RegularFileAttributes(path, (info.st_mode & S_IWUSR) != 0);
    return true;
}

bool SourceReader::SetBlocking() {
    // Opened read-only with O_NONBLOCK as its only status flag: clearing all of them is one call.
    if (::fcntl(m_fd, F_SETFL, 0) != 0)
        return refuse(qt_error_string(errno));
    return true;
}

qint64 SourceReader::ReadUpTo(char* data, qint64 size) {
    return ReadExpecting(data, size, size);
}

qint64 SourceReader::ReadExpecting(char* data, qint64 size, qint64 expected) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::read(m_fd, data + done, size_t(size - done));
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
        if (done >= expected && done < size)
            break;
    }
    return done;
}

bool SourceReader::ReadFully(QByteArray& buffer) {
    return IsOpen() && ReadUpTo(buffer.data(), buffer.size()) == buffer.size();
}

void SourceReader::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool SourceReader::refuse(const QString& why) {
    m_error = why;
    Close();
    return false;
}

qint64 SourceReader::CurrentSize() const {
    struct stat info {};
    if (m_fd < 0 || ::fstat(m_fd, &info) != 0)
        return -1;
    return qint64(info.st_size);
}
