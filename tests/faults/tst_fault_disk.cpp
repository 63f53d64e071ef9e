// A disk that is or becomes full, and an archive that reaches the file-size limit: the run
// ends in an error named in the status line, leaves no package behind (and so gives the
// space back), and the next run succeeds.
#include "fault_rig.h"
#include "private_mount.h"

#include "zip_engine/zip_file_io.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

#ifndef FAULT_PACK_CHILD
#error "FAULT_PACK_CHILD must name the fault_pack_child program"
#endif
#ifndef VENDREL_PROGRAM
#error "VENDREL_PROGRAM must name the vendrel program"
#endif
#ifndef VENDREL_PACK_PROGRAM
#error "VENDREL_PACK_PROGRAM must name the vendrel-pack program"
#endif

namespace {

// Whether the process Pid ignores Signal, from the kernel's own record of it.
bool ignoresSignal(qint64 Pid, int Signal) {
    QFile status(QStringLiteral("/proc/%1/status").arg(Pid));
    if (!status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigIgn:"))
            return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (Signal - 1)) & 1U;
    }
    return false;
}

// Opens a FIFO's reading end after a while, so that a test blocked in opening it for writing
// is let go and fails instead of hanging until its time limit.
class FifoWatchdog {
  public:
    static constexpr int PatienceMs = 5000;

    explicit FifoWatchdog(const QString& Fifo) : m_fifo(QFile::encodeName(Fifo)) {
        // The writer let go this way meets a closed pipe; that must not end the test.
        std::signal(SIGPIPE, SIG_IGN);
        m_thread = std::thread([this] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (m_done.wait_for(lock, std::chrono::milliseconds(PatienceMs),
                                [this] { return m_finished; }))
                return;
            const int fd = ::open(m_fifo.constData(), O_RDONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        });
    }
    ~FifoWatchdog() {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        m_thread.join();
    }
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

  private:
    QByteArray m_fifo;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

} // namespace

class tst_FaultDisk : public QObject, FaultFixture {
    Q_OBJECT

    QList<ExpectedEntry> smallProject() const {
        return {{"a.txt", project() + "/a.txt"}, {"media\\b.bin", project() + "/media/b.bin"}};
    }

  private Q_SLOTS:
    void init() {
        FAULT_VERIFY(setUpFixture());
        QVERIFY(MakeFile(project() + "/a.txt", QByteArray(1000, 'a')));
        QVERIFY(MakePatternFile(project() + "/media/b.bin", 200000, 2));
    }
    void cleanup() { QVERIFY(tearDownFixture()); }

