#include "platform/temp_output.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Room for the prefix, the suffix and the X's within a file name's 255 bytes.
constexpr qsizetype MaxNamePart = 200;

QByteArray folderOf(const QByteArray& Path) {
    const qsizetype cut = Path.lastIndexOf('/');
    return cut <= 0 ? QByteArray(cut == 0 ? "/" : ".") : Path.left(cut);
}

QByteArray nameOf(const QByteArray& Path) {
    return Path.mid(Path.lastIndexOf('/') + 1);
}

// The mode a plain creat() of the output would get: 0666 less the process's umask.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

TempOutput::TempOutput(const QString& OutputPath) : m_output(QFile::encodeName(OutputPath)) {}

TempOutput::~TempOutput() {
    remove();
}

bool TempOutput::Create() {
    // Hidden, so that nobody takes it for a finished package; unique, so that two runs for
    // the same output never write into one file.
    QByteArray pattern =
        folderOf(m_output) + "/." + nameOf(m_output).left(MaxNamePart) + ".vendrel-XXXXXX";
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(QStringLiteral("Cannot create a temporary file beside"), m_output);
    m_temp = pattern;
    const bool modeSet = ::fchmod(fd, newFileMode()) == 0;
    ::close(fd);
    return modeSet || fail(QStringLiteral("Cannot set the permissions of"), m_temp);
}

QString TempOutput::Path() const {
    return QFile::decodeName(m_temp);
}

TempOutput::CommitResult TempOutput::Commit(bool Replace) {
    if (m_temp.isEmpty() || m_committed) {
        m_error = QStringLiteral("Nothing to put in place");
        return CommitResult::Failed;
    }
    if (!syncFile(m_temp))
        return CommitResult::Failed;
    if (!moveIntoPlace(Replace))
        return errno == EEXIST ? CommitResult::Occupied : CommitResult::Failed;
    m_committed = true;
    // The rename itself lasts only once the folder is on disk too; some file systems cannot
    // sync a folder, and the package is complete either way.
    const int folder = ::open(folderOf(m_output).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return CommitResult::Done;
}

void TempOutput::remove() {
    if (m_temp.isEmpty() || m_committed)
        return;
    ::unlink(m_temp.constData());
    m_temp.clear();
}

bool TempOutput::syncFile(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return fail(QStringLiteral("Cannot open"), path);
    const bool synced = ::fsync(fd) == 0;
    const int savedErrno = errno;
    ::close(fd);
    errno = savedErrno;
    return synced || fail(QStringLiteral("Cannot write to disk"), path);
}

bool TempOutput::moveIntoPlace(bool replace) {
    if (replace) {
        if (::rename(m_temp.constData(), m_output.constData()) == 0)
            return true;
        return fail(QStringLiteral("Cannot rename the package to"), m_output);
    }
    // Without --overwrite a file that appeared during the run must not be replaced.
    if (::renameat2(AT_FDCWD, m_temp.constData(), AT_FDCWD, m_output.constData(),
                    RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP) {
        // A file system without the no-replace rename: look, then rename.
        struct stat info {};
        if (::lstat(m_output.constData(), &info) == 0)
            errno = EEXIST;
        else if (::rename(m_temp.constData(), m_output.constData()) == 0)
            return true;
    }
    return fail(QStringLiteral("Cannot rename the package to"), m_output);
}

bool TempOutput::fail(const QString& step, const QByteArray& path) {
    const int savedErrno = errno;
    m_error =
        QStringLiteral("%1 \"%2\": %3")
            .arg(step, QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(savedErrno)));
    errno = savedErrno;
    return false;
}
