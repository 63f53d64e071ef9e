#include "os/temp_output.h"
#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_cli.h"
#include "pack_cli/pack_run.h"
#include "zip_engine/test_faults.h"

#include "capture.h"
#include "pack_rig.h"
#include "zip_check.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <memory>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>

// A run that fails while it writes: the step, the package and the system's reason are
// named, the old package stays as it was and no temporary file is left. Faults are injected into
// the archive file.
class TstPackRun : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init();
    void cleanup();
    void writeFailure_data();
    void writeFailure();
    void temporaryFileIsNotPacked();
    void packageMode_data();
    void packageMode();
    void manyFilesUnderLowOpenFileLimit_data();
    void manyFilesUnderLowOpenFileLimit();
    void heldFilesCappedUnderAHighLimit();

  private:
    int run(QString& Err);
    QString output() const { return m_dir->path() + QStringLiteral("/out/Intro.dzt"); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const QByteArray OldBytes = "the previous package";

} // namespace

void TstPackRun::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    const QString project = m_dir->path() + QStringLiteral("/Intro");
    QVERIFY(MakeTree(project, {"readme.txt", "project.xml", "media/thumbs/t1.png"}));
    QVERIFY(WritePatternFile(project + QStringLiteral("/media/clip.mp4"), 3 << 20));
    QVERIFY(MakeFile(output(), OldBytes));
    ZipFileIo::SetTestFaults({});
}

void TstPackRun::cleanup() {
    ZipFileIo::SetTestFaults({});
    QVERIFY(RemoveTree(m_dir->path()));
    m_dir.reset();
}

int TstPackRun::run(QString& Err) {
    ScratchFile out = MakeScratchFile();
    ScratchFile err = MakeScratchFile();
    const int code =
        RunPackCli({"--overwrite", "--kind", "dzt", m_dir->path() + "/Intro", output()},
                   {out.get(), err.get(), false, false, 80});
    Err = Contents(err.get());
    return code;
}

void TstPackRun::writeFailure_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // a pattern; "@" stands for the test's folder
    // The package is written into a file without a name, or a hidden one where there is none.
    const QString full =
        QStringLiteral(R"( failed on "@/out/Intro\.dzt": No space left on device )");
    const QString broken = QStringLiteral(R"( failed on "@/out/Intro\.dzt": Input/output error )");
    const QString temp = QStringLiteral(R"(\(error -1 writing "@/out/Intro\.dzt"\)\n$)");
    const QString named = QStringLiteral(R"("@/out/\.Intro\.dzt\.vendrel-\w{6}")");
    QTest::newRow("first write") << "write 1"
                                 << "^vendrel-pack: OpenFileInZip" + full + temp;
    QTest::newRow("a write inside the large file")
        << "write middle"
        << "^vendrel-pack: (OpenFileInZip|WriteBytes|CloseFileInZip)" + full + temp;
    QTest::newRow("last write") << "write last"
                                << "^vendrel-pack: CloseZip" + full + temp;
    QTest::newRow("a seek") << "seek 2"
                            << "^vendrel-pack: CloseFileInZip" + broken + temp;
    QTest::newRow("the final close") << "close"
                                     << "^vendrel-pack: CloseZip" + broken + temp;
    QTest::newRow("first write, named temporary file")
        << "write 1 named"
        << "^vendrel-pack: OpenFileInZip" + full + R"(\(error -1 writing )" + named + R"(\)\n$)";
    QTest::newRow("first write, named temporary file whose mode cannot change")
        << "write 1 nomode named"
        << "^vendrel-pack: OpenFileInZip" + full + R"(\(error -1 writing )" + named + R"(\)\n$)";
    QTest::newRow("the flush before the rename")
        << "sync"
        << R"(^vendrel-pack: Rename failed: Cannot write to disk "@/out/Intro\.dzt": )";
    QTest::newRow("the flush, named temporary file")
        << "sync named"
        << R"(^vendrel-pack: Rename failed: Cannot write to disk )" + named;
    QTest::newRow("a flush while writing")
        << "flush 1"
        << R"(^vendrel-pack: Rename failed: Cannot write to disk "@/out/Intro\.dzt": )"
           R"(Input/output error\n$)";
}

