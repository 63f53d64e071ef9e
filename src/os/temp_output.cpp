#include "os/temp_output.h"

#include "os/background_sync.h"
#include "os/process_setup.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Room for the prefix, the suffix and the random part within a file name's 255 bytes.
constexpr qsizetype MaxNamePart = 200;
// Names tried for the link that an unnamed file gets before it replaces an old package.
constexpr int LinkNameTries = 100;

QString cannotRenameText() {
    //: %1 is the package's path, %2 the system's reason.
    return QCoreApplication::translate("TempOutput", "Cannot rename the package to \"%1\": %2");
}

TempOutput::TestFaults g_faults;
int g_flushesBeforePlacing = -1;

QByteArray folderOf(const QByteArray& path) {
    const qsizetype cut = path.lastIndexOf('/');
    return cut <= 0 ? QByteArray(cut == 0 ? "/" : ".") : path.left(cut);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// Hidden, so that nobody takes it for a finished package; suffix makes it unique.
QByteArray hiddenNameBeside(const QByteArray& output, const QByteArray& suffix) {
    return folderOf(output) + "/." + nameOf(output).left(MaxNamePart) + ".vendrel-" + suffix;
}

QByteArray randomSuffix() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(6, 'x');
    for (char& c : suffix)
        c = letters[QRandomGenerator::global()->bounded(int(sizeof(letters) - 1))];
    return suffix;
}

// The name through which an open file, named or not, can be linked to a folder.
QByteArray procPathOf(int fd) {
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// The mode a plain creat() of the output would get: 0666 less the process's umask.
mode_t newFileMode() {
    return 0666 & ~ProcessSetup::FileCreationMask();
}

// File systems without Unix permissions (FAT, exFAT, NTFS, many network shares) refuse any
// mode change, each in its own words; there the file has whatever mode the mount gives it.
bool keepsNoModes(int errorNumber) {
    return errorNumber == EPERM || errorNumber == ENOSYS || errorNumber == EOPNOTSUPP ||
           errorNumber == ENOTSUP;
}

} // namespace

void TempOutput::SetTestFaults(const TestFaults& faults) {
    g_faults = faults;
    g_flushesBeforePlacing = -1;
    BackgroundSync::SetTestFault(faults.FailBackgroundFlushNumber);
}

int TempOutput::FlushesBeforePlacing() {
    return g_flushesBeforePlacing;
}

TempOutput::TempOutput(const QString& outputPath) : m_output(QFile::encodeName(outputPath)) {}

