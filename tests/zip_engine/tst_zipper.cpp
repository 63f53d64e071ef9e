#include "zip_check.h"
#include "zip_engine/test_faults.h"
#include "zip_engine/zipper.h"
#include "zipper_recorder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using Sizes = QList<qint64>;

// Waits until the run has ended, then a little longer so that a stray extra event would show.
bool waitForEnd(const ZipperRecorder& Recorder, int Ms = 30000) {
    const QDeadlineTimer deadline(Ms);
    while (Recorder.Ends == 0 && !deadline.hasExpired())
        QTest::qWait(5);
    QTest::qWait(50);
    return Recorder.Ends == 1;
}

QByteArray headOf(const QString& Path, qint64 Size) {
    QFile f(Path);
    return f.open(QIODevice::ReadOnly) ? f.read(Size) : QByteArray();
}

QString joined(const QStringList& Events) {
    return Events.join(QLatin1Char(' '));
}

// "Progress 131072" .. for Count chunks after From bytes.
QStringList progress(int Step, qint64 From, int Count, qint64 Last = 0) {
    QStringList events;
    for (int i = 1; i <= Count; ++i)
        events << QStringLiteral("%1:Progress %2").arg(Step).arg(From + i * Zipper::ChunkSize);
    if (Last > 0)
        events << QStringLiteral("%1:Progress %2").arg(Step).arg(Last);
    return events;
}

const char* const StepNames[] = {"OpenFileInZip", "ReadFile", "WriteBytes", "CloseFileInZip",
                                 "CloseZip"};

} // namespace