void TstPackRun::writeFailure() {
    QFETCH(QString, fault);
    QFETCH(QString, message);
    // A clean run first, to learn how many writes a run makes.
    QString err;
    QCOMPARE(run(err), ExitCode::Success);
    const qint64 writes = ZipFileIo::WritesDone();
    QVERIFY(writes > 3);
    QVERIFY(MakeFile(output(), OldBytes));
    ZipFileIo::TestFaults faults;
    faults.NamedTempFile = fault.endsWith(QLatin1String(" named"));
    faults.FailSync = fault.startsWith(QLatin1String("sync"));
    faults.ModeChangeErrno = fault.contains(QLatin1String("nomode")) ? ENOSYS : 0;
    faults.FailBackgroundFlushNumber = fault == QLatin1String("flush 1") ? 1 : 0;
    if (fault.startsWith(QLatin1String("write 1")))
        faults.FailWriteNumber = 1;
    else if (fault == QLatin1String("write middle"))
        faults.FailWriteNumber = writes / 2;
    else if (fault == QLatin1String("write last"))
        faults.FailWriteNumber = writes;
    else if (fault == QLatin1String("seek 2"))
        faults.FailSeekNumber = 2;
    else if (fault == QLatin1String("close"))
        faults.FailClose = true;
    ZipFileIo::SetTestFaults(faults);
    QCOMPARE(run(err), ExitCode::IoFailed);
    const QRegularExpression pattern(
        message.replace(QLatin1Char('@'), QRegularExpression::escape(m_dir->path())));
    QVERIFY2(pattern.match(err).hasMatch(), qPrintable(err));
    QCOMPARE(FileBytes(output()), OldBytes);
    QCOMPARE(QDir(m_dir->path() + "/out").entryList(QDir::Files | QDir::Hidden),
             QStringList{"Intro.dzt"});
}

// Packing starts while the walk goes on: a package written into the project folder, through
// a named temporary file, must not find that file in the walk.
void TstPackRun::temporaryFileIsNotPacked() {
    const QString inside = m_dir->path() + QStringLiteral("/Intro/media/Intro.dzt");
    ZipFileIo::TestFaults faults;
    faults.NamedTempFile = true;
    ZipFileIo::SetTestFaults(faults);
    ScratchFile out = MakeScratchFile();
    ScratchFile err = MakeScratchFile();
    QCOMPARE(RunPackCli({"--kind", "dzt", m_dir->path() + "/Intro", inside},
                        {out.get(), err.get(), false, false, 80}),
             ExitCode::Success);
    const CheckedArchive archive = CheckZip(inside);
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Names(), (QStringList{".\\project.xml", ".\\readme.txt", ".\\media\\clip.mp4",
                                           ".\\media\\thumbs\\t1.png"}));
}

void TstPackRun::packageMode_data() {
    QTest::addColumn<bool>("named");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("modeErrno"); // what the file system answers a mode change
    QTest::addColumn<int>("mode");      // the package's; 0 when the run must fail
    QTest::newRow("new, umask 002") << false << false << 002 << 0 << 0664;
    QTest::newRow("new, named, umask 002") << true << false << 002 << 0 << 0664;
    QTest::newRow("new, named, umask 077") << true << false << 077 << 0 << 0600;
    QTest::newRow("replaced, named, umask 022") << true << true << 022 << 0 << 0644;
    QTest::newRow("new, named, no modes (EOPNOTSUPP)")
        << true << false << 022 << EOPNOTSUPP << 0600;
    QTest::newRow("replaced, named, no modes (EPERM)") << true << true << 022 << EPERM << 0600;
    QTest::newRow("named, the mode change fails (EIO)") << true << true << 022 << EIO << 0;
}

// A package is readable as any new file under the umask is, also through the named temporary
// file; on a file system that keeps no modes it is packed all the same, while any other
// failure of the mode change fails the run before anything is written.
void TstPackRun::packageMode() {
    QFETCH(bool, named);
    QFETCH(bool, replace);
    QFETCH(int, mask);
    QFETCH(int, modeErrno);
    QFETCH(int, mode);
    if (!replace)
        QVERIFY(QFile::remove(output()));
    ZipFileIo::TestFaults faults;
    faults.NamedTempFile = named;
    faults.ModeChangeErrno = modeErrno;
    ZipFileIo::SetTestFaults(faults);
    const mode_t oldMask = ::umask(mode_t(mask));
    QString err;
    const int code = run(err);
    ::umask(oldMask);
    QCOMPARE(QDir(m_dir->path() + "/out").entryList(QDir::Files | QDir::Hidden),
             (replace || mode != 0 ? QStringList{"Intro.dzt"} : QStringList()));
    if (mode == 0) {
        QCOMPARE(code, ExitCode::IoFailed);
        QVERIFY2(err.contains("OpenZip failed: Cannot set the permissions of"), qPrintable(err));
        QCOMPARE(FileBytes(output()), OldBytes);
        return;
    }
    QCOMPARE(code, ExitCode::Success);
    // Flushed to disk before it took the output's place: a power cut cannot leave a partial
    // file under the package's name.
    QCOMPARE(TempOutput::FlushesBeforePlacing(), 1);
    const CheckedArchive archive = CheckZip(output());
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Entries.size(), 4);
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(output()).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 07777), mode);
}

