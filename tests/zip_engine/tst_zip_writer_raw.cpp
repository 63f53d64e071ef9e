#include "minizip_raw_writer.h"
#include "zip_check.h"
#include "zip_engine/entry_fields.h"
#include "zip_engine/parallel_deflate.h"
#include "zip_engine/raw_zip_writer.h"
#include "zip_engine/test_faults.h"
#include "zip_engine/zip_writer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

// Entries whose data arrives already deflated: the command-line packer's writer. They must be
// indistinguishable from the entries ZipWriter deflates itself.
class TstZipWriterRaw : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init();
    void cleanup();
    void rawEntryEqualsDeflatedEntry_data();
    void rawEntryEqualsDeflatedEntry();
    void parallelPiecesMakeTheSameEntries();
    void closeMustMatchTheEntry();
    void zip64ByExpectedSize_data();
    void zip64ByExpectedSize();
    void failedWriteSticksForRawEntries();
    void rawWriterMatchesMinizip_data();
    void rawWriterMatchesMinizip();

  private:
    QString path(const char* Name) const { return m_dir.filePath(QString::fromLatin1(Name)); }
    QTemporaryDir m_dir;
};

namespace {

QDateTime fixedClock() {
    return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
}

QByteArray textData(int Lines) {
    QByteArray text;
    for (int i = 0; i < Lines; ++i)
        text +=
            "  <keyframe id=\"" + QByteArray::number(i * 7919 % 10007) + "\" value=\"fade\"/>\n";
    return text;
}

QByteArray randomData(qint64 Size) {
    QByteArray data(Size, Qt::Uninitialized);
    QRandomGenerator rng(11);
    for (auto& c : data)
        c = char(rng.generate() & 0xff);
    return data;
}

// zlib's one-shot raw deflate at its default level, as minizip deflates an entry, with the
// stream's text or binary verdict.
QByteArray oneShotDeflate(const QByteArray& Data, int& DataType) {
    z_stream zs{};
    if (deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY))
        return {};
    QByteArray out(qsizetype(deflateBound(&zs, uLong(Data.size()))) + 16, Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(Data.constData()));
    zs.avail_in = uInt(Data.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    const int code = deflate(&zs, Z_FINISH);
    out.resize(qsizetype(zs.total_out));
    DataType = zs.data_type;
    deflateEnd(&zs);
    return code == Z_STREAM_END ? out : QByteArray();
}

// The uncompressed size an entry is closed with: its data's, or Expected where that is
// 4 GiB - 1 or more, a size only the headers can show here.
qint64 claimed(qint64 Expected, const QByteArray& Data) {
    return Expected >= 0xFFFFFFFF ? Expected : Data.size();
}

quint32 crcOf(const QByteArray& Data) {
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(Data.constData()), uInt(Data.size())));
}

} // namespace

void TstZipWriterRaw::init() {
    QVERIFY(m_dir.isValid());
    ZipFileIo::SetTestFaults({});
    EntryFields::SetTestClock(&fixedClock);
}

void TstZipWriterRaw::cleanup() {
    ZipFileIo::SetTestFaults({});
    EntryFields::SetTestClock(nullptr);
}

void TstZipWriterRaw::rawEntryEqualsDeflatedEntry_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("attrs");
    QTest::newRow("text") << textData(4000) << QStringLiteral(".\\project\\scene.xml") << 0x21;
    QTest::newRow("binary") << randomData(300000) << QStringLiteral("media\\clip.mp4") << 0x20;
    QTest::newRow("empty") << QByteArray() << QStringLiteral("Intro\\empty.txt") << 0x3F;
    QTest::newRow("non-ASCII name") << textData(10) << QStringLiteral("Títulos\\a.txt") << 0x20;
}