class TstZipper : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        QVERIFY(m_dir.isValid());
        ZipFileIo::SetTestFaults({});
        m_files.clear();
    }
    void cleanup() { ZipFileIo::SetTestFaults({}); }

    void eventSequence_data() {
        QTest::addColumn<Sizes>("sizes");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("empty queue") << Sizes{} << QStringList{"1:Complete false"};
        QTest::newRow("empty file")
            << Sizes{0} << QStringList{"1:StartFile", "1:EndFile", "2:Complete false"};
        QTest::newRow("one chunk")
            << Sizes{131072}
            << QStringList{"1:StartFile", "1:Progress 131072", "1:EndFile", "2:Complete false"};
        QTest::newRow("one chunk and one byte")
            << Sizes{131073}
            << QStringList{"1:StartFile", "1:Progress 131072", "1:Progress 131073", "1:EndFile",
                           "2:Complete false"};
        QTest::newRow("ten chunks") << Sizes{1310720}
                                    << QStringList{"1:StartFile"} + progress(1, 0, 10) +
                                           QStringList{"2:EndFile", "3:Complete false"};
        QTest::newRow("ten chunks and one byte")
            << Sizes{1310721}
            << QStringList{"1:StartFile"} + progress(1, 0, 10) +
                   QStringList{"2:Progress 1310721", "2:EndFile", "3:Complete false"};
        QTest::newRow("one and a half chunks, then an empty file")
            << Sizes{196608, 0}
            << QStringList{"1:StartFile", "1:Progress 131072", "1:Progress 196608", "1:EndFile",
                           "2:StartFile", "2:EndFile",         "3:Complete false"};
    }
    void eventSequence() {
        QFETCH(Sizes, sizes);
        QFETCH(QStringList, events);
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        qint64 total = 0;
        for (qint64 size : sizes) {
            QVERIFY(!zipper.AddFile(makeFile(size)));
            total += size;
        }
        QCOMPARE(zipper.BytesToZip(), total);
        QCOMPARE(recorder.Timer->interval(), 16);
        QVERIFY(!recorder.Timer->isActive());
        qint64 toZipAtStart = -1;
        qint64 toZipAtEnd = -1;
        recorder.OnEvent = [&](const QString& Event) {
            if (Event == QLatin1String("StartFile") && toZipAtStart < 0)
                toZipAtStart = zipper.BytesToZip();
            if (Event == QLatin1String("Complete"))
                toZipAtEnd = zipper.Zipping() ? -2 : zipper.BytesToZip();
        };
        const QString archive = m_dir.filePath(QStringLiteral("sequence.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(zipper.Zipping());
        QVERIFY(recorder.Timer->isActive());
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events), joined(events));
        QVERIFY(!recorder.TimerRanInStep);
        QVERIFY(!recorder.Timer->isActive());
        if (!sizes.isEmpty())
            QCOMPARE(toZipAtStart, total);
        QCOMPARE(toZipAtEnd, 0);
        QCOMPARE(zipper.BytesZipped(), total);
        verifyArchive(archive, m_files);
    }

    void currentFileFollowsTheQueue() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        recorder.Fast();
        QCOMPARE(zipper.CurrentFile(), nullptr);
        QVERIFY(!zipper.AddFile(makeFile(10), QStringLiteral("first")));
        QVERIFY(!zipper.AddFile(makeFile(20), QStringLiteral("second")));
        QStringList seen;
        recorder.OnEvent = [&](const QString& Event) {
            const ZipFile* file = zipper.CurrentFile();
            seen << Event + QLatin1Char('=') + (file ? file->AsFile : QStringLiteral("none"));
        };
        QVERIFY(!zipper.Zip(m_dir.filePath(QStringLiteral("current.zip"))));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(seen), QStringLiteral("StartFile=first Progress=first EndFile=first "
                                              "StartFile=second Progress=second EndFile=second "
                                              "Complete=second"));
        QCOMPARE(zipper.CurrentFile()->ByteCount, 20);
    }

    void addFile_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("asFile");
        QTest::addColumn<int>("attrs");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<quint32>("external");
        QTest::newRow("name after the last backslash")
            << "pre\\a.txt"
            << "" << 0 << false << "a.txt" << quint32(0x20);
        QTest::newRow("name after the last slash") << "sub/b.txt"
                                                   << "" << 0 << false << "b.txt" << quint32(0x20);
        QTest::newRow("given name kept as it is")
            << "c.txt"
            << ".\\media\\clip.mp4" << 0 << false << ".\\media\\clip.mp4" << quint32(0x20);
        QTest::newRow("own attributes of a read-only file")
            << "d.txt"
            << "d.txt" << 0 << true << "d.txt" << quint32(0x21);
        QTest::newRow("own attributes of a hidden file")
            << ".e"
            << ".e" << 0 << false << ".e" << quint32(0x22);
        QTest::newRow("given attributes win")
            << "f.txt"
            << "f.txt" << 0x01 << false << "f.txt" << quint32(0x01);
        QTest::newRow("given attributes masked")
            << "g.txt"
            << "g.txt" << 0x30 << false << "g.txt" << quint32(0x20);
    }
    void addFile() {
        QFETCH(QString, fileName);
        QFETCH(QString, asFile);
        QFETCH(int, attrs);
        QFETCH(bool, readOnly);
        QFETCH(QString, entry);
        QFETCH(quint32, external);
        QDir(m_dir.path()).mkpath(QStringLiteral("sub"));
        const QString source = m_dir.filePath(fileName);
        QVERIFY(WritePatternFile(source, 5000, 7));
        if (readOnly)
            QVERIFY(::chmod(QFile::encodeName(source).constData(), 0444) == 0);
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        QVERIFY(!zipper.AddFile(source, asFile, 8, -1, attrs));
        const QString archivePath = m_dir.filePath(QStringLiteral("add.zip"));
        QVERIFY(!zipper.Zip(archivePath));
        QVERIFY(waitForEnd(recorder));
        const CheckedArchive archive = CheckZip(archivePath);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Entries.size(), 1);
        QCOMPARE(archive.Entries[0].NameBytes, entry.toUtf8());
        QCOMPARE(archive.Entries[0].ExternalAttr, external);
        QCOMPARE(archive.Entries[0].Sha256, Sha256OfFile(source));
    }

    void addFileRefuses_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing path") << "missing";
        QTest::newRow("folder") << "folder";
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("empty path") << "empty";
    }
    void addFileRefuses() {
        QFETCH(QString, kind);
        const QString path = kind == QLatin1String("empty") ? QString() : m_dir.filePath(kind);
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir(m_dir.path()).mkpath(kind));
        if (kind == QLatin1String("pipe"))
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        const QString kept = makeFile(300);
        QVERIFY(!zipper.AddFile(kept));
        QVERIFY(zipper.AddFile(path));
        QCOMPARE(zipper.BytesToZip(), 300);
        const QString archive = m_dir.filePath(QStringLiteral("refused.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        verifyArchive(archive, m_files);
    }

    void addFileDuringRunJoinsIt() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        QVERIFY(!zipper.AddFile(makeFile(1000)));
        const QString late = makeFile(2000);
        recorder.OnEvent = [&](const QString& Event) {
            if (Event == QLatin1String("StartFile") && recorder.Steps == 0)
                QVERIFY(!zipper.AddFile(late));
        };
        const QString archive = m_dir.filePath(QStringLiteral("late.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events),
                 QStringLiteral("1:StartFile 1:Progress 1000 1:EndFile 2:StartFile "
                                "2:Progress 3000 2:EndFile 3:Complete false"));
        QCOMPARE(zipper.BytesZipped(), 3000);
        verifyArchive(archive, m_files);
    }

    void zipRefusedWhileZipping() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        QVERIFY(!zipper.AddFile(makeFile(200000)));
        const QString archive = m_dir.filePath(QStringLiteral("first.zip"));
        const QString other = m_dir.filePath(QStringLiteral("second.zip"));
        bool refusedInHandler = false;
        recorder.OnEvent = [&](const QString& Event) {
            if (Event == QLatin1String("Progress") && !refusedInHandler)
                refusedInHandler = zipper.Zip(other) && zipper.Result() == 0 &&
                                   zipper.Failed() == QLatin1String("Already mZipping");
        };
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(zipper.Zip(other));
        QCOMPARE(zipper.Failed(), QStringLiteral("Already mZipping"));
        QCOMPARE(zipper.Result(), 0);
        QVERIFY(zipper.Zipping());
        QVERIFY(waitForEnd(recorder));
        QVERIFY(refusedInHandler);
        QCOMPARE(recorder.Events.last(), QStringLiteral("2:Complete false"));
        QVERIFY(!QFile::exists(other));
        verifyArchive(archive, m_files);
    }

    void zipRefusedWhenArchiveCannotBeCreated() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        QVERIFY(!zipper.AddFile(makeFile(100)));
        QVERIFY(!zipper.AddFile(makeFile(200)));
        QVERIFY(zipper.Zip(m_dir.filePath(QStringLiteral("no/such/folder/a.zip"))));
        QCOMPARE(zipper.Failed(), QStringLiteral("OpenZip"));
        QCOMPARE(zipper.Result(), -1);
        QVERIFY(!zipper.Zipping());
        // The queue is emptied and its bytes no longer count.
        QCOMPARE(zipper.BytesToZip(), 0);
        QTest::qWait(100);
        QVERIFY(recorder.Events.isEmpty());
        QVERIFY(!recorder.Timer->isActive());
        const QString archive = m_dir.filePath(QStringLiteral("after-refusal.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events), QStringLiteral("1:Complete false"));
        QCOMPARE(zipper.Failed(), QStringLiteral("OpenZip"));
        verifyArchive(archive, {});
    }

    void cancel_data() {
        QTest::addColumn<Sizes>("sizes");
        QTest::addColumn<QString>("cancelAt");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<Sizes>("stored");
        QTest::newRow("during a file") << Sizes{3 * 1310720, 500} << "Progress"
                                       << QStringList{"1:StartFile"} + progress(1, 0, 10) +
                                              QStringList{"2:EndFile", "3:Complete true"}
                                       << Sizes{1310720};
        QTest::newRow("between files")
            << Sizes{1000, 2000, 3000} << "EndFile"
            << QStringList{"1:StartFile", "1:Progress 1000", "1:EndFile",
                           "2:StartFile", "2:EndFile",       "3:Complete true"}
            << Sizes{1000, 0};
        QTest::newRow("as a file starts")
            << Sizes{1000, 2000} << "StartFile"
            << QStringList{"1:StartFile", "1:EndFile", "2:Complete true"} << Sizes{0};
        QTest::newRow("after the last file")
            << Sizes{1000} << "EndFile"
            << QStringList{"1:StartFile", "1:Progress 1000", "1:EndFile", "2:Complete true"}
            << Sizes{1000};
    }
    void cancel() {
        QFETCH(Sizes, sizes);
        QFETCH(QString, cancelAt);
        QFETCH(QStringList, events);
        QFETCH(Sizes, stored);
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        for (qint64 size : sizes)
            QVERIFY(!zipper.AddFile(makeFile(size)));
        recorder.OnEvent = [&](const QString& Event) {
            if (Event == cancelAt && recorder.Steps == 0)
                zipper.Cancel();
        };
        const QString archive = m_dir.filePath(QStringLiteral("cancel.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events), joined(events));
        QVector<QPair<QString, qint64>> expected;
        for (int i = 0; i < stored.size(); ++i)
            expected << qMakePair(m_files[i].first, stored[i]);
        verifyArchive(archive, expected);
        // The cancel was for that run only.
        ZipperRecorder next(zipper);
        next.Fast();
        QVERIFY(!zipper.AddFile(makeFile(10)));
        QVERIFY(!zipper.Zip(m_dir.filePath(QStringLiteral("after-cancel.zip"))));
        QVERIFY(waitForEnd(next));
        QCOMPARE(next.Events.last(), QStringLiteral("2:Complete false"));
    }

    // A file whose source has gone by the time a cancelled run starts it still gets its
    // empty entry; the run ends cancelled, and its archive is kept.
    void cancelBeforeAVanishedFile() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        QVERIFY(!zipper.AddFile(makeFile(1000)));
        QVERIFY(!zipper.AddFile(makeFile(2000)));
        recorder.OnEvent = [&](const QString& Event) {
            if (Event != QLatin1String("EndFile") || recorder.Steps != 0)
                return;
            zipper.Cancel();
            QVERIFY(QFile::remove(m_dir.filePath(m_files[1].first)));
        };
        const QString archive = m_dir.filePath(QStringLiteral("cancel-vanished.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events),
                 QStringLiteral("1:StartFile 1:Progress 1000 1:EndFile 2:StartFile 2:EndFile "
                                "3:Complete true"));
        verifyArchive(archive, {qMakePair(m_files[0].first, qint64(1000)),
                                qMakePair(m_files[1].first, qint64(0))});
    }

    void cancelBetweenRunsHasNoEffect() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        zipper.Cancel();
        QVERIFY(!zipper.AddFile(makeFile(100)));
        const QString archive = m_dir.filePath(QStringLiteral("uncancelled.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events),
                 QStringLiteral("1:StartFile 1:Progress 100 1:EndFile 2:Complete false"));
        verifyArchive(archive, m_files);
    }

    // A cancel asked for in a run that then fails must not cut the next run short.
    void cancelDoesNotOutliveFailedRun() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        QVERIFY(!zipper.AddFile(makeFile(1000)));
        recorder.OnEvent = [&](const QString& Event) {
            if (Event == QLatin1String("Progress"))
                zipper.Cancel();
        };
        // The first seek patches the entry's header as it closes, in the same step.
        ZipFileIo::SetTestFaults({0, 1, false, 0});
        QVERIFY(!zipper.Zip(m_dir.filePath(QStringLiteral("failing.zip"))));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events), QStringLiteral("1:StartFile 1:Progress 1000 1:Error"));
        recorder.OnEvent = nullptr;
        m_files.clear();
        verifyFailedRun(zipper, recorder, QString(), QStringLiteral("CloseFileInZip"));
    }

    // A source that cannot be read in full, or no longer holds the bytes it was queued with,
    // ends the run with "ReadFile"; nothing made up or cut short is stored, and the
    // incomplete archive is removed.
    void unreadableSource_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<qint64>("zippedAtError"); // the failed chunk is counted before its read
        QTest::addColumn<bool>("sizeChanged");
        const QStringList atOpen{"1:StartFile", "1:Error"};
        const QStringList atSecondChunk{"1:StartFile", "1:Progress 131072", "1:Error"};
        const QStringList atEnd{"1:StartFile", "1:Progress 131072", "1:Progress 262144",
                                "1:Progress 300000", "1:Error"};
        QTest::newRow("vanished") << "vanish" << atOpen << qint64(0) << false;
        QTest::newRow("replaced by a folder") << "folder" << atOpen << qint64(0) << false;
        QTest::newRow("replaced by a pipe") << "pipe" << atOpen << qint64(0) << false;
        QTest::newRow("shrunk before its turn") << "shrink" << atOpen << qint64(0) << true;
        QTest::newRow("grown before its turn") << "grow" << atOpen << qint64(0) << true;
        QTest::newRow("shrunk while read")
            << "shrinkWhileRead" << atSecondChunk << qint64(262144) << true;
        QTest::newRow("grown while read") << "growWhileRead" << atEnd << qint64(300000) << true;
        QTest::newRow("read error mid-file")
            << "readError" << atSecondChunk << qint64(262144) << false;
    }
    void unreadableSource() {
        QFETCH(QString, change);
        QFETCH(QStringList, events);
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        qint64 zippedAtError = -1;
        const QString source = makeFile(300000);
        const bool whileRead = change.endsWith(QLatin1String("WhileRead"));
        recorder.OnEvent = [&](const QString& Event) {
            if (Event == QLatin1String("Error"))
                zippedAtError = zipper.BytesZipped();
            if (whileRead && Event.startsWith(QLatin1String("Progress")) &&
                zipper.BytesZipped() == Zipper::ChunkSize)
                changeSource(source, change.chopped(9));
        };
        QVERIFY(!zipper.AddFile(source));
        QVERIFY(!zipper.AddFile(makeFile(1000)));
        if (!whileRead)
            changeSource(source, change);
        const QString archive = m_dir.filePath(QStringLiteral("unreadable.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events), joined(events));
        QTEST(zippedAtError, "zippedAtError");
        QTEST(zipper.Detail() == Zipper::FailureDetail::SizeChanged, "sizeChanged");
        verifyFailedRun(zipper, recorder, archive, QStringLiteral("ReadFile"));
    }

    // An archive on /dev/full fails for real; the failing step is named and the device is
    // left alone.
    void writeFailureOnFullDevice_data() {
        QTest::addColumn<Sizes>("sizes");
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("empty queue") << Sizes{} << 8 << "CloseZip" << QStringList{"1:Error"};
        QTest::newRow("stored file of two chunks")
            << Sizes{262144} << 0 << "WriteBytes" << QStringList{"1:StartFile", "1:Error"};
        QTest::newRow("small deflated file")
            << Sizes{1000} << 8 << "CloseFileInZip"
            << QStringList{"1:StartFile", "1:Progress 1000", "1:Error"};
    }
    void writeFailureOnFullDevice() {
        QFETCH(Sizes, sizes);
        QFETCH(int, method);
        QFETCH(QString, step);
        QFETCH(QStringList, events);
        const QString device = QStringLiteral("/dev/full");
        if (!QFileInfo(device).isWritable())
            QSKIP("no writable /dev/full here");
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        for (qint64 size : sizes)
            QVERIFY(!zipper.AddFile(makeFile(size), {}, method));
        QVERIFY(!zipper.Zip(device));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(joined(recorder.Events), joined(events));
        QCOMPARE(zipper.Failed(), step);
        QCOMPARE(zipper.Result(), -1);
        struct stat info {};
        QVERIFY(::stat("/dev/full", &info) == 0 && S_ISCHR(info.st_mode));
        verifyFailedRun(zipper, recorder, QString(), step);
    }

    // A write, seek or close lost in the file layer always ends the run in Error: no run whose
    // bytes did not all reach the disk ends in Complete.
    void injectedFault_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("first write") << "write:first";
        QTest::newRow("middle write") << "write:middle";
        QTest::newRow("last write") << "write:last";
        QTest::newRow("first seek") << "seek:first";
        QTest::newRow("last seek") << "seek:last";
        QTest::newRow("final close") << "close";
    }
    void injectedFault() {
        QFETCH(QString, fault);
        const auto [writes, seeks] = dryRun();
        QVERIFY(writes > 10 && seeks > 1);
        const QString kind = fault.section(QLatin1Char(':'), 0, 0);
        const QString which = fault.section(QLatin1Char(':'), 1);
        const qint64 total = kind == QLatin1String("write") ? writes : seeks;
        const qint64 number = which == QLatin1String("first")    ? 1
                              : which == QLatin1String("middle") ? total / 2
                                                                 : total;
        ZipFileIo::TestFaults faults;
        faults.FailWriteNumber = kind == QLatin1String("write") ? number : 0;
        faults.FailSeekNumber = kind == QLatin1String("seek") ? number : 0;
        faults.FailClose = kind == QLatin1String("close");
        // A second name keeps the archive's bytes after the failed run has removed it.
        const QString kept = m_dir.filePath(QStringLiteral("kept.zip"));
        QFile archive(m_dir.filePath(QStringLiteral("faulty.zip")));
        QVERIFY(archive.open(QIODevice::WriteOnly));
        archive.close();
        QVERIFY(!QFile::exists(kept) || QFile::remove(kept));
        QVERIFY(::link(QFile::encodeName(archive.fileName()).constData(),
                       QFile::encodeName(kept).constData()) == 0);
        runFaulty(faults);
        // The first write failed at offset 0: no later write, not even the closing
        // directory, reached the file.
        if (faults.FailWriteNumber == 1)
            QCOMPARE(QFileInfo(kept).size(), 0);
    }

    void everyLostWriteEndsInError() {
        const qint64 writes = dryRun().first;
        for (qint64 n = 1; n <= writes; ++n) {
            ZipFileIo::TestFaults faults;
            faults.FailWriteNumber = n;
            runFaulty(faults, false);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("write %1 of %2").arg(n).arg(writes)));
        }
    }

    // An archive opened to add to is never deleted: its earlier entries survive a failed run.
    void appendedArchiveSurvivesFailure() {
        const QString archive = m_dir.filePath(QStringLiteral("append.zip"));
        Zipper zipper;
        ZipperRecorder first(zipper);
        first.Fast();
        QVERIFY(!zipper.AddFile(makeFile(4000)));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(first));
        const auto earlier = m_files;
        ZipperRecorder failing(zipper);
        failing.Fast();
        QVERIFY(!zipper.AddFile(makeFile(5000)));
        ZipFileIo::SetTestFaults({1, 0, false, 0});
        QVERIFY(!zipper.Zip(archive, 2));
        QVERIFY(waitForEnd(failing));
        QCOMPARE(failing.Events.last().section(QLatin1Char(':'), 1), QStringLiteral("Error"));
        verifyArchive(archive, earlier);
        ZipFileIo::SetTestFaults({});
        ZipperRecorder adding(zipper);
        adding.Fast();
        QVERIFY(!zipper.AddFile(makeFile(6000)));
        QVERIFY(!zipper.Zip(archive, 2));
        QVERIFY(waitForEnd(adding));
        verifyArchive(archive, earlier + m_files.mid(m_files.size() - 1));
    }

    void bytesToZipCountsQueuedAndTakenFiles() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        recorder.Fast();
        QVERIFY(!zipper.AddFile(makeFile(1000)));
        QVERIFY(!zipper.AddFile(makeFile(2000)));
        QCOMPARE(zipper.BytesToZip(), 3000);
        zipper.ClearFiles();
        QCOMPARE(zipper.BytesToZip(), 0);
        m_files.clear();
        const QString first = makeFile(3000);
        QVERIFY(!zipper.AddFile(first));
        QVERIFY(!zipper.AddFile(makeFile(4000)));
        QVERIFY(!zipper.AddFile(makeFile(5000)));
        // A handler empties the queue as the first file starts: that file is still packed and
        // counted, so progress ends at 100.
        QList<qint64> atEndFile;
        recorder.OnEvent = [&](const QString& Event) {
            if (Event == QLatin1String("StartFile"))
                zipper.ClearFiles();
            if (Event == QLatin1String("EndFile"))
                atEndFile << zipper.BytesToZip() << zipper.BytesZipped();
        };
        const QString archive = m_dir.filePath(QStringLiteral("counted.zip"));
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(atEndFile, (QList<qint64>{3000, 3000}));
        QCOMPARE(zipper.BytesToZip(), 0);
        verifyArchive(archive, m_files.mid(0, 1));
    }

    // Byte counts are 64-bit: totals beyond 4 GiB stay exact (sparse files, read only in part).
    void countsBeyondFourGiB() {
        const qint64 big = 3LL << 30;
        const qint64 bigger = 3LL << 31;
        const QString a = sparseFile(QStringLiteral("a.bin"), big);
        const QString b = sparseFile(QStringLiteral("b.bin"), bigger);
        if (a.isEmpty() || b.isEmpty())
            QSKIP("no sparse files here");
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        recorder.Fast();
        QVERIFY(!zipper.AddFile(a));
        QVERIFY(!zipper.AddFile(b));
        QCOMPARE(zipper.BytesToZip(), big + bigger);
        recorder.OnEvent = [&](const QString& Event) {
            if (Event == QLatin1String("Progress"))
                zipper.Cancel();
        };
        const QString archivePath = m_dir.filePath(QStringLiteral("sparse.zip"));
        QVERIFY(!zipper.Zip(archivePath));
        QVERIFY(waitForEnd(recorder));
        QCOMPARE(recorder.Events.last(), QStringLiteral("3:Complete true"));
        QCOMPARE(zipper.BytesZipped(), 10 * Zipper::ChunkSize);
        verifyArchive(archivePath, {{QStringLiteral("a.bin"), 10 * Zipper::ChunkSize}});
    }

    // Destroying the Zipper mid-run (the window closing) finishes the archive with the
    // entries written so far.
    void destroyedMidRunLeavesCompleteArchive() {
        const QString archive = m_dir.filePath(QStringLiteral("destroyed.zip"));
        auto zipper = std::make_unique<Zipper>();
        ZipperRecorder recorder(*zipper);
        QVERIFY(!zipper->AddFile(makeFile(2000)));
        QVERIFY(!zipper->AddFile(makeFile(3 * 1310720)));
        // Hold the run after its second step, in the middle of the second file.
        recorder.OnEvent = [&](const QString&) {
            if (recorder.Steps == 1)
                recorder.Timer->setInterval(600000);
        };
        QVERIFY(!zipper->Zip(archive));
        QTRY_COMPARE(recorder.Steps, 2);
        QCOMPARE(recorder.Events.last(), QStringLiteral("2:Progress 1312720"));
        zipper.reset();
        verifyArchive(archive, {m_files[0], qMakePair(m_files[1].first, 1310720LL)});
    }

  private:
    // Writes a pattern file of Size bytes and remembers its name and size.
    QString makeFile(qint64 Size) {
        // Never reused: a test may have turned an earlier source into a folder or a pipe.
        const QString name = QStringLiteral("f%1-%2.bin").arg(++m_serial).arg(Size);
        const QString path = m_dir.filePath(name);
        if (!WritePatternFile(path, Size, m_serial))
            qFatal("cannot write %s", qPrintable(path));
        m_files << qMakePair(name, Size);
        return path;
    }

    QString sparseFile(const QString& Name, qint64 Size) {
        QFile f(m_dir.filePath(Name));
        if (!f.open(QIODevice::WriteOnly) || !f.resize(Size))
            return {};
        return f.fileName();
    }

    static void changeSource(const QString& Source, const QString& Change) {
        if (Change == QLatin1String("readError")) {
            ZipFileIo::SetTestFaults({0, 0, false, 2});
            return;
        }
        if (Change == QLatin1String("shrink")) {
            QVERIFY(QFile::resize(Source, 200000));
            return;
        }
        if (Change == QLatin1String("grow")) {
            QFile file(Source);
            QVERIFY(file.open(QIODevice::Append) && file.write(QByteArray(5000, 'z')) == 5000);
            return;
        }
        QVERIFY(QFile::remove(Source));
        if (Change == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(Source));
        if (Change == QLatin1String("pipe"))
            QVERIFY(::mkfifo(QFile::encodeName(Source).constData(), 0644) == 0);
    }

    // Entries named after the files (in order), each holding the first Size bytes of its file.
    void verifyArchive(const QString& Path, const QVector<QPair<QString, qint64>>& Entries) {
        const CheckedArchive archive = CheckZip(Path);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Entries.size(), Entries.size());
        for (int i = 0; i < Entries.size(); ++i) {
            const CheckedEntry& e = archive.Entries[i];
            QCOMPARE(e.Name, Entries[i].first);
            QCOMPARE(e.FileSize, Entries[i].second);
            QCOMPARE(e.Sha256, Sha256Of(headOf(m_dir.filePath(e.Name), e.FileSize)));
            QCOMPARE(e.Extra, QByteArray());
            QCOMPARE(e.FlagBits & 0x800, 0);
        }
    }

    // After an Error: the run is over, nothing stale is left, and the next Zip succeeds.
    void verifyFailedRun(Zipper& Z, const ZipperRecorder& Recorder, const QString& Archive,
                         const QString& Step) {
        QCOMPARE(Recorder.Ends, 1);
        QVERIFY2(Recorder.Events.last().endsWith(QLatin1String(":Error")),
                 qPrintable(joined(Recorder.Events)));
        QCOMPARE(Z.Failed(), Step);
        QCOMPARE(Z.Result(), -1);
        QVERIFY(!Z.Zipping());
        QCOMPARE(Z.BytesToZip(), 0);
        QVERIFY(!Recorder.Timer->isActive());
        if (!Archive.isEmpty())
            QVERIFY2(!QFile::exists(Archive), "incomplete archive left behind");
        ZipFileIo::SetTestFaults({});
        ZipperRecorder next(Z);
        next.Fast();
        const QString again = m_dir.filePath(QStringLiteral("again.zip"));
        QVERIFY(!Z.AddFile(makeFile(777)));
        QVERIFY(!Z.Zip(again));
        QVERIFY(waitForEnd(next));
        QCOMPARE(next.Events.last(), QStringLiteral("2:Complete false"));
        verifyArchive(again, m_files.mid(m_files.size() - 1));
    }

    void queueFaultRunFiles(Zipper& Z) {
        m_files.clear();
        QVERIFY(!Z.AddFile(makeFile(200000)));
        QVERIFY(!Z.AddFile(makeFile(0)));
        QVERIFY(!Z.AddFile(makeFile(131073), {}, 0));
    }

    // Writes and seeks of a clean run over the fault-test files.
    QPair<qint64, qint64> dryRun() {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        recorder.Fast();
        queueFaultRunFiles(zipper);
        const QString archive = m_dir.filePath(QStringLiteral("dry.zip"));
        ZipFileIo::SetTestFaults({});
        if (zipper.Zip(archive) || !waitForEnd(recorder))
            return {};
        const QPair<qint64, qint64> counts{ZipFileIo::WritesDone(), ZipFileIo::SeeksDone()};
        verifyArchive(archive, m_files);
        return counts;
    }

    // One run over the fault-test files with Faults injected; it must end in Error. With
    // Recovery, the same Zipper must then pack again.
    void runFaulty(const ZipFileIo::TestFaults& Faults, bool Recovery = true) {
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        recorder.Fast();
        queueFaultRunFiles(zipper);
        const QString archive = m_dir.filePath(QStringLiteral("faulty.zip"));
        ZipFileIo::SetTestFaults(Faults);
        QVERIFY(!zipper.Zip(archive));
        QVERIFY(waitForEnd(recorder));
        QVERIFY2(std::find(std::begin(StepNames), std::end(StepNames), zipper.Failed()) !=
                     std::end(StepNames),
                 qPrintable(zipper.Failed()));
        if (Recovery) {
            verifyFailedRun(zipper, recorder, archive, zipper.Failed());
            return;
        }
        QVERIFY2(recorder.Events.last().endsWith(QLatin1String(":Error")),
                 qPrintable(joined(recorder.Events)));
        QCOMPARE(zipper.Result(), -1);
        QVERIFY(!zipper.Zipping());
        QVERIFY(!QFile::exists(archive));
    }

    QTemporaryDir m_dir;
    QVector<QPair<QString, qint64>> m_files;
    quint32 m_serial = 0;
};

QTEST_GUILESS_MAIN(TstZipper)
#include "tst_zipper.moc"
