#include "zip_engine/parallel_deflate.h"

#include "os/source_reader.h"
#include "zip_engine/deflate/block_crc.h"
#include "zip_engine/deflate/block_plan.h"

#include "zip_check.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <zlib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

constexpr qint64 Block = 65536;
constexpr qint64 DefaultBlock = 1 << 20;
// The most one stored deflate block holds, and the header in front of each.
constexpr qint64 StoredMax = 65535;
constexpr qint64 StoredHeader = 5;

// Text: highly repetitive lines. Xml: project-file lines with random numbers, which deflate
// shrinks to about a third. Skewed: random bytes below 192, close to random yet about 5%
// smaller deflated. Printable: random bytes other than the control codes that make zlib
// call data binary, about 2% smaller deflated.
// Unpaired: random but that no two neighbouring bytes add up to 15 modulo 16, nearly as
// random by single bytes, a pattern that a scan looking only at some places could key on.
enum class Content { Random, Text, Zeros, Skewed, Xml, Printable, Unpaired };

QByteArray makeData(qint64 size, Content content, quint32 seed = 7) {
    QByteArray data(size, '\0');
    if (content == Content::Random) {
        QRandomGenerator rng(seed);
        for (auto& c : data)
            c = char(rng.generate() & 0xff);
    } else if (content == Content::Xml) {
        QRandomGenerator rng(seed);
        QByteArray text;
        while (text.size() < size)
            text += "  <clip id=\"" + QByteArray::number(rng.bounded(100000)) + "\" start=\"" +
                    QByteArray::number(rng.generateDouble(), 'f', 4) + "\" value=\"" +
                    QByteArray::number(rng.bounded(1 << 20)) + "\"/>\n";
        data = text.left(size);
    } else if (content == Content::Printable) {
        QRandomGenerator rng(seed);
        const QByteArray controls("\x00\x01\x02\x03\x04\x05\x06\x0e\x0f\x10\x11\x12\x13"
                                  "\x14\x15\x16\x17\x18\x19\x1c\x1d\x1e\x1f",
                                  23);
        for (auto& c : data)
            do
                c = char(rng.generate() & 0xff);
            while (controls.contains(c));
    } else if (content == Content::Unpaired) {
        QRandomGenerator rng(seed);
        for (qint64 i = 0; i < size; ++i)
            do
                data[i] = char(rng.generate() & 0xff);
            while (i > 0 && ((uchar(data[i - 1]) + uchar(data[i])) & 15) == 15);
    } else if (content == Content::Skewed) {
        QRandomGenerator rng(seed);
        for (auto& c : data)
            c = char(rng.bounded(192));
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

// zlib's own one-shot raw deflate of the whole input, and its text-or-binary verdict.
QByteArray oneShotDeflate(const QByteArray& input, int level, bool* text = nullptr) {
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
    if (text)
        *text = zs.data_type == Z_TEXT;
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

// A test file put together from stretches of random and compressible bytes, with the most
// its stream should cost: a random stretch its own size plus stored-block headers, any other
// what zlib makes of it on its own.
struct Layout {
    QByteArray Input;
    qint64 Bound = 0;

    Layout& random(qint64 size, Content content = Content::Random) {
        Input += makeData(size, content, quint32(Input.size() + 11));
        Bound += size + (size / StoredMax + 2) * StoredHeader;
        return *this;
    }
    Layout& other(qint64 size, Content content) {
        const QByteArray part = makeData(size, content, quint32(Input.size() + 13));
        Input += part;
        Bound += oneShotDeflate(part, 6).size();
        return *this;
    }
    Layout& xml(qint64 size) { return other(size, Content::Xml); }
    // Repeats the stretch's last Size bytes right after it, which deflate sees as one long
    // match (a match of at most 258 bytes costs about 4 bytes).
    Layout& copyOfLast(qint64 size) {
        Input += Input.right(size);
        Bound += size / 50 + 16;
        return *this;
    }
};

// Runs the deflater on another thread. Should it still be running after a minute, its sink
// stops it and a writer opens Fifo, which releases an open waiting for one: a run that
// hangs then fails the test instead of hanging it. True when the run had to be stopped.
bool runWatched(ParallelDeflate& deflater, const QStringList& paths, QList<DeflatePiece>& pieces,
                const QString& fifo) {
    std::atomic<bool> late{false};
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::thread runner([&] {
        // The callers read the outcome from Error() and FailedFile().
        static_cast<void>(deflater.Run(paths, [&](const DeflatePiece& piece) {
            pieces << piece;
            return !late.load();
        }));
        std::lock_guard lock(mutex);
        done = true;
        finished.notify_all();
    });
    std::unique_lock lock(mutex);
    if (!finished.wait_for(lock, std::chrono::minutes(1), [&] { return done; })) {
        late = true;
        const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    lock.unlock();
    runner.join();
    return late;
}

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
    void incompressibleStretches_data();
    void incompressibleStretches();
    void randomDataIsStoredCheaply();
    void blockPlan_data();
    void blockPlan();
    void blockCrcMatchesZlib_data();
    void blockCrcMatchesZlib();
    void manySmallFilesInOrder();
    void filesFoundDuringTheRun();
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
    if (!deflater.CompressFile(path, got.Sink()))
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
    QVERIFY2(deflater.CompressFile(file("in.bin"), got.Sink()), qPrintable(deflater.Error()));
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

void TestParallelDeflate::blockCrcMatchesZlib_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("offset");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("below the folded size") << 63 << 1;
    QTest::newRow("one lane, unaligned") << 64 << 3;
    QTest::newRow("lanes and a tail") << 127 << 5;
    QTest::newRow("four lanes") << 128 << 0;
    QTest::newRow("four lanes, 16-byte steps and a tail") << 64 * 7 + 16 * 3 + 9 << 7;
    QTest::newRow("a block") << int(Block) + 13 << 11;
}

// The folded CRC gives zlib's value for every length and alignment, continuing a CRC too.
void TestParallelDeflate::blockCrcMatchesZlib() {
    QFETCH(int, size);
    QFETCH(int, offset);
    const QByteArray data = makeData(size + offset, Content::Random);
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData()) + offset;
    for (const quint32 start : {0U, 0x12345678U}) {
        const auto expected = quint32(crc32_z(start, bytes, size_t(size)));
        QCOMPARE(Deflate::crc32Of(start, bytes, size), expected);
    }
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

void TestParallelDeflate::incompressibleStretches_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<qint64>("blockSize");
    QTest::addColumn<qint64>("bound");
    const auto row = [](const char* name, const Layout& layout, qint64 blockSize) {
        QTest::newRow(name) << layout.Input << blockSize << layout.Bound;
    };
    row("random, default blocks", Layout().random(2 * DefaultBlock + 5), DefaultBlock);
    row("random, small blocks", Layout().random(12 * Block + 7), Block);
    row("random then text in one block", Layout().random(3 * Block).xml(5 * Block), 8 * Block);
    row("text then random in one block", Layout().xml(3 * Block).random(5 * Block), 8 * Block);
    row("text, random, text across blocks",
        Layout().xml(Block + 100).random(4 * Block).xml(2 * Block), 2 * Block);
    row("random exactly between block boundaries",
        Layout().xml(2 * Block).random(4 * Block).xml(2 * Block), 2 * Block);
    row("last block random", Layout().xml(4 * Block).random(Block + 123), 2 * Block);
    row("last block random and full", Layout().xml(2 * Block).random(2 * Block), 2 * Block);
    row("last stored block exactly full", Layout().xml(2 * Block).random(2 * StoredMax), 2 * Block);
    row("random ending one byte into a block", Layout().random(3 * Block + 1), Block);
    // zlib's first internal block reaches past the first 64 KiB into the random bytes.
    row("text verdict reaching into random bytes",
        Layout().other(Block, Content::Text).random(3 * Block), 4 * Block);
    // Close enough to random to be stored, yet text to zlib, which judges the first 64 KiB.
    row("random text bytes", Layout().random(8 * Block, Content::Printable), 4 * Block);
    row("small random file", Layout().random(4000), Block);
    row("small random text file", Layout().random(4000, Content::Printable), Block);
    row("random repeated at once", Layout().random(20000).copyOfLast(20000).random(3 * Block),
        4 * Block);
    row("repeat reaching into the block before",
        Layout().random(2 * Block).copyOfLast(30000).random(2 * Block), 2 * Block);
    row("nearly random bytes that deflate still shrinks",
        Layout().other(6 * Block, Content::Skewed), 4 * Block);
}

// Stretches that deflate cannot shrink, wherever they lie against block boundaries, give
// a stream that zlib and Python inflate back to the file, the same with 1, 2 or 4 workers,
// costing no more than the random bytes themselves and what zlib makes of the rest; the
// text verdict is zlib's on the whole file.
void TestParallelDeflate::incompressibleStretches() {
    QFETCH(QByteArray, input);
    QFETCH(qint64, blockSize);
    QFETCH(qint64, bound);
    QVERIFY(writeFile(file("in.bin"), input));
    QList<DeflatePiece> pieces;
    QByteArray reference;
    for (int threads : {1, 2, 4}) {
        Collected got;
        ParallelDeflate deflater(settings(threads, blockSize));
        QVERIFY2(deflater.CompressFile(file("in.bin"), got.Sink()), qPrintable(deflater.Error()));
        if (threads == 1)
            reference = got.Stream(0), pieces = got.Pieces;
        QCOMPARE(got.Stream(0), reference);
    }
    QCOMPARE(pieces.last().Crc, crcOf(input));
    QCOMPARE(pieces.last().Size, input.size());
    QByteArray inflated;
    QVERIFY(zlibInflate(reference, inflated));
    QVERIFY(inflated == input);
    QCOMPARE(pythonInflate(reference, m_dir->path()), Sha256Of(input) + " True 0");
    // Never more than zlib makes of the whole file, nor than the random bytes stored and
    // zlib on the rest; a new deflate state per block costs a sync flush and a code table.
    const qint64 most = std::max<qint64>(bound, oneShotDeflate(input, 6).size()) +
                        128 * (input.size() / blockSize + 1);
    QVERIFY2(reference.size() <= most,
             qPrintable(QStringLiteral("%1 > %2").arg(reference.size()).arg(most)));
    bool text = false;
    oneShotDeflate(input, 6, &text);
    QCOMPARE(pieces.first().Text, text);
}

void TestParallelDeflate::blockPlan_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<qint64>("prime");
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("plan"); // "D" deflated, "S" stored, offsets in KiB
    const qint64 half = Block / 2;
    QTest::newRow("text") << Layout().xml(4 * Block).Input << qint64(0) << 6 << "D0-256";
    QTest::newRow("random file start: stored, zlib would call it binary")
        << Layout().random(4 * Block).Input << qint64(0) << 6 << "S0-256";
    QTest::newRow("small random file: stored whole")
        << Layout().random(4096).Input << qint64(0) << 6 << "S0-4";
    QTest::newRow("tiny random file: deflated")
        << Layout().random(300).Input << qint64(0) << 6 << "D0-0";
    QTest::newRow("random later block")
        << Layout().random(half + 2 * Block).Input << half << 6 << "S32-160";
    QTest::newRow("random, zlib's default level")
        << Layout().random(half + 2 * Block).Input << half << -1 << "S32-160";
    QTest::newRow("random, level 0 left to zlib")
        << Layout().random(half + 2 * Block).Input << half << 0 << "D32-160";
    QTest::newRow("short last slice joins the one before")
        << Layout().xml(half + Block).random(Block + half).Input << half << 6 << "D32-96 S96-192";
    QTest::newRow("random that repeats itself is deflated") << Layout()
                                                                   .random(half + Block)
                                                                   .random(Block / 4)
                                                                   .copyOfLast(Block / 4)
                                                                   .copyOfLast(half)
                                                                   .Input
                                                            << half << 6 << "S32-96 D96-160";
    QTest::newRow("each slice that repeats itself is deflated, however late its repeat")
        << Layout()
               .random(half + 1024)
               .copyOfLast(1024)
               .random(Block - 2048)
               .random(Block - 1024)
               .copyOfLast(1024)
               .Input
        << half << 6 << "D32-160";
    Layout shortRepeats = Layout().random(half);
    for (int i = 0; i < 132; ++i)
        shortRepeats.random(500).copyOfLast(8);
    QTest::newRow("random with many short repeats is deflated")
        << shortRepeats.Input << half << 6 << "D32-97";
    QTest::newRow("random that repeats itself, no pair of the bytes alike, is deflated")
        << Layout()
               .random(half)
               .other(Block / 4, Content::Unpaired)
               .copyOfLast(Block / 4)
               .copyOfLast(Block / 2)
               .Input
        << half << 6 << "D32-96";
    QTest::newRow("nearly random bytes")
        << Layout().other(half + 2 * Block, Content::Skewed).Input << half << 6 << "D32-160";
}

// Which stretches of a block are stored and which deflated, judged per 64 KiB slice.
void TestParallelDeflate::blockPlan() {
    QFETCH(QByteArray, input);
    QFETCH(qint64, prime);
    QFETCH(int, level);
    QStringList plan;
    for (const Deflate::Segment& s : Deflate::planSegments(input, prime, level))
        plan << QStringLiteral("%1%2-%3")
                    .arg(s.stored ? QLatin1Char('S') : QLatin1Char('D'))
                    .arg(s.begin / 1024)
                    .arg(s.end / 1024);
    QTEST(plan.join(QLatin1Char(' ')), "plan");
}

// Random data costs only stored-block headers, clearly less than running deflate over it,
// which would end up storing it in four times as many blocks.
void TestParallelDeflate::randomDataIsStoredCheaply() {
    const QByteArray input = makeData(2 * DefaultBlock + 5, Content::Random);
    QVERIFY(writeFile(file("in.bin"), input));
    const QByteArray stream = compressed(file("in.bin"), DeflateSettings{});
    QByteArray inflated;
    QVERIFY(zlibInflate(stream, inflated));
    QVERIFY(inflated == input);
    // A header per stored block, one more per block of the file; then per block 64 bytes
    // for a flush and the end.
    const qint64 blocks = input.size() / DefaultBlock + 1;
    const qint64 headers = (input.size() / StoredMax + blocks) * StoredHeader;
    QVERIFY2(stream.size() <= input.size() + headers + 64 * blocks,
             qPrintable(QString::number(stream.size() - input.size())));
    QVERIFY(stream.size() < oneShotDeflate(input, 6).size());
}

// Small files are compressed side by side, yet reach the sink whole and in list order, each
// as zlib itself would have compressed it.
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
    QVERIFY2(deflater.Run(paths, got.Sink()), qPrintable(deflater.Error()));
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
        // A small file, handed over in a batch or stored whole, gets zlib's own stream.
        if (inputs[piece.File].size() < Block)
            QVERIFY2(got.Stream(piece.File) == oneShotDeflate(inputs[piece.File], 6),
                     qPrintable(paths[piece.File]));
        ++expectedFile;
    }
    QCOMPARE(expectedFile, paths.size());
}

