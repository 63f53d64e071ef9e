#pragma once

#include "capture.h"
#include "pack_rig.h"
#include "zip_check.h"

#include <QDir>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <unistd.h>

// Runs a command on the first core only.
inline const QStringList OnOneCore{QStringLiteral("taskset"), QStringLiteral("-c"),
                                   QStringLiteral("0")};

#ifndef VENDREL_PACK_EXE
#error "VENDREL_PACK_EXE must name the vendrel-pack executable"
#endif

// What one run of the real vendrel-pack left behind.
struct PackResult {
    bool Finished = false;
    int ExitCode = -1;
    QString Out;
    QString Err;
};

// Runs vendrel-pack with Args, standard output and error both pipes; with AsNobody as the
// ordinary user nobody, for whom permission bits really stop a read (when the test runs as
// root; otherwise as the test's own user); through Through (a program and its arguments,
// such as taskset -c 0) when given.
inline PackResult RunPack(const QStringList& Args, int TimeoutMs = 300000, bool AsNobody = false,
                          const QStringList& Through = {}) {
    QProcess process;
    // Real and effective user both: a process whose two differ cannot be inspected by the
    // leak checker.
    if (AsNobody && ::geteuid() == 0)
        process.setChildProcessModifier([] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(125);
        });
    const QStringList command = Through + QStringList{VENDREL_PACK_EXE} + Args;
    process.start(command.first(), command.mid(1));
    PackResult result;
    result.Finished = process.waitForFinished(TimeoutMs);
    result.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.Out = QString::fromUtf8(process.readAllStandardOutput());
    result.Err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The temporary package files left in Folder (there should never be any after a run).
inline QStringList TempFilesIn(const QString& Folder) {
    return QDir(Folder).entryList({QStringLiteral(".*.vendrel-*")},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

// Compares two archives entry by entry, in order, on everything but the time stamps: stored
// name bytes, flags, attributes, method, sizes, CRC, data and extra fields. Empty when equal.
inline QString EntryDifference(const CheckedArchive& A, const CheckedArchive& B) {
    if (!A.Ok || !B.Ok)
        return QStringLiteral("unreadable: %1 %2").arg(A.Error, B.Error);
    if (A.Entries.size() != B.Entries.size())
        return QStringLiteral("entry counts %1 and %2").arg(A.Entries.size()).arg(B.Entries.size());
    for (qsizetype i = 0; i < A.Entries.size(); ++i) {
        const CheckedEntry& a = A.Entries[i];
        const CheckedEntry& b = B.Entries[i];
        const bool same = a.NameBytes == b.NameBytes && a.FlagBits == b.FlagBits &&
                          a.ExternalAttr == b.ExternalAttr && a.InternalAttr == b.InternalAttr &&
                          a.CompressType == b.CompressType && a.FileSize == b.FileSize &&
                          a.Crc == b.Crc && a.Sha256 == b.Sha256 && a.Comment == b.Comment &&
                          a.Extra == b.Extra;
        if (!same)
            return QStringLiteral("entry %1: %2 and %3").arg(i).arg(a.Name, b.Name);
    }
    return QString();
}
