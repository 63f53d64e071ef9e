#include "zip_engine/parallel_deflate.h"

#include "zip_check.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

#include <memory>

namespace {

constexpr qint64 Block = 65536;

enum class Content { Random, Text, Zeros };

QByteArray makeData(qint64 size, Content content, quint32 seed = 7) {
    QByteArray data(size, '\0');
    if (content == Content::Random) {
        QRandomGenerator rng(seed);
        for (auto& c : data)
            c = char(rng.generate() & 0xff);
    } else if (content == Content::Text) {
        QByteArray text;
        for (int line = 0; text.size() < size; ++line)
            text += "frame " + QByteArray::number(line * seed % 977) + " of the title sequence\n";
        data = text.left(size);
    }
    return data;
}

bool writeFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Inflates a raw deflate stream with zlib; empty optional-like result on any error or when
// bytes are left over after the stream's end.
bool zlibInflate(const QByteArray& raw, QByteArray& out) {
    z_stream zs{};
    if (inflateInit2(&zs, -MAX_WBITS) != Z_OK)
        return false;
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.constData()));
    zs.avail_in = uInt(raw.size());
    QByteArray buffer(65536, Qt::Uninitialized);
    int code = Z_OK;
    while (code == Z_OK) {
        zs.next_out = reinterpret_cast<Bytef*>(buffer.data());
        zs.avail_out = uInt(buffer.size());
        code = inflate(&zs, Z_NO_FLUSH);
        out.append(buffer.constData(), buffer.size() - zs.avail_out);
    }
    inflateEnd(&zs);
    return code == Z_STREAM_END && zs.avail_in == 0;
}

// Inflates with Python's zlib: "<sha256> <stream ended> <bytes left over>".
QByteArray pythonInflate(const QByteArray& raw, const QString& dir) {
    const QString path = dir + QStringLiteral("/stream.raw");
    if (!writeFile(path, raw))
        return "cannot write stream";
    const QString script =
        QStringLiteral("import hashlib, sys, zlib\n"
                       "d = zlib.decompressobj(-15)\n"
                       "out = d.decompress(open(sys.argv[1], 'rb').read()) + d.flush()\n"
                       "print(hashlib.sha256(out).hexdigest(), d.eof, len(d.unused_data))\n");
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
    if (!python.waitForFinished(120000) || python.exitCode() != 0)
        return "python3 failed: " + python.readAllStandardError();
    return python.readAllStandardOutput().trimmed();
}

// zlib's own one-shot raw deflate of the whole input.
QByteArray oneShotDeflate(const QByteArray& input, int level) {
    z_stream zs{};
    if (deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    QByteArray out(qsizetype(deflateBound(&zs, uLong(input.size()))), Qt::Uninitialized);
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.constData()));
    zs.avail_in = uInt(input.size());
    zs.next_out = reinterpret_cast<Bytef*>(out.data());
    zs.avail_out = uInt(out.size());
    const int code = deflate(&zs, Z_FINISH);
    out.resize(qsizetype(zs.total_out));
    deflateEnd(&zs);
    return code == Z_STREAM_END ? out : QByteArray();
}

quint32 crcOf(const QByteArray& data) {
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
}

// Everything a run handed to its sink.
struct Collected {
    QList<DeflatePiece> Pieces;
    DeflateSink Sink(int stopAtPiece = -1) {
        return [this, stopAtPiece](const DeflatePiece& piece) {
            Pieces << piece;
            return Pieces.size() != stopAtPiece;
        };
    }
    QByteArray Stream(int file) const {
        QByteArray stream;
        for (const auto& p : Pieces)
            if (p.File == file)
                stream += p.Data;
        return stream;
    }
};

DeflateSettings settings(int threads, qint64 blockSize = Block, int level = 6) {
    DeflateSettings s;
    s.Threads = threads;
    s.BlockSize = blockSize;
    s.Level = level;
    return s;
}

} // namespace

class TestParallelDeflate : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString file(const QString& name) const { return m_dir->filePath(name); }
    QByteArray compressed(const QString& path, const DeflateSettings& s);

  private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    void roundTrip_data();
    void roundTrip();
    void singleBlockMatchesZlib_data();
    void singleBlockMatchesZlib();
    void sameOutputWhateverTheThreads();
    void blocksArePrimedWithPrecedingData();
    void manySmallFilesInOrder();
    void sinkStopsTheRun_data();
    void sinkStopsTheRun();
    void unreadableFileIsReported_data();
    void unreadableFileIsReported();
    void zlibFailureIsReported();
    void blocksInFlightAreLimited();
    void settingsStayWithinMemoryBudget_data();
    void settingsStayWithinMemoryBudget();
};