// Given zlib's own stream for the data, the raw entry is byte for byte the entry that
// ZipWriter deflates itself: header, flags, attributes (internal text mark included), sizes,
// CRC.
void TstZipWriterRaw::rawEntryEqualsDeflatedEntry() {
    QFETCH(QByteArray, data);
    QFETCH(QString, name);
    QFETCH(int, attrs);
    {
        ZipWriter writer;
        QVERIFY(!writer.OpenZip(path("plain.zip")));
        QVERIFY(!writer.OpenFileInZip(name, 8, -1, attrs, {}, data.size()));
        QVERIFY(!writer.WriteBytes(data));
        QVERIFY(!writer.CloseZip());
    }
    int dataType = Z_UNKNOWN;
    const QByteArray stream = oneShotDeflate(data, dataType);
    QVERIFY(!stream.isEmpty());
    {
        RawZipWriter writer;
        QVERIFY(!writer.OpenZip(path("raw.zip")));
        QVERIFY(!writer.OpenRawFileInZip(name, 8, -1, attrs, {}, data.size(),
                                         dataType == Z_TEXT ? 1 : 0));
        QVERIFY(!writer.WriteBytes(stream));
        QVERIFY(!writer.CloseRawFileInZip(data.size(), crcOf(data)));
        QVERIFY(!writer.CloseZip());
    }
    QCOMPARE(FileBytes(path("raw.zip")), FileBytes(path("plain.zip")));
    const CheckedArchive archive = CheckZip(path("raw.zip"));
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Entries.first().Sha256, Sha256Of(data));
    QCOMPARE(archive.Entries.first().ExternalAttr, quint32(attrs & 0x27));
}

// ParallelDeflate's pieces (several blocks per file) written as raw entries read back as the
// files, with the text mark zlib gives the whole file.
void TstZipWriterRaw::parallelPiecesMakeTheSameEntries() {
    const QList<QByteArray> contents{textData(60000), randomData(700000), QByteArray()};
    QStringList files;
    for (int i = 0; i < contents.size(); ++i) {
        files << m_dir.filePath(QStringLiteral("in%1").arg(i));
        QFile f(files.last());
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(contents[i]) == contents[i].size());
    }
    RawZipWriter writer;
    QVERIFY(!writer.OpenZip(path("pieces.zip")));
    DeflateSettings settings;
    settings.Level = -1;
    settings.BlockSize = 65536;
    ParallelDeflate deflate(settings);
    const bool completed = deflate.Run(files, [&](const DeflatePiece& Piece) {
        if (Piece.First &&
            writer.OpenRawFileInZip(QStringLiteral("f%1").arg(Piece.File), 8, -1, 0x20, {},
                                    contents[Piece.File].size(), Piece.Text ? 1 : 0))
            return false;
        if (writer.WriteBytes(Piece.Data))
            return false;
        return !Piece.Last || !writer.CloseRawFileInZip(Piece.Size, Piece.Crc);
    });
    QVERIFY2(completed, qPrintable(deflate.Error()));
    QVERIFY(!writer.CloseZip());
    const CheckedArchive archive = CheckZip(path("pieces.zip"));
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Entries.size(), contents.size());
    for (int i = 0; i < contents.size(); ++i) {
        int dataType = Z_UNKNOWN;
        oneShotDeflate(contents[i], dataType);
        QCOMPARE(archive.Entries[i].Sha256, Sha256Of(contents[i]));
        QCOMPARE(archive.Entries[i].InternalAttr, dataType == Z_TEXT ? 1 : 0);
    }
    QCOMPARE(archive.Entries[0].InternalAttr, 1);
}

