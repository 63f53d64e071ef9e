#include "zip_check.h"
#include "zip_engine/entry_fields.h"
#include "zip_engine/test_faults.h"
#include "zip_engine/zip_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <minizip/zip.h>

#include <limits>
#include <optional>

namespace {

constexpr qint64 NotFixed = -123456789;

QDateTime g_fixedNow;
QDateTime fixedClock() {
    return g_fixedNow;
}

// One step of a calling sequence: "open", "entry" (a.txt), "entry2" (b.txt), "write" ("hello"),
// "closeEntry", "closeZip". Returns the operation's failure flag.
bool apply(ZipWriter& Writer, const QString& Op, const QString& Path) {
    if (Op == QLatin1String("open"))
        return Writer.OpenZip(Path);
    if (Op == QLatin1String("entry"))
        return Writer.OpenFileInZip(QStringLiteral("a.txt"));
    if (Op == QLatin1String("entry2"))
        return Writer.OpenFileInZip(QStringLiteral("b.txt"));
    if (Op == QLatin1String("write"))
        return Writer.WriteBytes("hello");
    if (Op == QLatin1String("closeEntry"))
        return Writer.CloseFileInZip();
    if (Op == QLatin1String("closeZip"))
        return Writer.CloseZip();
    qFatal("unknown op");
}

// Writes one entry with the given name, comment and attributes, and reads it back.
CheckedEntry writeOne(const QString& Path, const QString& Name, int Attrs = 0,
                      const QString& Comment = {}, int Method = 8, int Level = -1,
                      std::optional<qint64> FixedTime = {}) {
    ZipWriter writer;
    writer.SetEntryTime(FixedTime);
    const bool failed = writer.OpenZip(Path) ||
                        writer.OpenFileInZip(Name, Method, Level, Attrs, Comment) ||
                        writer.WriteBytes("content") || writer.CloseZip();
    if (failed)
        return {};
    const CheckedArchive archive = CheckZip(Path);
    return archive.Ok && archive.Entries.size() == 1 ? archive.Entries.first() : CheckedEntry{};
}

} // namespace