TempOutput::~TempOutput() {
    m_sync.reset();
    remove();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool TempOutput::Create() {
    if (m_fd >= 0) {
        //: An error that shows only when the program itself is at fault.
        m_error = QCoreApplication::translate("TempOutput", "The temporary file is already open");
        m_errorNumber = 0;
        return false;
    }
    if (!createUnnamed() && !createNamed())
        return false;
    m_sync = std::make_unique<BackgroundSync>(m_fd);
    return true;
}

// A file without a name in the output's folder: nothing is left of it if the process dies.
// Linking it needs the process's own descriptor folder, so without one it is not used.
bool TempOutput::createUnnamed() {
    if (g_faults.NamedOnly)
        return false;
    const int fd = ::open(folderOf(m_output).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    if (::access(procPathOf(fd).constData(), F_OK) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

// Unique, so that two runs for the same output never write into one file.
bool TempOutput::createNamed() {
    QByteArray pattern = hiddenNameBeside(m_output, "XXXXXX");
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        //: %1 is the package's path, %2 the system's reason.
        return fail(QCoreApplication::translate("TempOutput",
                                                "Cannot create a temporary file beside \"%1\": %2"),
                    m_output, error);
    }
    m_temp = pattern;
    m_fd = fd;
    return setNewFileMode();
}

// mkostemp creates the file 0600; a package is to be readable as any new file would be.
bool TempOutput::setNewFileMode() {
    int error = g_faults.ModeChangeErrno;
    if (error == 0) {
        if (::fchmod(m_fd, newFileMode()) == 0)
            return true;
        error = errno;
    }
    return keepsNoModes(error) ||
           //: %1 is a file's path, %2 the system's reason.
           fail(QCoreApplication::translate("TempOutput",
                                            "Cannot set the permissions of \"%1\": %2"),
                m_temp, error);
}

bool TempOutput::MayReplaceOutput() const {
    struct stat output {};
    struct stat folder {};
    if (::lstat(m_output.constData(), &output) != 0)
        return true;
    if (::stat(folderOf(m_output).constData(), &folder) != 0)
        return false;
    const uid_t me = ::geteuid();
    return (folder.st_mode & S_ISVTX) == 0 || me == 0 || me == output.st_uid || me == folder.st_uid;
}

QString TempOutput::Path() const {
    return QFile::decodeName(m_temp);
}

QString TempOutput::OutputPath() const {
    return QFile::decodeName(m_output);
}

TempOutput::CommitResult TempOutput::Commit(bool replace) {
    if (m_fd < 0 || m_committed) {
        //: An error that shows only when the program itself is at fault.
        m_error = QCoreApplication::translate("TempOutput", "Nothing to put in place");
        m_errorNumber = 0;
        return CommitResult::Failed;
    }
    if (!syncFile())
        return CommitResult::Failed;
    if (!moveIntoPlace(replace))
        return m_errorNumber == EEXIST ? CommitResult::Occupied : CommitResult::Failed;
    m_committed = true;
    // The new name itself lasts only once the folder is on disk too; some file systems
    // cannot sync a folder, and the package is complete either way.
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

bool TempOutput::syncFile() {
    // A failure the background flush saw is this file's, even if the system reports it once.
    const int backgroundError = m_sync ? m_sync->Stop() : 0;
    int error = 0;
    if (g_faults.FailSync)
        error = EIO;
    else if (backgroundError != 0)
        error = backgroundError;
    else if (flushWhole(error))
        return true;
    //: %1 is a file's path, %2 the system's reason.
    return fail(QCoreApplication::translate("TempOutput", "Cannot write to disk \"%1\": %2"),
                m_temp.isEmpty() ? m_output : m_temp, error);
}

bool TempOutput::flushWhole(int& errorNumber) {
    if (::fsync(m_fd) != 0) {
        errorNumber = errno;
        return false;
    }
    ++m_wholeFlushes;
    return true;
}

bool TempOutput::moveIntoPlace(bool replace) {
    g_flushesBeforePlacing = m_wholeFlushes;
    return m_temp.isEmpty() ? linkIntoPlace(replace) : renameIntoPlace(m_temp, replace);
}

bool TempOutput::renameIntoPlace(const QByteArray& from, bool replace) {
    if (replace) {
        if (::rename(from.constData(), m_output.constData()) == 0)
            return true;
        return failRename(errno);
    }
    // Without --overwrite a file that appeared during the run must not be replaced.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, m_output.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    int error = errno;
    if (error == EINVAL || error == ENOSYS || error == ENOTSUP) {
        // A file system without the no-replace rename: look, then rename.
        struct stat info {};
        if (::lstat(m_output.constData(), &info) == 0)
            error = EEXIST;
        else if (::rename(from.constData(), m_output.constData()) == 0)
            return true;
        else
            error = errno;
    }
    return failRename(error);
}

// An unnamed file gets the output's name straight away when there is none yet (a link never
// replaces anything); an old package is replaced by renaming over it from a hidden name.
bool TempOutput::linkIntoPlace(bool replace) {
    int error = 0;
    if (linkAs(m_output, error))
        return true;
    if (error != EEXIST || !replace)
        return failRename(error);
    for (int i = 0; i < LinkNameTries; ++i) {
        const QByteArray hidden = hiddenNameBeside(m_output, randomSuffix());
        if (linkAs(hidden, error)) {
            if (renameIntoPlace(hidden, true))
                return true;
            // The rename's failure is recorded; the hidden name must not stay behind.
            ::unlink(hidden.constData());
            return false;
        }
        if (error != EEXIST)
            break;
    }
    return failRename(error);
}

bool TempOutput::linkAs(const QByteArray& name, int& errorNumber) {
    const QByteArray fdPath = procPathOf(m_fd);
    if (::linkat(AT_FDCWD, fdPath.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    errorNumber = errno;
    return false;
}

bool TempOutput::failRename(int errorNumber) {
    return fail(cannotRenameText(), m_output, errorNumber);
}

bool TempOutput::fail(const QString& text, const QByteArray& path, int errorNumber) {
    m_errorNumber = errorNumber;
    m_error = text.arg(QFile::decodeName(path), QString::fromLocal8Bit(std::strerror(errorNumber)));
    return false;
}