// An entry is ended with its size and CRC, and the calls keep their order: nothing is
// written or closed without an open entry, and the archive is not finished while one is open.
void TstZipWriterRaw::closeMustMatchTheEntry() {
    RawZipWriter writer;
    QVERIFY(!writer.OpenZip(path("order.zip")));
    QVERIFY(writer.CloseRawFileInZip(0, 0));
    QCOMPARE(writer.Result(), -666);
    int dataType = 0;
    const QByteArray stream = oneShotDeflate("raw", dataType);
    QVERIFY(writer.WriteBytes(stream));
    QCOMPARE(writer.Result(), -666);
    QVERIFY(!writer.OpenRawFileInZip(QStringLiteral("raw.txt")));
    QVERIFY(writer.OpenRawFileInZip(QStringLiteral("again.txt")));
    QCOMPARE(writer.Result(), -667);
    QVERIFY(!writer.WriteBytes(stream));
    QVERIFY(writer.CloseZip());
    QCOMPARE(writer.Result(), -666);
    QVERIFY(!writer.CloseRawFileInZip(3, crcOf("raw")));
    QVERIFY(!writer.CloseZip());
    const CheckedArchive archive = CheckZip(path("order.zip"));
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Names(), QStringList{"raw.txt"});
    QCOMPARE(archive.Entries[0].Sha256, Sha256Of("raw"));
}

void TstZipWriterRaw::zip64ByExpectedSize_data() {
    QTest::addColumn<qint64>("expectedSize");
    QTest::addColumn<int>("localExtra");
    QTest::newRow("small") << qint64(3) << 0;
    QTest::newRow("at the threshold") << EntryFields::Zip64Threshold << 20;
}

// The same Zip64 rule as for deflated entries: the local header's extra field shows it.
void TstZipWriterRaw::zip64ByExpectedSize() {
    QFETCH(qint64, expectedSize);
    QFETCH(int, localExtra);
    int dataType = 0;
    const QByteArray stream = oneShotDeflate("big", dataType);
    RawZipWriter writer;
    QVERIFY(!writer.OpenZip(path("z64.zip")));
    QVERIFY(!writer.OpenRawFileInZip(QStringLiteral("big.bin"), 8, -1, 0x20, {}, expectedSize));
    QVERIFY(!writer.WriteBytes(stream));
    QVERIFY(!writer.CloseRawFileInZip(3, crcOf("big")));
    QVERIFY(!writer.CloseZip());
    const QByteArray bytes = FileBytes(path("z64.zip"));
    QVERIFY(bytes.size() > 30);
    QCOMPARE(uchar(bytes[28]) | uchar(bytes[29]) << 8, localExtra);
    const CheckedArchive archive = CheckZip(path("z64.zip"));
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Entries.first().Sha256, Sha256Of("big"));
}

// A lost archive write fails the entry's close too, with the write's errno, and the archive
// goes.
void TstZipWriterRaw::failedWriteSticksForRawEntries() {
    RawZipWriter writer;
    QVERIFY(!writer.OpenZip(path("sticky.zip")));
    QVERIFY(!writer.OpenRawFileInZip(QStringLiteral("a.bin")));
    ZipFileIo::SetTestFaults({1, 0, false, 0});
    const QByteArray data = randomData(200000);
    const bool writeFailed = writer.WriteBytes(data);
    const bool closeFailed = writer.CloseRawFileInZip(data.size(), crcOf(data));
    QVERIFY(writeFailed || closeFailed);
    QCOMPARE(writer.Result(), -1);
    QCOMPARE(writer.ErrorNumber(), ENOSPC);
    QVERIFY(writer.CloseZip());
    writer.DiscardZip();
    QVERIFY(!QFile::exists(path("sticky.zip")));
}

void TstZipWriterRaw::rawWriterMatchesMinizip_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("internal");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<qint64>("before"); // bytes the file holds before the archive
    const QByteArray text = textData(3000);
    QTest::newRow("deflated text")
        << ".\\project\\scene.xml" << 8 << -1 << 1 << qint64(0) << text << qint64(0);
    QTest::newRow("stored, level 9")
        << "a.bin" << 0 << 9 << 0 << qint64(0) << randomData(999) << qint64(0);
    QTest::newRow("level 1, UTF-8 name")
        << "Títulos\\a.txt" << 8 << 1 << 0 << qint64(0) << textData(5) << qint64(0);
    QTest::newRow("empty") << "e" << 8 << -1 << 0 << qint64(0) << QByteArray() << qint64(0);
    QTest::newRow("Zip64 fields by expected size")
        << "big.bin" << 8 << -1 << 0 << EntryFields::Zip64Threshold << text << qint64(0);
    QTest::newRow("larger than a write block")
        << "clip.mp4" << 0 << -1 << 0 << qint64(0) << randomData(700000) << qint64(0);
    QTest::newRow("headers past 4 GiB")
        << "late.bin" << 8 << -1 << 0 << qint64(0) << text << (qint64(4) << 30) + 5;
    // Sizes an entry cannot hold here are only claimed at the close: bytes compared alone.
    QTest::newRow("size of 4 GiB - 1 claimed")
        << "clip.mov" << 8 << -1 << 0 << qint64(0xFFFFFFFF) << text << qint64(0);
    QTest::newRow("size of 5 GiB claimed")
        << "clip.mov" << 8 << -1 << 0 << (qint64(5) << 30) << text << qint64(0);
}

