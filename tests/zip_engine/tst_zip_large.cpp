// Packs files of 2 GiB and 4 GiB and more. Slow (minutes, several GiB read twice), so it only
// runs with VENDREL_LARGE_TESTS=1: ctest -L large with that variable set.
#include "zip_check.h"
#include "zip_engine/zipper.h"
#include "zipper_recorder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr qint64 GiB = 1LL << 30;

// A sparse file of Size bytes, zero but for marker bytes at the start, around the 2 GiB and
// 4 GiB marks and at the end, so that a lost or shifted chunk changes its checksum.
bool makeSparseFile(const QString& Path, qint64 Size) {
    QFile f(Path);
    if (!f.open(QIODevice::WriteOnly) || !f.resize(Size))
        return false;
    for (qint64 at : {qint64(0), 2 * GiB - 1, 2 * GiB, 4 * GiB - 1, 4 * GiB, Size - 1}) {
        if (at >= Size)
            continue;
        if (!f.seek(at) || f.write("\x5a", 1) != 1)
            return false;
    }
    return true;
}

quint64 little(const QByteArray& Bytes, int At, int Size) {
    quint64 value = 0;
    for (int i = Size - 1; i >= 0; --i)
        value = value << 8 | uchar(Bytes[At + i]);
    return value;
}

// The sizes a streaming reader takes from the first entry's local header: its 32-bit fields,
// or with 0xFFFFFFFF there, the Zip64 extra field's (python's zipfile only reads the central
// directory, so it cannot tell).
qint64 localHeaderSize(const QString& Archive) {
    QFile f(Archive);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray header = f.read(30);
    const int nameLength = int(little(header, 26, 2));
    const int extraLength = int(little(header, 28, 2));
    const QByteArray extra = (f.read(nameLength), f.read(extraLength));
    if (little(header, 22, 4) != 0xFFFFFFFFu)
        return extraLength == 0 ? qint64(little(header, 22, 4)) : -2;
    if (extraLength < 20 || little(extra, 0, 2) != 1 || little(extra, 2, 2) < 16)
        return -3;
    return qint64(little(extra, 4, 8));
}

} // namespace

class TstZipLarge : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariable("VENDREL_LARGE_TESTS") != QLatin1String("1"))
            QSKIP("large-file tests run only with VENDREL_LARGE_TESTS=1");
        QVERIFY(m_dir.isValid());
    }

    // Entries of 2 GiB and more come out whole; only the entry of 4 GiB or more carries Zip64
    // fields, the small entry after it stays classic.
    void largeFile_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("zip64");
        QTest::newRow("2 GiB and one byte") << 2 * GiB + 1 << false;
        QTest::newRow("4 GiB and one byte") << 4 * GiB + 1 << true;
    }
    void largeFile() {
        QFETCH(qint64, size);
        QFETCH(bool, zip64);
        const QString source = m_dir.filePath(QStringLiteral("big.bin"));
        const QString small = m_dir.filePath(QStringLiteral("small.bin"));
        if (!makeSparseFile(source, size))
            QSKIP("cannot make a sparse file here");
        QVERIFY(WritePatternFile(small, 1000));
        Zipper zipper;
        ZipperRecorder recorder(zipper);
        recorder.Fast();
        int progress = 0;
        recorder.OnEvent = [&](const QString& Event) {
            progress += Event == QLatin1String("Progress");
        };
        QVERIFY(!zipper.AddFile(source));
        QVERIFY(!zipper.AddFile(small));
        QCOMPARE(zipper.BytesToZip(), size + 1000);
        const QString archivePath = m_dir.filePath(QStringLiteral("big.zip"));
        QVERIFY(!zipper.Zip(archivePath));
        const QDeadlineTimer deadline(3000000);
        while (recorder.Ends == 0 && !deadline.hasExpired())
            QTest::qWait(20);
        QCOMPARE(recorder.Events.last().section(QLatin1Char(':'), 1),
                 QStringLiteral("Complete false"));
        QCOMPARE(zipper.BytesZipped(), size + 1000);
        QCOMPARE(progress, int((size + Zipper::ChunkSize - 1) / Zipper::ChunkSize) + 1);

        const CheckedArchive archive = CheckZip(archivePath);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Names(), (QStringList{"big.bin", "small.bin"}));
        QCOMPARE(archive.Entries[0].FileSize, size);
        QCOMPARE(archive.Entries[0].Sha256, Sha256OfFile(source));
        QCOMPARE(archive.Entries[0].Extra.startsWith(QByteArray("\x01\x00", 2)), zip64);
        QCOMPARE(localHeaderSize(archivePath), size);
        QCOMPARE(archive.Entries[1].Sha256, Sha256OfFile(small));
        QCOMPARE(archive.Entries[1].Extra, QByteArray());
        QFile::remove(source);
        QFile::remove(archivePath);
    }

  private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstZipLarge)
#include "tst_zip_large.moc"