void TstPackRun::manyFilesUnderLowOpenFileLimit_data() {
    QTest::addColumn<int>("filesLeft"); // how many more files the run may open
    QTest::addColumn<bool>("failFirstWrite");
    QTest::newRow("packed") << 100 << false;
    QTest::newRow("packed with few files left to open") << 16 << false;
    QTest::newRow("the first write fails") << 100 << true;
}

// The walk hands files over still open, yet never holds so many that a limit on open files
// far below their number stops it, however few files are left to open; a run that fails early ends
// although the walk is waiting for files to be taken.
void TstPackRun::manyFilesUnderLowOpenFileLimit() {
    QFETCH(int, filesLeft);
    QFETCH(bool, failFirstWrite);
    QStringList names;
    for (int i = 0; i < 400; ++i)
        names << QStringLiteral("many/f%1.txt").arg(i, 3, 10, QLatin1Char('0'));
    const QString project = m_dir->path() + QStringLiteral("/Intro");
    QVERIFY(MakeTree(project, names));
    // The first file keeps the packing busy while the walk goes ahead.
    QVERIFY(WritePatternFile(project + QStringLiteral("/project.xml"), 3 << 20));
    ZipFileIo::TestFaults faults;
    faults.FailWriteNumber = failFirstWrite ? 1 : 0;
    ZipFileIo::SetTestFaults(faults);
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit low = saved;
    low.rlim_cur = QDir(QStringLiteral("/proc/self/fd")).count() + filesLeft;
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &low), 0);
    QString err;
    const int code = run(err);
    setrlimit(RLIMIT_NOFILE, &saved);
    QCOMPARE(code, failFirstWrite ? ExitCode::IoFailed : ExitCode::Success);
    if (failFirstWrite) {
        QCOMPARE(FileBytes(output()), OldBytes);
        return;
    }
    QVERIFY2(err.isEmpty(), qPrintable(err));
    const CheckedArchive archive = CheckZip(output());
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Entries.size(), 404);
    QVERIFY(archive.Names().contains(QStringLiteral(".\\many\\f399.txt")));
}

// However many files the process may open, the walk holds no more than the cap open ahead of
// the packing: it waits once that many are held, and goes on as they are taken.
void TstPackRun::heldFilesCappedUnderAHighLimit() {
    constexpr int Files = FoundFiles::MaxHeldOpen * 2;
    const QString folder = m_dir->path() + QStringLiteral("/many");
    QStringList names;
    for (int i = 0; i < Files; ++i)
        names << QStringLiteral("f%1").arg(i);
    QVERIFY(MakeTree(folder, names));
    FoundFiles found;
    found.HoldAtMost(1 << 20);
    std::atomic<bool> allAdded = false;
    std::thread walk([&] {
        for (const QString& name : names) {
            SourceReader opened;
            const QString path = folder + QLatin1Char('/') + name;
            if (opened.Open(path))
                found.Add(*ZipFileFor(opened, path, name), opened);
        }
        allAdded = true;
    });
    const auto join = qScopeGuard([&] {
        found.StopHolding();
        walk.join();
    });
    QTRY_VERIFY(allAdded || found.AddWaiting());
    QVERIFY2(!allAdded, "every file was held open at once");
    QCOMPARE(found.Count(), FoundFiles::MaxHeldOpen);
    for (int i = 0; i < Files; ++i) {
        QString path;
        QCOMPARE(found.At(i, path, true), DeflateSources::State::Known);
        SourceReader reader;
        QVERIFY(found.TakeOpened(i, reader));
    }
    QTRY_VERIFY(allAdded);
}

QTEST_GUILESS_MAIN(TstPackRun)
#include "tst_pack_run.moc"
