#pragma once

// Mounts private to a test process: a tmpfs that only this process and its children see and
// that goes with it, even when the test dies. Needs the right to mount (root) or, failing
// that, user namespaces (as `unshare -rm`).

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace PrivateMountDetail {

inline bool writeProcFile(const char* Path, const QByteArray& Text) {
    QFile file(QString::fromLatin1(Path));
    return file.open(QIODevice::WriteOnly) && file.write(Text) == Text.size();
}

} // namespace PrivateMountDetail

// Gives this process a mount namespace of its own, so that what a test mounts is private to
// it and goes with it. Without the right to, it tries a user namespace, as `unshare -rm`
// does. Empty on success, else why not.
inline QString EnterPrivateMounts() {
    static QString outcome = [] {
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        if (::unshare(CLONE_NEWNS) != 0) {
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                return QStringLiteral("no private mount namespace: ") + strerror(errno);
            PrivateMountDetail::writeProcFile("/proc/self/setgroups", "deny");
            if (!PrivateMountDetail::writeProcFile(
                    "/proc/self/uid_map", QByteArray("0 ") + QByteArray::number(uid) + " 1") ||
                !PrivateMountDetail::writeProcFile(
                    "/proc/self/gid_map", QByteArray("0 ") + QByteArray::number(gid) + " 1"))
                return QStringLiteral("cannot map the user into its namespace");
        }
        // Mounts made from here on must not show up outside this process.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return QStringLiteral("cannot make mounts private: ") + strerror(errno);
        return QString();
    }();
    return outcome;
}

// Mounts a tmpfs of SizeKiB at Folder, private to this process. Empty on success.
inline QString MountPrivateTmpfs(const QString& Folder, int SizeKiB) {
    const QString why = EnterPrivateMounts();
    if (!why.isEmpty())
        return why;
    const QByteArray options = "size=" + QByteArray::number(SizeKiB) + "k";
    if (::mount("tmpfs", QFile::encodeName(Folder).constData(), "tmpfs", 0, options.constData()) !=
        0)
        return QStringLiteral("cannot mount a tmpfs: ") + strerror(errno);
    return QString();
}

// Disks without Unix permissions or hard links, as USB sticks are, in user space (FUSE):
//   Fat    FAT through fusefat, which refuses every mode change ("Function not implemented")
//   ExFat  exFAT through exfat-fuse on a loop device, which ignores mode changes
enum class StickKind { Fat, ExFat };

namespace PrivateMountDetail {

inline QString findTool(const QString& Name) {
    return QStandardPaths::findExecutable(Name, {"/usr/sbin", "/sbin", "/usr/bin", "/bin"});
}

// Runs Tool with Args; empty when it exits 0, else what it said.
inline QString runTool(const QString& Tool, const QStringList& Args, QByteArray* Out = nullptr) {
    QProcess process;
    process.start(Tool, Args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return QFileInfo(Tool).fileName() + QStringLiteral(" failed: ") +
               QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (Out)
        *Out = process.readAllStandardOutput().trimmed();
    return QString();
}

} // namespace PrivateMountDetail

// Makes a new file system of Kind and SizeKiB in the file Image and mounts it at Folder,
// private to this process. Loop is set to the loop device used (empty for none), to be
// given back to UnmountPrivateStick. Empty on success, else why not.
inline QString MountPrivateStick(StickKind Kind, const QString& Folder, const QString& Image,
                                 int SizeKiB, QString& Loop) {
    using namespace PrivateMountDetail;
    Loop.clear();
    const QString why = EnterPrivateMounts();
    if (!why.isEmpty())
        return why;
    const bool fat = Kind == StickKind::Fat;
    const QString mkfs = findTool(fat ? "mkfs.vfat" : "mkfs.exfat");
    const QString mounter = findTool(fat ? "fusefat" : "mount.exfat-fuse");
    if (mkfs.isEmpty() || mounter.isEmpty())
        return fat ? QStringLiteral("mkfs.vfat (dosfstools) or fusefat is not installed")
                   : QStringLiteral("mkfs.exfat (exfatprogs) or exfat-fuse is not installed");
    if (::access("/dev/fuse", R_OK | W_OK) != 0)
        return QStringLiteral("no FUSE: /dev/fuse: ") + strerror(errno);
    QFile image(Image);
    if (!image.open(QIODevice::WriteOnly) || !image.resize(qint64(SizeKiB) * 1024))
        return QStringLiteral("cannot make the image file");
    image.close();
    QString failed = runTool(mkfs, {Image});
    if (!failed.isEmpty())
        return failed;
    if (fat)
        // fusefat goes into the background once the file system is mounted.
        return runTool(mounter, {"-o", "rw+", Image, Folder});
    // exfat-fuse mounts block devices only.
    const QString losetup = findTool("losetup");
    QByteArray device;
    if (losetup.isEmpty() || !runTool(losetup, {"-f", "--show", Image}, &device).isEmpty())
        return QStringLiteral("no loop device for the image");
    Loop = QString::fromLocal8Bit(device);
    failed = runTool(mounter, {Loop, Folder});
    if (!failed.isEmpty()) {
        runTool(losetup, {"-d", Loop});
        Loop.clear();
    }
    return failed;
}

// Unmounts what MountPrivateStick mounted at Folder and gives its loop device back.
inline void UnmountPrivateStick(const QString& Folder, const QString& Loop) {
    ::umount2(QFile::encodeName(Folder).constData(), MNT_DETACH);
    if (!Loop.isEmpty())
        PrivateMountDetail::runTool(PrivateMountDetail::findTool("losetup"), {"-d", Loop});
}

// Unmounts what MountPrivateTmpfs mounted at Folder, with all it holds.
inline void UnmountPrivate(const QString& Folder) {
    ::umount2(QFile::encodeName(Folder).constData(), MNT_DETACH);
}

// The main of a test that mounts: the private mount namespace is taken before any thread
// starts, since a user namespace (the way without root) admits only a process of one thread.
#define PRIVATE_MOUNTS_TEST_MAIN(TestObject)                                                       \
    QTEST_MAIN_WRAPPER(TestObject, EnterPrivateMounts(); QTEST_QAPP_SETUP(QCoreApplication))
