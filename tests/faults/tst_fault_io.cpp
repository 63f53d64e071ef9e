// Every archive write, every archive seek and every source read of a packing run failing in
// turn, and a failing close of the archive file: each run ends in an error named in the
// status line and leaves no package behind, and the same window then packs the project
// again into exactly the bytes of an undisturbed run.
#include "fault_rig.h"

#include "zip_engine/entry_fields.h"
#include "zip_engine/test_faults.h"
#include "zip_engine/zip_writer.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QDateTime fixedClock() {
    return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 10));
}

} // namespace

class tst_FaultIo : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    PackRig m_rig;
    QByteArray m_baseline;
    qint64 m_writes = 0;
    qint64 m_seeks = 0;
    qint64 m_reads = 0;
    int m_runs = 0;

    QString project() const { return m_dir.path() + QStringLiteral("/Intro"); }
    QString nextOutput() { return m_dir.path() + QStringLiteral("/out/run%1.dzs").arg(++m_runs); }
    QList<ExpectedEntry> expected() const {
        return {{"clip.bin", project() + "/clip.bin"},
                {"empty.txt", project() + "/empty.txt"},
                {"media\\notes.txt", project() + "/media/notes.txt"}};
    }

  private Q_SLOTS:
    // An undisturbed run: how many writes, seeks and reads a run makes, and its bytes.
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        EntryFields::SetTestClock(&fixedClock);
        QVERIFY(MakePatternFile(project() + "/clip.bin", 300000, 1));
        QVERIFY(MakeFile(project() + "/empty.txt"));
        QVERIFY(MakeFile(project() + "/media/notes.txt", QByteArray(5000, 'n')));
        QVERIFY(QDir().mkpath(m_dir.path() + "/out"));
        m_rig.values.ProjectFolder = project();
        ZipFileIo::SetTestFaults({});
        const QString output = nextOutput();
        FAULT_VERIFY(Succeeded(m_rig, PackWith(m_rig, KindCode::DZS, output)));
        m_writes = ZipFileIo::WritesDone();
        m_seeks = ZipFileIo::SeeksDone();
        m_reads = ZipFileIo::ReadsDone();
        QVERIFY(m_writes > 10 && m_seeks > 0);
        QCOMPARE(m_reads, 4); // three chunks of clip.bin, one of notes.txt
        FAULT_VERIFY(PackageHolds(output, expected()));
        m_baseline = FileBytes(output);
    }
    void cleanupTestCase() {
        ZipFileIo::SetTestFaults({});
        EntryFields::SetTestClock(nullptr);
    }

    void faultAtEachStep_data() {
        QTest::addColumn<qint64>("write");
        QTest::addColumn<qint64>("seek");
        QTest::addColumn<bool>("close");
        QTest::addColumn<qint64>("read");
        QTest::addColumn<QString>("status");
        for (qint64 n = 1; n <= m_writes; ++n)
            QTest::addRow("write %lld of %lld", n, m_writes)
                << n << 0LL << false << 0LL << WriteStepFailed;
        for (qint64 n = 1; n <= m_seeks; ++n)
            QTest::addRow("seek %lld of %lld", n, m_seeks)
                << 0LL << n << false << 0LL << WriteStepFailed;
        QTest::newRow("close") << 0LL << 0LL << true << 0LL << WriteStepFailed;
        for (qint64 n = 1; n <= m_reads; ++n)
            QTest::addRow("read %lld of %lld", n, m_reads)
                << 0LL << 0LL << false << n << ReadStepFailed;
    }
    void faultAtEachStep() {
        QFETCH(qint64, write);
        QFETCH(qint64, seek);
        QFETCH(bool, close);
        QFETCH(qint64, read);
        QFETCH(QString, status);
        ZipFileIo::SetTestFaults({write, seek, close, read});
        const QString failing = nextOutput();
        const RunRecord run = PackWith(m_rig, KindCode::DZS, failing);
        ZipFileIo::SetTestFaults({});
        FAULT_VERIFY(FailedAs(m_rig, run, status));
        FAULT_VERIFY(NoPackageAt(failing));

        const QString again = nextOutput();
        FAULT_VERIFY(Succeeded(m_rig, PackWith(m_rig, KindCode::DZS, again)));
        QVERIFY2(FileBytes(again) == m_baseline, "the next run differs from an undisturbed one");
    }
};

QTEST_GUILESS_MAIN(tst_FaultIo)
#include "tst_fault_io.moc"