QByteArray TestParallelDeflate::compressed(const QString& path, const DeflateSettings& s) {
    Collected got;
    ParallelDeflate deflater(s);
    if (deflater.CompressFile(path, got.Sink()))
        return "failed: " + deflater.Error().toUtf8();
    return got.Stream(0);
}

void TestParallelDeflate::roundTrip_data() {
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("content");
    QTest::addColumn<qint64>("blockSize");
    const auto text = int(Content::Text);
    QTest::newRow("empty") << qint64(0) << text << Block;
    QTest::newRow("one byte") << qint64(1) << text << Block;
    QTest::newRow("exactly a block") << Block << text << Block;
    QTest::newRow("a block and one byte") << Block + 1 << text << Block;
    QTest::newRow("many blocks") << 11 * Block + 123 << text << Block;
    QTest::newRow("incompressible") << 3 * Block + 7 << int(Content::Random) << Block;
    QTest::newRow("highly compressible") << 20 * Block << int(Content::Zeros) << Block;
    QTest::newRow("default block size") << qint64(5) << text << qint64(0);
    QTest::newRow("default blocks, several") << qint64(2621447) << text << qint64(0);
}

// Each file's stream inflates back to the file with zlib and with Python, with the CRC and
// sizes of the whole file, the pieces in order.
void TestParallelDeflate::roundTrip() {
    QFETCH(qint64, size);
    QFETCH(int, content);
    QFETCH(qint64, blockSize);
    const QByteArray input = makeData(size, Content(content));
    QVERIFY(writeFile(file("in.bin"), input));
    DeflateSettings s = settings(2, blockSize);
    if (blockSize == 0)
        s = DeflateSettings{};
    Collected got;
    ParallelDeflate deflater(s);
    QVERIFY2(!deflater.CompressFile(file("in.bin"), got.Sink()), qPrintable(deflater.Error()));
    QVERIFY(!got.Pieces.isEmpty());
    QVERIFY(got.Pieces.first().First);
    const QByteArray stream = got.Stream(0);
    for (int i = 0; i < got.Pieces.size(); ++i) {
        QCOMPARE(got.Pieces[i].File, 0);
        QCOMPARE(got.Pieces[i].First, i == 0);
        QCOMPARE(got.Pieces[i].Last, i == got.Pieces.size() - 1);
    }
    const DeflatePiece& last = got.Pieces.last();
    QCOMPARE(last.Crc, crcOf(input));
    QCOMPARE(last.Size, size);
    QCOMPARE(last.CompressedSize, stream.size());
    QByteArray inflated;
    QVERIFY(zlibInflate(stream, inflated));
    QVERIFY(inflated == input);
    QCOMPARE(pythonInflate(stream, m_dir->path()), Sha256Of(input) + " True 0");
}

void TestParallelDeflate::singleBlockMatchesZlib_data() {
    QTest::addColumn<int>("level");
    QTest::newRow("zlib default") << -1;
    QTest::newRow("stored") << 0;
    QTest::newRow("fastest") << 1;
    QTest::newRow("zip -6") << 6;
    QTest::newRow("best") << 9;
}

// A file that fits one block is exactly zlib's own raw deflate at the chosen level.
void TestParallelDeflate::singleBlockMatchesZlib() {
    QFETCH(int, level);
    const QByteArray input = makeData(5 * Block - 100, Content::Text);
    QVERIFY(writeFile(file("in.bin"), input));
    const QByteArray expected = oneShotDeflate(input, level);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(compressed(file("in.bin"), settings(2, 8 * Block, level)), expected);
}

// The same file gives the same stream with 1, 2 or 4 workers and any pipeline depth.
void TestParallelDeflate::sameOutputWhateverTheThreads() {
    const QByteArray input = makeData(9 * Block + 5, Content::Text, 3) +
                             makeData(2 * Block, Content::Random) +
                             makeData(4 * Block + 99, Content::Text, 5);
    QVERIFY(writeFile(file("in.bin"), input));
    const QByteArray reference = compressed(file("in.bin"), settings(1));
    QByteArray inflated;
    QVERIFY(zlibInflate(reference, inflated));
    QVERIFY(inflated == input);
    for (int threads : {2, 4}) {
        for (int depth : {0, 1, 3}) {
            DeflateSettings s = settings(threads);
            s.MaxBlocksInFlight = depth;
            QCOMPARE(compressed(file("in.bin"), s), reference);
        }
    }
}