// Files that become known while the run goes on: here each only once the run waits for it,
// having delivered all before it, and every other one handed over already open. They come
// out as the same list known from the start would.
void TestParallelDeflate::filesFoundDuringTheRun() {
    struct FoundWhenAwaited : DeflateSources {
        QStringList Paths;
        mutable int Known = 1;
        int Handed = 0;
        State At(int Index, QString& Path, bool Wait) const override {
            if (Index >= Paths.size())
                return State::Ended;
            if (Index >= Known && !Wait)
                return State::Pending;
            Known = std::max(Known, Index + 1);
            Path = Paths.at(Index);
            return State::Known;
        }
        bool TakeOpened(int Index, SourceReader& Reader) override {
            if (Index % 2 == 0 || !Reader.Open(Paths.at(Index)))
                return false;
            ++Handed;
            return true;
        }
    } sources;
    for (int i = 0; i < 6; ++i) {
        sources.Paths << file(QStringLiteral("f%1.bin").arg(i));
        QVERIFY(writeFile(sources.Paths.last(),
                          makeData(i == 2 ? 3 * Block : 500 * i, Content::Text, quint32(i))));
    }
    Collected known;
    Collected found;
    ParallelDeflate deflater(settings(2));
    QVERIFY(deflater.Run(sources.Paths, known.Sink()));
    QVERIFY(deflater.Run(sources, found.Sink()));
    QCOMPARE(sources.Handed, 3);
    QCOMPARE(found.Pieces.size(), known.Pieces.size());
    for (qsizetype i = 0; i < found.Pieces.size(); ++i)
        QVERIFY(found.Pieces[i].File == known.Pieces[i].File &&
                found.Pieces[i].Data == known.Pieces[i].Data);
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
    QVERIFY(!deflater.Run(paths, stopped.Sink(stopAtPiece)));
    QVERIFY(deflater.Canceled());
    QVERIFY(deflater.Error().isEmpty());
    QCOMPARE(stopped.Pieces.size(), stopAtPiece);
    Collected full;
    QVERIFY(deflater.Run(paths, full.Sink()));
    QVERIFY(!deflater.Canceled());
    QCOMPARE(full.Stream(0), compressed(paths[0], settings(1)));
}

