#pragma once

#include "recording_view.h"

#include "fake_platform.h"
#include "fs_test_helpers.h"
#include "zip_check.h"

#include "packing/packer.h"
#include "zip_engine/zipper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

// The window's side of packing without a window: a real Zipper, a scripted platform and a
// recording view, wired through one Packer as the window wires them.
struct PackRig {
    Zipper zipper;
    FakePlatform platform;
    RecordingView view;
    WindowValues values{QString(), QString(), 2000};
    Packer packer{zipper, platform, view, values};
};

// Writes Bytes to Path, creating its folders; true on success.
inline bool MakeFile(const QString& Path, const QByteArray& Bytes = {}) {
    if (!QDir().mkpath(QFileInfo(Path).path()))
        return false;
    QFile file(Path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(Bytes) == Bytes.size();
}

// Creates each file of RelPaths below Root, holding its own relative path as content.
inline bool MakeTree(const QString& Root, const QStringList& RelPaths) {
    for (const QString& rel : RelPaths) {
        if (!MakeFile(Root + QLatin1Char('/') + rel, rel.toUtf8()))
            return false;
    }
    return true;
}

// Creates a file whose name is given as raw bytes, valid UTF-8 or not.
inline bool MakeRawFile(const QByteArray& Path) {
    const int fd = ::open(Path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

// Lets the Zipper's timer run until the current run has ended (Complete or Error).
inline bool WaitForRunEnd(Zipper& Zipper, int TimeoutMs = 120000) {
    return QTest::qWaitFor([&Zipper] { return !Zipper.Zipping(); }, TimeoutMs);
}

// Packs whatever the Zipper holds queued into Path and reads the archive back.
inline CheckedArchive PackQueued(Zipper& Zipper, const QString& Path) {
    if (Zipper.Zip(Path) || !WaitForRunEnd(Zipper))
        return CheckedArchive{};
    return CheckZip(Path);
}

// The names of an archive's entries as the bytes stored, decoded for comparison.
inline QStringList StoredNames(const CheckedArchive& Archive) {
    QStringList names;
    for (const CheckedEntry& entry : Archive.Entries)
        names << QString::fromUtf8(entry.NameBytes);
    return names;
}
