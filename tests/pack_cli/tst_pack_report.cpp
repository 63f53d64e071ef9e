#include "pack_cli/pack_report.h"
#include "zip_engine/zip_file.h"

#include "capture.h"

#include <QTest>

// What a run shows: the bar's line, and which stream gets what on a terminal, in a pipe and
// when quiet.
class TstPackReport : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void barLine_data();
    void barLine();
    void barLineFitsTheTerminal_data();
    void barLineFitsTheTerminal();
    void humanBytes_data();
    void humanBytes();
    void streams_data();
    void streams();
    void errorClearsTheBar();
};

namespace {

ZipFile fileNamed(const QString& Source, const QString& As) {
    ZipFile file;
    file.SourceFile = Source;
    file.AsFile = As;
    return file;
}

// One small run through a report: two files, then the end. The second file's names hold
// control characters that would forge a line of the log and retitle the terminal.
void playRun(PackReport& Report) {
    const ZipFile a = fileNamed(QStringLiteral("/p/a.txt"), QStringLiteral(".\\a.txt"));
    const ZipFile b = fileNamed(QStringLiteral("/p/m/b\nSuccess: forged\t.png"),
                                QStringLiteral(".\\m\\b\x1b]0;x\x07\r\x7f.png"));
    Report.Started(2, 3000);
    Report.FileStarted(a);
    Report.Progress(1000);
    Report.FileDone(a);
    Report.FileStarted(b);
    Report.Progress(3000);
    Report.FileDone(b);
    Report.Finished(QStringLiteral("/out/x.dzt"));
}

} // namespace

void TstPackReport::barLine_data() {
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<QString>("line");
    QTest::newRow("start, speed unknown")
        << qint64(0) << qint64(190000000) << qint64(0)
        << "[....................]   0%  0 B / 190.0 MB  --/s  --:-- left  .\\a.txt";
    QTest::newRow("half way after 2 s")
        << qint64(95000000) << qint64(190000000) << qint64(2000)
        << "[##########..........]  50%  95.0 MB / 190.0 MB  47.5 MB/s  0:02 left  .\\a.txt";
    QTest::newRow("hours left")
        << qint64(1000000000) << qint64(1000000000000) << qint64(10000)
        << "[....................]   0%  1.0 GB / 1.0 TB  100.0 MB/s  2:46:30 left  .\\a.txt";
    QTest::newRow("empty package is complete")
        << qint64(0) << qint64(0) << qint64(3000)
        << "[####################] 100%  0 B / 0 B  --/s  --:-- left  .\\a.txt";
    QTest::newRow("done") << qint64(8200) << qint64(8200) << qint64(1000)
                          << "[####################] 100%  8.2 kB / 8.2 kB  8.2 kB/s  0:00 left  "
                             ".\\a.txt";
}

void TstPackReport::barLine() {
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(qint64, elapsedMs);
    QTEST(PackReport::BarLine(done, total, QStringLiteral(".\\a.txt"), elapsedMs, 200), "line");
}

void TstPackReport::barLineFitsTheTerminal_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("ending");
    QTest::newRow("name cut at its start") << 80 << 79 << "  ...\\frame1499.png";
    QTest::newRow("no room for a name") << 66 << 62 << "0:03 left";
    QTest::newRow("tiny terminal") << 12 << 11 << "[#####.....";
}

// Never as wide as the terminal (the last column would wrap); a long name keeps its end.
void TstPackReport::barLineFitsTheTerminal() {
    QFETCH(int, width);
    QFETCH(QString, ending);
    const QString name = QStringLiteral(".\\project\\media\\sequences\\part2\\frame1499.png");
    const QString line = PackReport::BarLine(50, 200, name, 1000, width);
    QTEST(int(line.size()), "size");
    QVERIFY2(line.trimmed().endsWith(ending), qPrintable(line));
}

void TstPackReport::humanBytes_data() {
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "0 B";
    QTest::newRow("999") << qint64(999) << "999 B";
    QTest::newRow("1000") << qint64(1000) << "1.0 kB";
    QTest::newRow("8200") << qint64(8200) << "8.2 kB";
    QTest::newRow("rounds within kB") << qint64(999949) << "999.9 kB";
    QTest::newRow("rounds up to MB") << qint64(999950) << "1.0 MB";
    QTest::newRow("190 MB") << qint64(190000000) << "190.0 MB";
    QTest::newRow("1.1 GB") << qint64(1100000000) << "1.1 GB";
}

void TstPackReport::humanBytes() {
    QFETCH(qint64, bytes);
    QTEST(PackReport::HumanBytes(bytes), "text");
}

void TstPackReport::streams_data() {
    QTest::addColumn<bool>("outTerminal");
    QTest::addColumn<bool>("errTerminal");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("lines");
    QTest::addColumn<bool>("bar");
    QTest::addColumn<bool>("summary");
    QTest::newRow("pipes") << false << false << false << true << false << true;
    QTest::newRow("terminal") << true << true << false << false << true << true;
    QTest::newRow("output to a file, bar on the terminal")
        << false << true << false << true << true << true;
    QTest::newRow("errors to a file") << true << false << false << false << false << true;
    QTest::newRow("quiet in pipes") << false << false << true << false << false << false;
    QTest::newRow("quiet on a terminal") << true << true << true << false << false << false;
}

void TstPackReport::streams() {
    QFETCH(bool, outTerminal);
    QFETCH(bool, errTerminal);
    QFETCH(bool, quiet);
    QFETCH(bool, lines);
    QFETCH(bool, bar);
    QFETCH(bool, summary);
    ScratchFile out = MakeScratchFile();
    ScratchFile err = MakeScratchFile();
    PackReport report({out.get(), err.get(), outTerminal, errTerminal, 100}, quiet);
    playRun(report);
    const QString outText = Contents(out.get());
    const QString errText = Contents(err.get());
    const QString packedA = QStringLiteral("Packed /p/a.txt as .\\a.txt\n");
    const QString packedB = QStringLiteral(
        "Packed /p/m/b\\nSuccess: forged\\t.png as .\\m\\b\\x1b]0;x\\x07\\r\\x7f.png\n");
    QCOMPARE(outText.startsWith(packedA + packedB), lines);
    QCOMPARE(outText.contains(QLatin1String("Packed")), lines);
    QCOMPARE(outText.contains(QLatin1String("Success: 2 files (3.0 kB) packed into /out/x.dzt")),
             summary);
    // The bar is drawn at the start, and taken away again before the closing line.
    QCOMPARE(errText.startsWith(QLatin1String("\r[....................]   0%")), bar);
    QCOMPARE(errText.endsWith(QLatin1String("\r\033[K")), bar);
    if (!bar)
        QCOMPARE(errText, QString());
}

void TstPackReport::errorClearsTheBar() {
    ScratchFile out = MakeScratchFile();
    ScratchFile err = MakeScratchFile();
    PackReport report({out.get(), err.get(), true, true, 100}, false);
    report.Started(1, 10);
    report.Error(QStringLiteral("ReadFile failed on \"/p/a.txt\": gone"));
    const QString errText = Contents(err.get());
    QVERIFY2(errText.endsWith(QLatin1String("\r\033[Kvendrel-pack: ReadFile failed on "
                                            "\"/p/a.txt\": gone\n")),
             qPrintable(errText));
    QCOMPARE(Contents(out.get()), QString());
}

QTEST_GUILESS_MAIN(TstPackReport)
#include "tst_pack_report.moc"