void TestParallelDeflate::unreadableFileIsReported_data() {
    QTest::addColumn<QString>("bad");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << QStringLiteral("no such file.bin") << QString();
    QTest::newRow("folder") << QStringLiteral("a folder") << QStringLiteral("folder");
    // Opens like a file, then fails with an I/O error at the first read (even for root).
    QTest::newRow("read fails after open") << QStringLiteral("/proc/self/mem") << QString();
    // A blocking open would wait for a writer for good.
    QTest::newRow("named pipe") << QStringLiteral("a pipe") << QStringLiteral("FIFO");
    // Would never end.
    QTest::newRow("endless device") << QStringLiteral("/dev/zero") << QStringLiteral("device");
}

// A file that cannot be read, or is no regular file, fails the run at once with its name;
// the files before it are delivered whole, nothing of the files after it.
void TestParallelDeflate::unreadableFileIsReported() {
    QFETCH(QString, bad);
    QFETCH(QString, reason);
    if (bad.startsWith(QLatin1Char('/')) && !QFile::exists(bad))
        QSKIP("no such system file here");
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("a folder")));
    QCOMPARE(::mkfifo(QFile::encodeName(file("a pipe")).constData(), 0600), 0);
    const QString badPath = bad.startsWith(QLatin1Char('/')) ? bad : file(bad);
    const QByteArray first = makeData(3 * Block + 1, Content::Text);
    QVERIFY(writeFile(file("first.bin"), first));
    QVERIFY(writeFile(file("after.bin"), makeData(100, Content::Text)));
    QList<DeflatePiece> pieces;
    ParallelDeflate deflater(settings(2));
    const QStringList paths{file("first.bin"), badPath, file("after.bin")};
    QVERIFY2(!runWatched(deflater, paths, pieces, file("a pipe")), "the run hung");
    QVERIFY(!deflater.Canceled());
    QCOMPARE(deflater.FailedFile(), 1);
    QVERIFY2(deflater.Error().contains(badPath), qPrintable(deflater.Error()));
    QVERIFY2(deflater.Error().contains(reason), qPrintable(deflater.Error()));
    QVERIFY(!deflater.CompressionFailed());
    QVERIFY(!pieces.isEmpty());
    QVERIFY(pieces.last().Last);
    QCOMPARE(pieces.last().File, 0);
    QByteArray stream;
    for (const auto& piece : std::as_const(pieces))
        stream += piece.Data;
    QByteArray inflated;
    QVERIFY(zlibInflate(stream, inflated));
    QVERIFY(inflated == first);
}