    // Every write to /dev/full fails as on a full disk; the device itself is never removed.
    void devFull() {
        const QString full = out() + "/full.dzs";
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), full));
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, full);
        FAULT_VERIFY(FailedAs(*m_rig, run, WriteStepFailed));
        FAULT_VERIFY(NoPackageAt(full));
        QCOMPARE(QFileInfo(full).symLinkTarget(), QStringLiteral("/dev/full"));
        QVERIFY(QFileInfo::exists(QStringLiteral("/dev/full")));

        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, out() + "/ok.dzs")));
        FAULT_VERIFY(PackageHolds(out() + "/ok.dzs", smallProject()));
    }

    // The output named through a link to a file not yet there: the run creates that file,
    // and when the run fails that partial file goes too, not only the name it was given by.
    void failedRunThroughALink() {
        const QString link = out() + "/linked.dzs";
        const QString target = out() + "/target.dzs";
        QVERIFY(QFile::link(target, link));
        ZipFileIo::SetTestFaults({5, 0, false, 0});
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, link);
        ZipFileIo::SetTestFaults({});
        FAULT_VERIFY(FailedAs(*m_rig, run, WriteStepFailed));
        FAULT_VERIFY(NoPackageAt(target));
        QCOMPARE(QFileInfo(link).symLinkTarget(), target);

        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, link)));
        FAULT_VERIFY(PackageHolds(target, smallProject()));
    }

    // A FIFO chosen as the output: opening it for writing would wait for a reader for ever
    // and freeze the window. It is refused at once; the FIFO stays as it was.
    void outputIsAFifo() {
        const QString fifo = out() + "/pipe.dzs";
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0644) == 0);
        FifoWatchdog watchdog(fifo);
        QElapsedTimer clock;
        clock.start();
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, fifo);
        QVERIFY2(clock.elapsed() < FifoWatchdog::PatienceMs, "opening the output blocked");
        FAULT_VERIFY(FailedAs(*m_rig, run, QStringLiteral("Err -1 in OpenZip")));
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());

        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, out() + "/ok.dzs")));
        FAULT_VERIFY(PackageHolds(out() + "/ok.dzs", smallProject()));
    }

    // The output's folder is deleted while the run writes into it: the archive is gone with
    // it, so the run must not end in "Success".
    void outputFolderDeletedDuringTheRun() {
        const QString folder = out() + "/gone";
        QVERIFY(QDir().mkpath(folder));
        connect(&m_rig->zipper, &Zipper::StartFile, this, [&] {
            if (m_rig->zipper.CurrentFile()->AsFile == QLatin1String("media\\b.bin"))
                QVERIFY(RemoveTree(folder));
        });
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, folder + "/pkg.dzs");
        disconnect(&m_rig->zipper, &Zipper::StartFile, this, nullptr);
        QVERIFY(!QFileInfo::exists(folder));
        FAULT_VERIFY(FailedAs(*m_rig, run, QStringLiteral("Err -1 in CloseZip")));

        QVERIFY(QDir().mkpath(folder));
        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, folder + "/pkg.dzs")));
        FAULT_VERIFY(PackageHolds(folder + "/pkg.dzs", smallProject()));
    }

    // A small disk fills up in the middle of a file. The failed run removes its partial
    // archive, which gives the space back, so a project that fits is packed there next.
    void smallDiskFills() {
        const QString disk = m_dir->path() + "/disk";
        QVERIFY(QDir().mkpath(disk));
        const QString why = MountPrivateTmpfs(disk, 256);
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no small disk to fill (%1)").arg(why)));
        const auto unmount = qScopeGuard([&] { UnmountPrivate(disk); });
        QVERIFY(WriteNoiseFile(project() + "/media/c.bin", 600000, 3));

        const RunRecord run = PackWith(*m_rig, KindCode::DZS, disk + "/full.dzs");
        FAULT_VERIFY(FailedAs(*m_rig, run, WriteStepFailed));
        QVERIFY2(run.Statuses.contains("Packed " + project() + "/media/b.bin"),
                 "the disk filled before the run had written anything");
        FAULT_VERIFY(NoPackageAt(disk + "/full.dzs"));
        QVERIFY(QDir(disk).isEmpty());

        // vendrel-pack on the same disk says why it failed and names the package, not the
        // file it was reading; exit 5 is a failed write.
        QProcess pack;
        pack.start(QStringLiteral(VENDREL_PACK_PROGRAM),
                   {"--kind", "dzs", project(), disk + "/full.dzs"});
        QVERIFY(pack.waitForFinished(60000));
        const QString err = QString::fromUtf8(pack.readAllStandardError());
        QCOMPARE(pack.exitCode(), 5);
        QVERIFY2(
            err.contains(
                QStringLiteral(" failed on \"%1/full.dzs\": No space left on device (").arg(disk)),
            qPrintable(err));
        QVERIFY(QDir(disk).isEmpty());

        QVERIFY(QFile::remove(project() + "/media/c.bin"));
        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, disk + "/fits.dzs")));
        FAULT_VERIFY(PackageHolds(disk + "/fits.dzs", smallProject()));
    }

    // The program makes a write past the file-size limit fail instead of killing it: the
    // run ends in an error, no truncated package stays, and without the limit the next run
    // of the same window succeeds. Runs in a child process that carries the limit.
    void fileSizeLimit() {
        QVERIFY(WriteNoiseFile(project() + "/media/c.bin", 300000, 3));
        QProcess child;
        child.start(QStringLiteral(FAULT_PACK_CHILD),
                    {project(), out() + "/limited.dzs", out() + "/unlimited.dzs",
                     QStringLiteral("150000"), QStringLiteral("setup")});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
        const QStringList runs = QString::fromUtf8(child.readAllStandardOutput()).split('\n');
        QVERIFY2(runs.size() >= 2, qPrintable(runs.join('\n')));
        QVERIFY2(!runs[0].contains("Success"), qPrintable(runs[0]));
        QVERIFY2(QRegularExpression(" \\| " + WriteStepFailed + "$").match(runs[0]).hasMatch(),
                 qPrintable(runs[0]));
        FAULT_VERIFY(NoPackageAt(out() + "/limited.dzs"));
        QVERIFY2(runs[1].endsWith(" | Success") && !runs[1].contains("Err "), qPrintable(runs[1]));
        FAULT_VERIFY(PackageHolds(
            out() + "/unlimited.dzs",
            smallProject() << ExpectedEntry{"media\\c.bin", project() + "/media/c.bin"}));
    }

    // Why the setting matters: left at its default, SIGXFSZ kills the packer at the limit.
    // The package being written has no name yet, so nothing of it stays behind.
    void fileSizeSignalKillsWithoutTheSetting() {
        QVERIFY(WriteNoiseFile(project() + "/media/c.bin", 300000, 3));
        QProcess child;
        child.start(QStringLiteral(FAULT_PACK_CHILD),
                    {project(), out() + "/limited.dzs", out() + "/unlimited.dzs",
                     QStringLiteral("150000"), QStringLiteral("bare")});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(child.exitCode(), SIGXFSZ);
        QCOMPARE(QDir(out()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // The real program ignores SIGXFSZ from its start, even when started with it at default.
    void programIgnoresFileSizeSignal() {
        std::signal(SIGXFSZ, SIG_DFL);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), m_dir->path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->path() + "/config");
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VENDREL_PROGRAM), {});
        QVERIFY(program.waitForStarted(10000));
        const qint64 pid = program.processId();
        const auto stop = qScopeGuard([&] {
            program.kill();
            program.waitForFinished(10000);
        });
        QTRY_VERIFY_WITH_TIMEOUT(
            ignoresSignal(pid, SIGXFSZ) || program.state() == QProcess::NotRunning, 30000);
        QVERIFY2(program.state() == QProcess::Running,
                 qPrintable(QString::fromLocal8Bit(program.readAllStandardError())));
        QVERIFY(ignoresSignal(pid, SIGXFSZ));
    }
};

PRIVATE_MOUNTS_TEST_MAIN(tst_FaultDisk)
#include "tst_fault_disk.moc"