// A block refers back into the block before it: a 16 KiB random run repeated over eight
// blocks costs about one copy of the run, not one per block.
void TestParallelDeflate::blocksArePrimedWithPrecedingData() {
    const QByteArray run = makeData(16384, Content::Random);
    const QByteArray input = run.repeated(8 * Block / run.size());
    QVERIFY(writeFile(file("in.bin"), input));
    const QByteArray stream = compressed(file("in.bin"), settings(2));
    QByteArray inflated;
    QVERIFY(zlibInflate(stream, inflated));
    QVERIFY(inflated == input);
    QVERIFY2(stream.size() < 2 * run.size(), qPrintable(QString::number(stream.size())));
}

// Small files are compressed side by side, yet reach the sink whole and in list order.
void TestParallelDeflate::manySmallFilesInOrder() {
    QStringList paths;
    QList<QByteArray> inputs;
    for (int i = 0; i < 60; ++i) {
        // One multi-block file among them: its blocks must not interleave with others.
        const qint64 size = i == 30 ? 5 * Block + 3 : (i * 397) % 6000;
        inputs << makeData(size, i % 3 ? Content::Text : Content::Random, quint32(i + 1));
        paths << file(QStringLiteral("f%1.bin").arg(i));
        QVERIFY(writeFile(paths.last(), inputs.last()));
    }
    Collected got;
    ParallelDeflate deflater(settings(4));
    QVERIFY2(!deflater.Run(paths, got.Sink()), qPrintable(deflater.Error()));
    QCOMPARE(deflater.PeakBlocksInFlight(), deflater.Settings().MaxBlocksInFlight);
    int expectedFile = 0;
    for (const auto& piece : std::as_const(got.Pieces)) {
        QCOMPARE(piece.File, expectedFile);
        if (!piece.Last)
            continue;
        QByteArray inflated;
        QVERIFY(zlibInflate(got.Stream(piece.File), inflated));
        QVERIFY2(inflated == inputs[piece.File], qPrintable(paths[piece.File]));
        QCOMPARE(piece.Crc, crcOf(inputs[piece.File]));
        ++expectedFile;
    }
    QCOMPARE(expectedFile, paths.size());
}

void TestParallelDeflate::sinkStopsTheRun_data() {
    QTest::addColumn<int>("files");
    QTest::addColumn<qint64>("fileSize");
    QTest::addColumn<int>("stopAtPiece");
    QTest::newRow("inside a large file") << 1 << 16 * Block << 3;
    QTest::newRow("between small files") << 20 << qint64(1000) << 5;
    QTest::newRow("at the last piece") << 1 << 4 * Block << 4;
}

// Returning false from the sink ends the run at once: no further piece, a cancel rather
// than a failure, and the object is ready for the next run.
void TestParallelDeflate::sinkStopsTheRun() {
    QFETCH(int, files);
    QFETCH(qint64, fileSize);
    QFETCH(int, stopAtPiece);
    QStringList paths;
    for (int i = 0; i < files; ++i) {
        paths << file(QStringLiteral("f%1.bin").arg(i));
        QVERIFY(writeFile(paths.last(), makeData(fileSize, Content::Text, quint32(i + 1))));
    }
    ParallelDeflate deflater(settings(2));
    Collected stopped;
    QVERIFY(deflater.Run(paths, stopped.Sink(stopAtPiece)));
    QVERIFY(deflater.Canceled());
    QVERIFY(deflater.Error().isEmpty());
    QCOMPARE(stopped.Pieces.size(), stopAtPiece);
    Collected full;
    QVERIFY(!deflater.Run(paths, full.Sink()));
    QVERIFY(!deflater.Canceled());
    QCOMPARE(full.Stream(0), compressed(paths[0], settings(1)));
}

void TestParallelDeflate::unreadableFileIsReported_data() {
    QTest::addColumn<QString>("bad");
    QTest::newRow("missing") << QStringLiteral("no such file.bin");
    QTest::newRow("folder") << QStringLiteral("a folder");
    // Opens like a file, then fails with an I/O error at the first read (even for root).
    QTest::newRow("read fails after open") << QStringLiteral("/proc/self/mem");
}