// A level zlib refuses fails the run with zlib's complaint and the file's name.
void TestParallelDeflate::zlibFailureIsReported() {
    QVERIFY(writeFile(file("in.bin"), makeData(100, Content::Text)));
    Collected got;
    ParallelDeflate deflater(settings(2, Block, 42));
    QVERIFY(!deflater.CompressFile(file("in.bin"), got.Sink()));
    QVERIFY(!deflater.Canceled());
    QCOMPARE(deflater.FailedFile(), 0);
    QVERIFY2(deflater.Error().contains(file("in.bin")), qPrintable(deflater.Error()));
    QVERIFY2(deflater.Error().contains(QStringLiteral("zlib error")), qPrintable(deflater.Error()));
    QVERIFY(deflater.CompressionFailed());
    QVERIFY(got.Pieces.isEmpty());
}

// A file far larger than the pipeline is never read further ahead than the limit allows.
void TestParallelDeflate::blocksInFlightAreLimited() {
    QVERIFY(writeFile(file("in.bin"), makeData(24 * Block, Content::Text)));
    DeflateSettings s = settings(2);
    s.MaxBlocksInFlight = 3;
    Collected got;
    ParallelDeflate deflater(s);
    QVERIFY(deflater.CompressFile(file("in.bin"), got.Sink()));
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
