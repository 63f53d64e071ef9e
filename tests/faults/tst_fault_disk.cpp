// A disk that is or becomes full, and an archive that reaches the file-size limit: the run
// ends in an error named in the status line, leaves no package behind (and so gives the
// space back), and the next run succeeds.
#include "fault_rig.h"
#include "private_mount.h"

#include "zip_engine/test_faults.h"

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
    // archive, which gives the space back, so a project that fits is packed there next; a
    // run that fills the disk while replacing a package leaves the old one as it was. On the
    // sticks people carry packages on, which keep no Unix permissions and have no hard links,
    // all of it works the same through the named temporary file.
    void smallDiskFills_data() {
        QTest::addColumn<QString>("disk");
        QTest::addColumn<int>("sizeKiB"); // room for two small packages, not for a large one
        QTest::addColumn<bool>("window");
        QTest::addColumn<QString>("reason"); // what the file system says when it is full
        QTest::newRow("tmpfs") << "tmpfs" << 1024 << true << "No space left on device";
        QTest::newRow("exFAT in user space")
            << "exfat" << 4096 << true << "No space left on device";
        // fusefat fails a write at the end of a file once the file was written inside, as the
        // window's writer does to complete each entry's header, so only vendrel-pack, which
        // only appends, packs there; it answers a full disk with EPERM.
        QTest::newRow("FAT in user space") << "fat" << 1024 << false << "Operation not permitted";
    }
    void smallDiskFills() {
        QFETCH(QString, disk);
        QFETCH(int, sizeKiB);
        QFETCH(bool, window);
        QFETCH(QString, reason);
        const QString mounted = m_dir->path() + "/disk";
        QVERIFY(QDir().mkpath(mounted));
        QString loop;
        const QString why =
            disk == QLatin1String("tmpfs")
                ? MountPrivateTmpfs(mounted, sizeKiB)
                : MountPrivateStick(disk == QLatin1String("fat") ? StickKind::Fat
                                                                 : StickKind::ExFat,
                                    mounted, m_dir->path() + "/stick.img", sizeKiB, loop);
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no small disk to fill (%1)").arg(why)));
        const auto unmount = qScopeGuard([&] { UnmountPrivateStick(mounted, loop); });
        QVERIFY(WriteNoiseFile(project() + "/media/c.bin", qint64(sizeKiB) * 1536, 3));

        const QString full = mounted + "/full.dzs";
        const QString fits = mounted + "/fits.dzs";
        const QStringList leftAlone{"fits.dzs"};
        const auto left = [&] {
            return QDir(mounted).entryList(QDir::Files | QDir::Hidden | QDir::System);
        };
        const auto pack = [&](const QStringList& Args) {
            QProcess process;
            process.start(QStringLiteral(VENDREL_PACK_PROGRAM),
                          QStringList{"--kind", "dzs"} + Args);
            const bool finished = process.waitForFinished(60000);
            return std::pair(finished ? process.exitCode() : -1,
                             QString::fromUtf8(process.readAllStandardError()));
        };
        if (window) {
            const RunRecord run = PackWith(*m_rig, KindCode::DZS, full);
            FAULT_VERIFY(FailedAs(*m_rig, run, WriteStepFailed));
            QVERIFY2(run.Statuses.contains("Packed " + project() + "/media/b.bin"),
                     "the disk filled before the run had written anything");
            FAULT_VERIFY(NoPackageAt(full));
            QCOMPARE(left(), QStringList());
        }
        // vendrel-pack on the same disk says why it failed and names the package, not the
        // file it was reading; exit 5 is a failed write.
        const auto [code, err] = pack({project(), full});
        QCOMPARE(code, 5);
        const QRegularExpression failedOn(QStringLiteral(" failed on \"%1\": %2 \\(")
                                              .arg(QRegularExpression::escape(full), reason));
        QVERIFY2(failedOn.match(err).hasMatch(), qPrintable(err));
        QCOMPARE(left(), QStringList());

        // Without the large file the project fits, once and replacing itself.
        QVERIFY(QFile::rename(project() + "/media/c.bin", m_dir->path() + "/c.bin"));
        if (window) {
            FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, fits)));
            FAULT_VERIFY(PackageHolds(fits, smallProject()));
            m_rig->platform.MessageAnswers << Platform::MsgAnswer::Ok;
            FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, fits)));
            FAULT_VERIFY(PackageHolds(fits, smallProject()));
        } else {
            QCOMPARE(pack({project(), fits}).first, 0);
        }
        QCOMPARE(pack({"--overwrite", project(), fits}).first, 0);
        FAULT_VERIFY(PackageHolds(fits, smallProject()));
        QCOMPARE(left(), leftAlone);

        // Replacing it with a package that does not fit keeps the old one, byte for byte.
        const QByteArray old = Sha256OfFile(fits);
        QVERIFY(QFile::rename(m_dir->path() + "/c.bin", project() + "/media/c.bin"));
        if (window) {
            m_rig->platform.MessageAnswers << Platform::MsgAnswer::Ok;
            FAULT_VERIFY(FailedAs(*m_rig, PackWith(*m_rig, KindCode::DZS, fits), WriteStepFailed));
            QCOMPARE(Sha256OfFile(fits), old);
            QCOMPARE(left(), leftAlone);
        }
        QCOMPARE(pack({"--overwrite", project(), fits}).first, 5);
        QCOMPARE(Sha256OfFile(fits), old);
        QCOMPARE(left(), leftAlone);
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

    // The real program ignores SIGXFSZ from its start, even when started with it at default,
    // and, started with its standard streams closed (as by a service), holds /dev/null on
    // each of them, so that no package it opens can take their place.
    void programStartUp_data() {
        QTest::addColumn<bool>("streamsClosed");
        QTest::newRow("standard streams open") << false;
        QTest::newRow("standard streams closed") << true;
    }
    void programStartUp() {
        QFETCH(bool, streamsClosed);
        std::signal(SIGXFSZ, SIG_DFL);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("HOME"), m_dir->path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir->path() + "/config");
        program.setProcessEnvironment(environment);
        if (streamsClosed)
            program.start(QStringLiteral("/bin/sh"),
                          {"-c", R"(exec "$0" <&- >&- 2>&-)", QStringLiteral(VENDREL_PROGRAM)});
        else
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
        if (!streamsClosed)
            return;
        for (int fd = 0; fd <= 2; ++fd)
            QCOMPARE(QFile::symLinkTarget(QStringLiteral("/proc/%1/fd/%2").arg(pid).arg(fd)),
                     QStringLiteral("/dev/null"));
    }
};

PRIVATE_MOUNTS_TEST_MAIN(tst_FaultDisk)
#include "tst_fault_disk.moc"