// A file that cannot be read fails the run with its name; the files before it are
// delivered whole, nothing of the files after it.
void TestParallelDeflate::unreadableFileIsReported() {
    QFETCH(QString, bad);
    if (bad.startsWith(QLatin1Char('/')) && !QFile::exists(bad))
        QSKIP("no /proc on this system");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("a folder")));
    const QString badPath = bad.startsWith(QLatin1Char('/')) ? bad : file(bad);
    const QByteArray first = makeData(3 * Block + 1, Content::Text);
    QVERIFY(writeFile(file("first.bin"), first));
    QVERIFY(writeFile(file("after.bin"), makeData(100, Content::Text)));
    Collected got;
    ParallelDeflate deflater(settings(2));
    QVERIFY(deflater.Run({file("first.bin"), badPath, file("after.bin")}, got.Sink()));
    QVERIFY(!deflater.Canceled());
    QCOMPARE(deflater.FailedFile(), 1);
    QVERIFY2(deflater.Error().contains(badPath), qPrintable(deflater.Error()));
    QVERIFY(!got.Pieces.isEmpty());
    QVERIFY(got.Pieces.last().Last);
    QCOMPARE(got.Pieces.last().File, 0);
    QByteArray inflated;
    QVERIFY(zlibInflate(got.Stream(0), inflated));
    QVERIFY(inflated == first);
}

// A level zlib refuses fails the run with zlib's complaint and the file's name.
void TestParallelDeflate::zlibFailureIsReported() {
    QVERIFY(writeFile(file("in.bin"), makeData(100, Content::Text)));
    Collected got;
    ParallelDeflate deflater(settings(2, Block, 42));
    QVERIFY(deflater.CompressFile(file("in.bin"), got.Sink()));
    QVERIFY(!deflater.Canceled());
    QCOMPARE(deflater.FailedFile(), 0);
    QVERIFY2(deflater.Error().contains(file("in.bin")), qPrintable(deflater.Error()));
    QVERIFY2(deflater.Error().contains(QStringLiteral("zlib error")), qPrintable(deflater.Error()));
    QVERIFY(got.Pieces.isEmpty());
}

// A file far larger than the pipeline is never read further ahead than the limit allows.
void TestParallelDeflate::blocksInFlightAreLimited() {
    QVERIFY(writeFile(file("in.bin"), makeData(24 * Block, Content::Text)));
    DeflateSettings s = settings(2);
    s.MaxBlocksInFlight = 3;
    Collected got;
    ParallelDeflate deflater(s);
    QVERIFY(!deflater.CompressFile(file("in.bin"), got.Sink()));
    QCOMPARE(got.Pieces.size(), 24);
    QCOMPARE(deflater.PeakBlocksInFlight(), 3);
}

void TestParallelDeflate::settingsStayWithinMemoryBudget_data() {
    QTest::addColumn<int>("threads");
    QTest::addColumn<qint64>("blockSize");
    QTest::addColumn<int>("inFlight");
    QTest::newRow("defaults") << 0 << qint64(1 << 20) << 0;
    QTest::newRow("many threads") << 1000 << qint64(1 << 20) << 0;
    QTest::newRow("huge blocks") << 8 << (qint64(1) << 40) << 0;
    QTest::newRow("deep pipeline") << 2 << qint64(1 << 20) << 100000;
    QTest::newRow("tiny blocks") << 2 << qint64(1) << 0;
}

// Whatever is asked for, input and output of every block in flight plus the block read
// ahead fit the budget, and at least one worker runs.
void TestParallelDeflate::settingsStayWithinMemoryBudget() {
    QFETCH(int, threads);
    QFETCH(qint64, blockSize);
    QFETCH(int, inFlight);
    DeflateSettings asked = settings(threads, blockSize);
    asked.MaxBlocksInFlight = inFlight;
    const DeflateSettings s = ParallelDeflate(asked).Settings();
    QVERIFY(s.Threads >= 1);
    QVERIFY(s.Threads <= s.MaxBlocksInFlight);
    QVERIFY(s.BlockSize >= 32768);
    QVERIFY((2 * s.MaxBlocksInFlight + 1) * s.BlockSize <= ParallelDeflate::MemoryBudget);
    QVERIFY(ParallelDeflate::MemoryBudget < qint64(64) << 20);
}

QTEST_GUILESS_MAIN(TestParallelDeflate)
#include "tst_parallel_deflate.moc"
