#pragma once

// Mounts private to a test process: a tmpfs that only this process and its children see and
// that goes with it, even when the test dies. Needs the right to mount (root) or, failing
// that, user namespaces (as `unshare -rm`).

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
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

// Unmounts what MountPrivateTmpfs mounted at Folder, with all it holds.
inline void UnmountPrivate(const QString& Folder) {
    ::umount2(QFile::encodeName(Folder).constData(), MNT_DETACH);
}

// The main of a test that mounts: the private mount namespace is taken before any thread
// starts, since a user namespace (the way without root) admits only a process of one thread.
#define PRIVATE_MOUNTS_TEST_MAIN(TestObject)                                                       \
    QTEST_MAIN_WRAPPER(TestObject, EnterPrivateMounts(); QTEST_QAPP_SETUP(QCoreApplication))