// The raw writer lays out an archive exactly as minizip does for the same raw entries (here
// between two others), and it reads back whole. An archive after other bytes is written into
// the file open at their end.
void TstZipWriterRaw::rawWriterMatchesMinizip() {
    QFETCH(QString, name);
    QFETCH(int, method);
    QFETCH(int, level);
    QFETCH(int, internal);
    QFETCH(qint64, expected);
    QFETCH(QByteArray, data);
    QFETCH(qint64, before);
    int dataType = 0;
    const QByteArray entryBytes = method == 8 ? oneShotDeflate(data, dataType) : data;
    struct Entry {
        QString Name;
        int Method, Level, Internal;
        qint64 Expected;
        QByteArray Data, Stored;
    };
    const QList<Entry> entries{
        {QStringLiteral("first.txt"), 8, -1, 1, 0, "x", oneShotDeflate("x", dataType)},
        {name, method, level, internal, expected, data, entryBytes},
        {QStringLiteral("last\\b"), 0, -1, 0, 3, "abc", "abc"}};
    const auto prepare = [&](const QString& file) {
        QFile sparse(file);
        return sparse.open(QIODevice::WriteOnly) && sparse.resize(before);
    };
    const auto write = [&](auto& writer) {
        for (const Entry& e : entries) {
            QVERIFY(!writer.OpenRawFileInZip(e.Name, e.Method, e.Level, 0x21, {}, e.Expected,
                                             e.Internal));
            QVERIFY(!writer.WriteBytes(e.Stored));
            QVERIFY(!writer.CloseRawFileInZip(claimed(e.Expected, e.Data), crcOf(e.Data)));
        }
        QVERIFY(!writer.CloseZip());
    };
    QVERIFY(prepare(path("minizip.zip")));
    MinizipRawWriter minizip;
    QVERIFY(!minizip.OpenZip(path("minizip.zip"), before > 0 ? 1 : 0));
    write(minizip);
    QVERIFY(prepare(path("raw.zip")));
    RawZipWriter raw;
    raw.SetLargeBlocks(true);
    int fd = -1;
    if (before > 0) {
        fd = ::open(QFile::encodeName(path("raw.zip")).constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(fd >= 0 && ::lseek(fd, 0, SEEK_END) == before);
    }
    QVERIFY(before > 0 ? !raw.OpenZipIn(fd) : !raw.OpenZip(path("raw.zip")));
    write(raw);
    QVERIFY(fd < 0 || ::close(fd) == 0);
    QFile a(path("minizip.zip"));
    QFile b(path("raw.zip"));
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QVERIFY(a.seek(before) && b.seek(before));
    QCOMPARE(b.readAll(), a.readAll());
    if (claimed(expected, data) != data.size())
        return;
    const CheckedArchive archive = CheckZip(path("raw.zip"));
    QVERIFY2(archive.Ok, qPrintable(archive.Error));
    QCOMPARE(archive.Names(), (QStringList{"first.txt", name, "last\\b"}));
    QCOMPARE(archive.Entries[1].Sha256, Sha256Of(data));
}

QTEST_GUILESS_MAIN(TstZipWriterRaw)
#include "tst_zip_writer_raw.moc"