class TstZipWriter : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() {
        QVERIFY(m_dir.isValid());
        ZipFileIo::SetTestFaults({});
        EntryFields::SetTestClock(nullptr);
    }
    void cleanup() {
        ZipFileIo::SetTestFaults({});
        EntryFields::SetTestClock(nullptr);
    }

    void callingOrder_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("op");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("archiveExists");
        QTest::addColumn<QStringList>("names");
        const QStringList none;
        QTest::newRow("OpenZip while open")
            << QStringList{"open"} << "open" << -667 << QStringList{"entry", "write", "closeZip"}
            << true << QStringList{"a.txt"};
        QTest::newRow("OpenFileInZip with nothing open")
            << none << "entry" << -666 << none << false << none;
        QTest::newRow("OpenFileInZip while an entry is open")
            << QStringList{"open", "entry"} << "entry2" << -667 << QStringList{"write", "closeZip"}
            << true << QStringList{"a.txt"};
        QTest::newRow("WriteBytes with nothing open")
            << none << "write" << -666 << none << false << none;
        QTest::newRow("WriteBytes before OpenFileInZip")
            << QStringList{"open"} << "write" << -666 << QStringList{"closeZip"} << true << none;
        QTest::newRow("CloseFileInZip with nothing open")
            << none << "closeEntry" << -666 << none << false << none;
        QTest::newRow("CloseFileInZip with no entry open")
            << QStringList{"open"} << "closeEntry" << -666 << QStringList{"closeZip"} << true
            << none;
        QTest::newRow("CloseZip with nothing open")
            << none << "closeZip" << -666 << none << false << none;
        QTest::newRow("CloseZip twice")
            << QStringList{"open", "closeZip"} << "closeZip" << -666 << none << true << none;
        QTest::newRow("CloseZip with an entry open")
            << QStringList{"open", "entry", "write"} << "closeZip" << 0 << none << true
            << QStringList{"a.txt"};
        QTest::newRow("second archive after the first")
            << QStringList{"open", "entry", "write", "closeZip"} << "open" << 0
            << QStringList{"entry2", "write", "closeZip"} << true << QStringList{"b.txt"};
    }
    void callingOrder() {
        QFETCH(QStringList, before);
        QFETCH(QString, op);
        QFETCH(int, result);
        QFETCH(QStringList, after);
        QFETCH(bool, archiveExists);
        QFETCH(QStringList, names);
        const QString path = m_dir.filePath(QStringLiteral("order.zip"));
        QFile::remove(path);
        ZipWriter writer;
        for (const QString& step : before)
            QVERIFY2(!apply(writer, step, path), qPrintable(step));
        QCOMPARE(apply(writer, op, path), result != 0);
        QCOMPARE(writer.Result(), result);
        // A refused call changes nothing: the sequence goes on as if it had not been made.
        for (const QString& step : after)
            QVERIFY2(!apply(writer, step, path), qPrintable(step));
        QCOMPARE(QFile::exists(path), archiveExists);
        if (!archiveExists)
            return;
        const CheckedArchive archive = CheckZip(path);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Names(), names);
        for (const CheckedEntry& e : archive.Entries)
            QCOMPARE(e.Sha256, Sha256Of("hello"));
    }

    void openZipFailsForUncreatablePath() {
        ZipWriter writer;
        QVERIFY(writer.OpenZip(m_dir.filePath(QStringLiteral("missing/dir/a.zip"))));
        QCOMPARE(writer.Result(), -1);
        QVERIFY(writer.OpenFileInZip(QStringLiteral("a.txt")));
        QCOMPARE(writer.Result(), -666);
    }

    void attributeMask_data() {
        QTest::addColumn<int>("attrs");
        QTest::addColumn<quint32>("external");
        QTest::newRow("all low bits") << 0x3F << quint32(0x27);
        QTest::newRow("directory") << 0x10 << quint32(0);
        QTest::newRow("volume") << 0x08 << quint32(0);
        QTest::newRow("read-only archive") << 0x21 << quint32(0x21);
        QTest::newRow("hidden system") << 0x06 << quint32(0x06);
        QTest::newRow("high bits") << 0xFFC0 << quint32(0);
        QTest::newRow("none") << 0 << quint32(0);
    }
    void attributeMask() {
        QFETCH(int, attrs);
        QFETCH(quint32, external);
        const CheckedEntry e =
            writeOne(m_dir.filePath(QStringLiteral("attrs.zip")), QStringLiteral("f.txt"), attrs);
        QCOMPARE(e.Name, QStringLiteral("f.txt"));
        QCOMPARE(e.ExternalAttr, external);
    }

    void timeStamp_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<qint64>("fixed"); // seconds since 1970 UTC, or NotFixed
        QTest::addColumn<QList<int>>("stored");
        const QDateTime now(QDate(2024, 3, 5), QTime(14, 7, 9));
        // DOS times keep even seconds only.
        QTest::newRow("5 March 2024 14:07:09")
            << now << NotFixed << QList<int>{2024, 3, 5, 14, 7, 8};
        QTest::newRow("last second of 2043") << QDateTime(QDate(2043, 12, 31), QTime(23, 59, 59))
                                             << NotFixed << QList<int>{2043, 12, 31, 23, 59, 58};
        QTest::newRow("first day of 1980") << QDateTime(QDate(1980, 1, 1), QTime(0, 0, 0))
                                           << NotFixed << QList<int>{1980, 1, 1, 0, 0, 0};
        QTest::newRow("29 February 2028 noon") << QDateTime(QDate(2028, 2, 29), QTime(12, 30, 44))
                                               << NotFixed << QList<int>{2028, 2, 29, 12, 30, 44};
        // A fixed instant wins over the clock and is stamped in UTC, whatever the zone.
        QTest::newRow("fixed instant, odd second down")
            << now << qint64(1700000001) << QList<int>{2023, 11, 14, 22, 13, 20};
        QTest::newRow("fixed before 1980") << now << qint64(0) << QList<int>{1980, 1, 1, 0, 0, 0};
        QTest::newRow("fixed far before 1970")
            << now << std::numeric_limits<qint64>::min() << QList<int>{1980, 1, 1, 0, 0, 0};
        QTest::newRow("fixed at the last even second")
            << now << qint64(4354819199) << QList<int>{2107, 12, 31, 23, 59, 58};
        QTest::newRow("fixed after 2107")
            << now << qint64(5000000000) << QList<int>{2107, 12, 31, 23, 59, 58};
    }
    void timeStamp() {
        QFETCH(QDateTime, now);
        QFETCH(qint64, fixed);
        QFETCH(QList<int>, stored);
        g_fixedNow = now;
        EntryFields::SetTestClock(&fixedClock);
        // A zone far from UTC, so that a local conversion of a fixed instant would show.
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "Pacific/Chatham");
        const CheckedEntry e =
            writeOne(m_dir.filePath(QStringLiteral("time.zip")), QStringLiteral("t.txt"), 0, {}, 8,
                     -1, fixed == NotFixed ? std::nullopt : std::optional<qint64>(fixed));
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        QCOMPARE((QList<int>{e.Year, e.Month, e.Day, e.Hour, e.Minute, e.Second}), stored);
    }

    void timeStampIsTheMomentTheEntryOpens() {
        const QDateTime before = QDateTime::currentDateTime();
        const CheckedEntry e =
            writeOne(m_dir.filePath(QStringLiteral("now.zip")), QStringLiteral("t.txt"));
        const QDateTime after = QDateTime::currentDateTime();
        const QDateTime stamped(QDate(e.Year, e.Month, e.Day), QTime(e.Hour, e.Minute, e.Second));
        // Two-second resolution: the stamp lies between "before" rounded down and "after".
        QVERIFY2(stamped >= before.addSecs(-2) && stamped <= after,
                 qPrintable(stamped.toString(Qt::ISODate)));
    }

    void namesAndComments_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<int>("flags");
        QTest::newRow("plain name") << "a.txt"
                                    << "" << 0;
        QTest::newRow("backslashes and dot prefix") << ".\\media\\clip.mp4"
                                                    << "" << 0;
        QTest::newRow("ascii comment") << "b.txt"
                                       << "a note" << 0;
        QTest::newRow("accented name") << ".\\Über\\café.txt"
                                       << "" << 0x800;
        QTest::newRow("ideographs") << "日本語.txt"
                                    << "" << 0x800;
        QTest::newRow("ascii name, accented comment") << "c.txt"
                                                      << "Grüße" << 0x800;
    }
    void namesAndComments() {
        QFETCH(QString, name);
        QFETCH(QString, comment);
        QFETCH(int, flags);
        const CheckedEntry e =
            writeOne(m_dir.filePath(QStringLiteral("names.zip")), name, 0x20, comment);
        QCOMPARE(e.NameBytes, name.toUtf8());
        QCOMPARE(e.Name, name);
        QCOMPARE(e.Comment, comment.toUtf8());
        QCOMPARE(e.FlagBits, flags);
        QCOMPARE(e.Sha256, Sha256Of("content"));
    }

    void methodAndLevel_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("compressType");
        QTest::addColumn<int>("flags");
        QTest::newRow("stored") << 0 << -1 << 0 << 0;
        QTest::newRow("deflate, default level") << 8 << -1 << 8 << 0;
        QTest::newRow("deflate, level 9") << 8 << 9 << 8 << 2;
        QTest::newRow("deflate, level 1") << 8 << 1 << 8 << 6;
    }
    void methodAndLevel() {
        QFETCH(int, method);
        QFETCH(int, level);
        QFETCH(int, compressType);
        QFETCH(int, flags);
        const CheckedEntry e = writeOne(m_dir.filePath(QStringLiteral("method.zip")),
                                        QStringLiteral("m.txt"), 0x20, {}, method, level);
        QCOMPARE(e.CompressType, compressType);
        QCOMPARE(e.FlagBits, flags);
        QCOMPARE(e.Sha256, Sha256Of("content"));
    }

    // An all-ASCII entry is byte for byte what minizip's plain call writes.
    void asciiEntryMatchesThePlainCall() {
        g_fixedNow = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
        EntryFields::SetTestClock(&fixedClock);
        const QString ours = m_dir.filePath(QStringLiteral("ours.zip"));
        const QString plain = m_dir.filePath(QStringLiteral("plain.zip"));
        const QByteArray data = QByteArray("some bytes to compress ").repeated(500);
        {
            ZipWriter writer;
            QVERIFY(!writer.OpenZip(ours));
            QVERIFY(!writer.OpenFileInZip(QStringLiteral(".\\dir\\x.txt"), 8, -1, 0x3F,
                                          QStringLiteral("note")));
            QVERIFY(!writer.WriteBytes(data));
            QVERIFY(!writer.CloseZip());
        }
        zipFile z = zipOpen(QFile::encodeName(plain).constData(), APPEND_STATUS_CREATE);
        QVERIFY(z != nullptr);
        zip_fileinfo info{};
        info.tmz_date = {9, 7, 14, 5, 2, 2024};
        info.external_fa = 0x27;
        QCOMPARE(
            zipOpenNewFileInZip(z, ".\\dir\\x.txt", &info, nullptr, 0, nullptr, 0, "note", 8, -1),
            ZIP_OK);
        QCOMPARE(zipWriteInFileInZip(z, data.constData(), unsigned(data.size())), ZIP_OK);
        QCOMPARE(zipClose(z, nullptr), ZIP_OK);
        QCOMPARE(FileBytes(ours), FileBytes(plain));
        const CheckedArchive archive = CheckZip(ours);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Entries.first().Sha256, Sha256Of(data));
    }

    void destructionFinishesArchive_data() {
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("entry open")
            << QStringList{"open", "entry", "write"} << QStringList{"a.txt"};
        QTest::newRow("entry closed")
            << QStringList{"open", "entry", "write", "closeEntry", "entry2", "write", "closeEntry"}
            << QStringList{"a.txt", "b.txt"};
        QTest::newRow("no entry") << QStringList{"open"} << QStringList{};
    }
    void destructionFinishesArchive() {
        QFETCH(QStringList, ops);
        QFETCH(QStringList, names);
        const QString path = m_dir.filePath(QStringLiteral("left-open.zip"));
        {
            ZipWriter writer;
            for (const QString& op : ops)
                QVERIFY(!apply(writer, op, path));
        }
        const CheckedArchive archive = CheckZip(path);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Names(), names);
        for (const CheckedEntry& e : archive.Entries)
            QCOMPARE(e.Sha256, Sha256Of("hello"));
    }

    // Zip64 fields go only into entries that may reach 4 GiB (the local header's extra field
    // is 20 bytes then, 0 otherwise); small entries stay classic.
    void zip64OnlyWhenNeeded_data() {
        QTest::addColumn<qint64>("expectedSize");
        QTest::addColumn<int>("localExtra");
        QTest::newRow("small") << qint64(7) << 0;
        QTest::newRow("just below the threshold") << EntryFields::Zip64Threshold - 1 << 0;
        QTest::newRow("at the threshold") << EntryFields::Zip64Threshold << 20;
        QTest::newRow("beyond 4 GiB") << qint64(5) * 1024 * 1024 * 1024 << 20;
    }
    void zip64OnlyWhenNeeded() {
        QFETCH(qint64, expectedSize);
        QFETCH(int, localExtra);
        const QString path = m_dir.filePath(QStringLiteral("z64.zip"));
        ZipWriter writer;
        QVERIFY(!writer.OpenZip(path));
        QVERIFY(!writer.OpenFileInZip(QStringLiteral("big.bin"), 8, -1, 0x20, {}, expectedSize));
        QVERIFY(!writer.WriteBytes("content"));
        QVERIFY(!writer.CloseZip());
        const QByteArray bytes = FileBytes(path);
        QVERIFY(bytes.size() > 30);
        QCOMPARE(uchar(bytes[28]) | uchar(bytes[29]) << 8, localExtra);
        const CheckedArchive archive = CheckZip(path);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Entries.first().Extra, QByteArray());
        QCOMPARE(archive.Entries.first().Sha256, Sha256Of("content"));
    }

    // After a lost write minizip still accepts data into its buffer and says 0; the writer
    // fails every later call on that archive instead.
    void failedWriteSticks() {
        const QString path = m_dir.filePath(QStringLiteral("sticky.zip"));
        ZipWriter writer;
        QVERIFY(!writer.OpenZip(path));
        QVERIFY(!writer.OpenFileInZip(QStringLiteral("a.bin"), 0));
        // Stored data goes out as soon as minizip's 64 KiB buffer is full: fail that write.
        ZipFileIo::SetTestFaults({1, 0, false, 0});
        QVERIFY(writer.WriteBytes(QByteArray(131072, 'x')));
        QCOMPARE(writer.Result(), -1);
        QVERIFY(writer.WriteBytes("tiny"));
        QCOMPARE(writer.Result(), -1);
        QVERIFY(writer.CloseFileInZip());
        QCOMPARE(writer.Result(), -1);
        QVERIFY(writer.OpenFileInZip(QStringLiteral("next.bin")));
        QCOMPARE(writer.Result(), -1);
        QVERIFY(writer.CloseZip());
        QCOMPARE(writer.Result(), -1);
        // Closed whatever minizip said: the handle is gone.
        QVERIFY(writer.CloseZip());
        QCOMPARE(writer.Result(), -666);
        writer.DiscardZip();
        QVERIFY(!QFile::exists(path));
        ZipFileIo::SetTestFaults({});
        QVERIFY(!writer.OpenZip(path));
        QVERIFY(!writer.CloseZip());
        QVERIFY(CheckZip(path).Ok);
    }

    // The entry is over once its close was tried, so CloseZip can still finish the archive.
    void closeZipAfterFailedEntryClose() {
        const QString path = m_dir.filePath(QStringLiteral("entry-close.zip"));
        ZipWriter writer;
        QVERIFY(!writer.OpenZip(path));
        QVERIFY(!writer.OpenFileInZip(QStringLiteral("a.bin")));
        QVERIFY(!writer.WriteBytes("hello"));
        ZipFileIo::SetTestFaults({0, 1, false, 0});
        QVERIFY(writer.CloseFileInZip());
        QCOMPARE(writer.Result(), -1);
        QVERIFY(writer.CloseFileInZip());
        QCOMPARE(writer.Result(), -666);
        QVERIFY(writer.CloseZip());
        QCOMPARE(writer.Result(), -1);
        ZipFileIo::SetTestFaults({});
        const QString next = m_dir.filePath(QStringLiteral("next.zip"));
        QVERIFY(!writer.OpenZip(next));
        QVERIFY(!writer.CloseZip());
        QVERIFY(CheckZip(next).Ok);
    }

    void failedFinalCloseIsReported() {
        const QString path = m_dir.filePath(QStringLiteral("close.zip"));
        ZipFileIo::SetTestFaults({0, 0, true, 0});
        ZipWriter writer;
        QVERIFY(!apply(writer, QStringLiteral("open"), path));
        QVERIFY(!apply(writer, QStringLiteral("entry"), path));
        QVERIFY(!apply(writer, QStringLiteral("write"), path));
        QVERIFY(writer.CloseZip());
        QCOMPARE(writer.Result(), -1);
        ZipFileIo::SetTestFaults({});
        const QString other = m_dir.filePath(QStringLiteral("other.zip"));
        QVERIFY(!writer.OpenZip(other));
        QVERIFY(!writer.CloseZip());
        QVERIFY(CheckZip(other).Ok);
    }

    void writeFailureOnFullDevice() {
        if (!QFile::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full here");
        ZipWriter writer;
        QVERIFY(!writer.OpenZip(QStringLiteral("/dev/full")));
        QVERIFY(!writer.OpenFileInZip(QStringLiteral("a.bin"), 0));
        // Stored data passes minizip's 64 KiB buffer straight to the file.
        const bool failed = writer.WriteBytes(QByteArray(131072, 'x')) || writer.CloseZip();
        QVERIFY(failed);
        QCOMPARE(writer.Result(), -1);
        writer.DiscardZip();
        QVERIFY(QFileInfo(QStringLiteral("/dev/full")).exists());
    }

    void discard_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("kept");
        QTest::newRow("archive created by the writer") << "created" << false;
        QTest::newRow("archive that replaced a file") << "replaced" << false;
        QTest::newRow("archive already finished") << "finished" << true;
        QTest::newRow("archive opened to add to") << "appended" << true;
    }
    void discard() {
        QFETCH(QString, kind);
        QFETCH(bool, kept);
        const QString path = m_dir.filePath(QStringLiteral("discard-%1.zip").arg(kind));
        if (kind == QLatin1String("replaced") || kind == QLatin1String("appended"))
            QCOMPARE(writeOne(path, QStringLiteral("old.txt")).Name, QStringLiteral("old.txt"));
        ZipWriter writer;
        QVERIFY(!writer.OpenZip(path, kind == QLatin1String("appended") ? APPEND_STATUS_ADDINZIP
                                                                        : APPEND_STATUS_CREATE));
        QVERIFY(!writer.OpenFileInZip(QStringLiteral("new.txt")));
        QVERIFY(!writer.WriteBytes("hello"));
        if (kind == QLatin1String("finished"))
            QVERIFY(!writer.CloseZip());
        writer.DiscardZip();
        QCOMPARE(QFile::exists(path), kept);
        if (kept)
            QVERIFY(CheckZip(path).Ok);
    }

  private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TstZipWriter)
#include "tst_zip_writer.moc"
