#include "os/temp_output.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <unistd.h>

// Commit's outcomes, and the errno that goes with each, for both kinds of temporary file.
class TstTempOutput : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void cleanup() { TempOutput::SetTestFaults({}); }

    void commit_data() {
        QTest::addColumn<bool>("namedOnly");
        QTest::addColumn<bool>("failSync");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<QByteArray>("kept");
        const auto done = int(TempOutput::CommitResult::Done);
        const auto occupied = int(TempOutput::CommitResult::Occupied);
        const auto failed = int(TempOutput::CommitResult::Failed);
        for (const bool named : {false, true}) {
            const QByteArray kind = named ? "named: " : "unnamed: ";
            QTest::newRow(kind + "appeared, not replaced")
                << named << false << false << occupied << EEXIST << QByteArray("old");
            QTest::newRow(kind + "appeared, replaced")
                << named << false << true << done << 0 << QByteArray("new");
            QTest::newRow(kind + "flush fails")
                << named << true << true << failed << EIO << QByteArray("old");
        }
    }
    void commit() {
        QFETCH(bool, namedOnly);
        QFETCH(bool, failSync);
        QFETCH(bool, replace);
        QFETCH(int, result);
        QFETCH(int, errorNumber);
        QFETCH(QByteArray, kept);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString output = dir.filePath(QStringLiteral("Intro.dzt"));
        TempOutput::TestFaults faults;
        faults.NamedOnly = namedOnly;
        faults.FailSync = failSync;
        TempOutput::SetTestFaults(faults);
        TempOutput temp(output);
        QVERIFY(temp.Create());
        QCOMPARE(::write(temp.Descriptor(), "new", 3), ssize_t(3));
        // The output appears while the package is written.
        QFile old(output);
        QVERIFY(old.open(QIODevice::WriteOnly));
        QCOMPARE(old.write("old"), qint64(3));
        old.close();
        QCOMPARE(int(temp.Commit(replace)), result);
        QCOMPARE(temp.ErrorNumber(), errorNumber);
        QCOMPARE(temp.Error().isEmpty(), errorNumber == 0);
        QFile package(output);
        QVERIFY(package.open(QIODevice::ReadOnly));
        QCOMPARE(package.readAll(), kept);
    }
};

QTEST_GUILESS_MAIN(TstTempOutput)
#include "tst_temp_output.moc"
