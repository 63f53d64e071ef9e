#pragma once

// What every fault case checks about a packing run driven through the real Packer, folder
// walk, Zipper and writer: how it ended, what the status line said, what it left on disk.

#include "pack_rig.h"
#include "private_mount.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <utility>

#include <sys/stat.h>

// The status line of a run that failed in the archive writer, whichever step met the fault.
inline const QString WriteStepFailed =
    QStringLiteral("Err -?[1-9][0-9]* in (OpenFileInZip|WriteBytes|CloseFileInZip|CloseZip)");
// The status line of a run whose source file could not be read in full at its turn.
inline const QString ReadStepFailed = QStringLiteral("Err -1 in ReadFile");

// One packing run as the window saw it.
struct RunRecord {
    bool Ended = false;   // the run was over within the time allowed
    QStringList Statuses; // every status text set from the press to the end, in order
    QString Final() const { return Statuses.isEmpty() ? QString() : Statuses.last(); }
};

// An archive entry and the file whose bytes it must hold.
using ExpectedEntry = std::pair<QString, QString>;

// Presses the Generate button of Code with the save dialog answering Output, then lets the
// event loop run until the run is over (or none was started), for at most TimeoutMs.
inline RunRecord PackWith(PackRig& Rig, KindCode Code, const QString& Output,
                          int TimeoutMs = 30000) {
    const qsizetype first = Rig.view.Statuses.size();
    Rig.platform.SaveAnswers << Output;
    Rig.packer.Generate(Code);
    RunRecord run;
    run.Ended = WaitForRunEnd(Rig.zipper, TimeoutMs);
    run.Statuses = Rig.view.Statuses.mid(first);
    return run;
}

// Empty when Run ended in a failure whose status matches Pattern (the whole text), with no
// "Success" or "Canceled" on the way, and left the window and the Zipper ready for another
// run; otherwise what is wrong.
inline QString FailedAs(const PackRig& Rig, const RunRecord& Run, const QString& Pattern) {
    if (!Run.Ended)
        return QStringLiteral("the run did not end");
    for (const QString& text : Run.Statuses) {
        if (text == QLatin1String("Success") || text == QLatin1String("Canceled"))
            return QStringLiteral("a failed run said ") + text;
    }
    const QRegularExpression expected(QRegularExpression::anchoredPattern(Pattern));
    if (!expected.match(Run.Final()).hasMatch())
        return QStringLiteral("status \"%1\" does not match \"%2\"").arg(Run.Final(), Pattern);
    if (Rig.zipper.FilesQueued() != 0 || Rig.zipper.BytesToZip() != 0)
        return QStringLiteral("files of the failed run are still queued");
    return {};
}

// Empty when Run ended in "Success" with no error on the way and the bar at 100.
inline QString Succeeded(const PackRig& Rig, const RunRecord& Run) {
    if (!Run.Ended)
        return QStringLiteral("the run did not end");
    if (Run.Final() != QLatin1String("Success"))
        return QStringLiteral("the run ended with \"%1\"").arg(Run.Final());
    for (const QString& text : Run.Statuses) {
        if (text.startsWith(QLatin1String("Err ")))
            return QStringLiteral("a successful run said ") + text;
    }
    if (Rig.zipper.BytesZipped() > 0 && Rig.view.ProgressValue != 100.0F)
        return QStringLiteral("the bar ended at %1").arg(Rig.view.ProgressValue);
    return {};
}

// Empty when no ordinary file is at Path: a failed run leaves no package that could pass
// for a finished one (a link to a device may stay; it is no package).
inline QString NoPackageAt(const QString& Path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(Path).constData(), &info) == 0 && S_ISREG(info.st_mode))
        return QStringLiteral("a package of %1 bytes was left at %2").arg(info.st_size).arg(Path);
    return {};
}

// Empty when the independent reader finds in Archive exactly the entries of Expected, in
// that order, each holding the bytes of its file.
inline QString PackageHolds(const QString& Archive, const QList<ExpectedEntry>& Expected) {
    const CheckedArchive read = CheckZip(Archive);
    if (!read.Ok)
        return QStringLiteral("unreadable package: ") + read.Error;
    QStringList names;
    for (const ExpectedEntry& entry : Expected)
        names << entry.first;
    if (StoredNames(read) != names)
        return QStringLiteral("entries [%1], expected [%2]")
            .arg(StoredNames(read).join(", "), names.join(", "));
    for (qsizetype i = 0; i < Expected.size(); ++i) {
        if (read.Entries[i].Sha256 != Sha256OfFile(Expected[i].second))
            return QStringLiteral("entry %1 does not hold the bytes of %2")
                .arg(names[i], Expected[i].second);
    }
    return {};
}

// Writes Size bytes of WritePatternFile's compressible pattern to Path, creating its folders.
inline bool MakePatternFile(const QString& Path, qint64 Size, quint32 Seed) {
    return QDir().mkpath(QFileInfo(Path).path()) && WritePatternFile(Path, Size, Seed);
}

// Writes Size bytes that deflate cannot shrink (seeded, repeatable) to Path.
inline bool WriteNoiseFile(const QString& Path, qint64 Size, quint32 Seed) {
    QFile file(Path);
    if (!QDir().mkpath(QFileInfo(Path).path()) || !file.open(QIODevice::WriteOnly))
        return false;
    QRandomGenerator random(Seed);
    QByteArray block(65536, Qt::Uninitialized);
    for (qint64 done = 0; done < Size; done += block.size()) {
        random.fillRange(reinterpret_cast<quint32*>(block.data()), block.size() / 4);
        const qint64 n = qMin<qint64>(block.size(), Size - done);
        if (file.write(block.constData(), n) != n)
            return false;
    }
    return true;
}

// Removes a tree of any depth and with any names (rm works one folder at a time, by bytes).
inline bool RemoveAnyTree(const QString& Root) {
    return QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), Root}) == 0;
}

enum class FixtureDisk { Default, InMemory };

// For each test function a fresh temporary folder holding the project folder "Intro" and the
// output folder "out", and a packing rig set to that project. InMemory puts the folder on a
// private tmpfs where one can be mounted.
class FaultFixture {
  protected:
    // Empty when the folders and the rig are ready, else what failed.
    QString setUpFixture(FixtureDisk Disk = FixtureDisk::Default) {
        m_dir = std::make_unique<QTemporaryDir>();
        if (!m_dir->isValid())
            return QStringLiteral("cannot make the test's folder");
        m_inMemory =
            Disk == FixtureDisk::InMemory && MountPrivateTmpfs(m_dir->path(), 1 << 20).isEmpty();
        if (!QDir().mkpath(project()) || !QDir().mkpath(out()))
            return QStringLiteral("cannot make the test's folders");
        m_rig = std::make_unique<PackRig>();
        m_rig->values.ProjectFolder = project();
        return {};
    }
    // Drops the rig, then the folder with all that a test left in it.
    bool tearDownFixture() {
        m_rig.reset();
        if (m_inMemory)
            UnmountPrivate(m_dir->path());
        const bool removed = RemoveAnyTree(m_dir->path());
        m_dir.reset();
        return removed;
    }
    QString project() const { return m_dir->path() + QStringLiteral("/Intro"); }
    QString out() const { return m_dir->path() + QStringLiteral("/out"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PackRig> m_rig;
    bool m_inMemory = false;
};

// Runs Check and turns a non-empty answer into a test failure with that text.
#define FAULT_VERIFY(Check)                                                                        \
    do {                                                                                           \
        const QString why_ = (Check);                                                              \
        QVERIFY2(why_.isEmpty(), qPrintable(why_));                                                \
    } while (false)
