#include "pack_rig.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// What the window shows of a running run: status line, progress bar and buttons, driven
// by the Zipper's events.
class tst_PackingEvents : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void init();
    void cleanup();
    void twoFiles();
    void allFilesEmpty();
    void cancelDuringTheFirstFile();
    void cancelTwiceEndsOnce();
    void cancelWithoutARunChangesNothing();
    void errorInTheMiddleOfAFile();
    void exitDuringARunLeavesACompleteArchive();
    void errorText_data();
    void errorText();

  private:
    QString project() const { return m_dir->path() + QStringLiteral("/Intro"); }
    QString out() const { return m_dir->path() + QStringLiteral("/Out"); }
    // Runs the DZS command into Out/Pack.dzs; the run is left going.
    void startRun(const QString& Answer = QString());

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PackRig> m_rig;
};

void tst_PackingEvents::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir().mkpath(project()));
    QVERIFY(QDir().mkpath(out()));
    m_rig = std::make_unique<PackRig>();
    m_rig->values.ProjectFolder = project();
}

void tst_PackingEvents::cleanup() {
    m_rig.reset();
    QVERIFY(RemoveTree(m_dir->path()));
    m_dir.reset();
}

void tst_PackingEvents::startRun(const QString& Answer) {
    m_rig->platform.SaveAnswers << (Answer.isEmpty() ? out() + "/Pack" : Answer);
    m_rig->packer.Generate(KindCode::DZS);
    QVERIFY(m_rig->zipper.Zipping());
}

void tst_PackingEvents::twoFiles() {
    QVERIFY(WritePatternFile(project() + "/a.bin", 196608, 1));
    QVERIFY(WritePatternFile(project() + "/b.bin", 65536, 2));
    startRun();
    QVERIFY(WaitForRunEnd(m_rig->zipper));

    const QString a = project() + "/a.bin";
    const QString b = project() + "/b.bin";
    QCOMPARE(m_rig->view.Statuses, (QStringList{"Packing " + a, "Packed " + a, "Packing " + b,
                                                "Packed " + b, "Success"}));
    QCOMPARE(m_rig->view.Repaints,
             (QStringList{"Packing " + a, "Packed " + a, "Packing " + b, "Packed " + b}));
    QCOMPARE(m_rig->view.ProgressValues, (QList<float>{50.0f, 75.0f, 100.0f}));
    const QStringList end{"status Success", "Command3 off", "cmdDZEP on", "cmdDZT on",
                          "cmdDZTR on",     "cmdDZS on",    "cmdDZM on",  "cmdDZP on"};
    QCOMPARE(m_rig->view.Log.mid(m_rig->view.Log.size() - end.size()), end);
    QVERIFY(m_rig->view.ProgressVisible);

    const CheckedArchive packed = CheckZip(out() + "/Pack.dzs");
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(packed.Entries.at(0).Sha256, Sha256OfFile(a));
    QCOMPARE(packed.Entries.at(1).Sha256, Sha256OfFile(b));
}

void tst_PackingEvents::allFilesEmpty() {
    QVERIFY(MakeFile(project() + "/e1"));
    QVERIFY(MakeFile(project() + "/e2"));
    m_rig->view.ProgressValue = 42;
    startRun();
    QVERIFY(WaitForRunEnd(m_rig->zipper));

    const QString e1 = project() + "/e1";
    const QString e2 = project() + "/e2";
    QCOMPARE(m_rig->view.Statuses, (QStringList{"Packing " + e1, "Packed " + e1, "Packing " + e2,
                                                "Packed " + e2, "Success"}));
    QVERIFY(m_rig->view.ProgressValues.isEmpty());
    QCOMPARE(m_rig->view.ProgressValue, 42.0f);
}

void tst_PackingEvents::cancelDuringTheFirstFile() {
    QVERIFY(WritePatternFile(project() + "/a.bin", 3 * Zipper::ChunkSize * Zipper::ChunksPerTick));
    QVERIFY(WritePatternFile(project() + "/b.bin", 1000));
    // The click lands while the first file is being packed.
    connect(&m_rig->zipper, &Zipper::Progress, &m_rig->packer, &Packer::Cancel,
            Qt::SingleShotConnection);
    startRun();
    QVERIFY(WaitForRunEnd(m_rig->zipper));

    const QString a = project() + "/a.bin";
    QCOMPARE(m_rig->view.Statuses, (QStringList{"Packing " + a, "Packed " + a, "Canceled"}));
    QCOMPARE(m_rig->view.Buttons(), QStringLiteral("111111"));
    QVERIFY(!m_rig->view.CancelEnabled);
    const CheckedArchive packed = CheckZip(out() + "/Pack.dzs");
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QCOMPARE(StoredNames(packed), QStringList{"a.bin"});
    QVERIFY(packed.Entries.at(0).FileSize < QFileInfo(a).size());
}

void tst_PackingEvents::cancelTwiceEndsOnce() {
    QVERIFY(WritePatternFile(project() + "/a.bin", 3 * Zipper::ChunkSize * Zipper::ChunksPerTick));
    QSignalSpy completes(&m_rig->zipper, &Zipper::Complete);
    startRun();
    m_rig->packer.Cancel();
    m_rig->packer.Cancel();
    QTRY_COMPARE(completes.size(), 1);
    QCOMPARE(completes.at(0).at(0).toBool(), true);
    // Nothing more arrives: the second click did not outlive the run.
    QVERIFY(!completes.wait(200));
    QCOMPARE(m_rig->view.Statuses.count(QStringLiteral("Canceled")), 1);

    startRun(out() + "/Again");
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));
}

void tst_PackingEvents::cancelWithoutARunChangesNothing() {
    QVERIFY(MakeFile(project() + "/a.txt", "a"));
    m_rig->packer.Cancel();
    QVERIFY(m_rig->view.Log.isEmpty());
    startRun();
    QVERIFY(WaitForRunEnd(m_rig->zipper));
    QCOMPARE(m_rig->view.StatusText, QStringLiteral("Success"));
}

void tst_PackingEvents::errorInTheMiddleOfAFile() {
    // The package is written to a device that takes no bytes.
    QVERIFY(WritePatternFile(project() + "/a.bin", 2 * 1024 * 1024));
    QVERIFY(WritePatternFile(project() + "/b.bin", 1000));
    const QString full = out() + "/full.dzs";
    QVERIFY(::symlink("/dev/full", QFile::encodeName(full).constData()) == 0);
    QSignalSpy completes(&m_rig->zipper, &Zipper::Complete);
    startRun(full);
    QVERIFY(WaitForRunEnd(m_rig->zipper));

    const QString a = project() + "/a.bin";
    QCOMPARE(m_rig->view.Statuses.size(), 2);
    QCOMPARE(m_rig->view.Statuses.at(0), "Packing " + a);
    const QRegularExpression error(QStringLiteral("^Err -?\\d+ in WriteBytes$"));
    QVERIFY2(error.match(m_rig->view.StatusText).hasMatch(), qPrintable(m_rig->view.StatusText));
    QCOMPARE(completes.size(), 0);
    QCOMPARE(m_rig->view.Buttons(), QStringLiteral("000000"));
    QVERIFY(m_rig->view.CancelEnabled);
    QVERIFY(m_rig->view.ProgressVisible);
}

void tst_PackingEvents::exitDuringARunLeavesACompleteArchive() {
    QVERIFY(WritePatternFile(project() + "/a.bin", 300000, 1));
    QVERIFY(WritePatternFile(project() + "/b.bin", 3 * Zipper::ChunkSize * Zipper::ChunksPerTick));
    QVERIFY(WritePatternFile(project() + "/c.bin", 1000, 3));
    QSignalSpy ends(&m_rig->zipper, &Zipper::EndFile);
    startRun();
    QVERIFY(ends.wait());
    // The window goes, and the Zipper with it, in the middle of the second file.
    m_rig.reset();

    const CheckedArchive packed = CheckZip(out() + "/Pack.dzs");
    QVERIFY2(packed.Ok, qPrintable(packed.Error));
    QVERIFY(packed.Entries.size() >= 1 && packed.Entries.size() <= 2);
    QCOMPARE(packed.Entries.at(0).Name, QStringLiteral("a.bin"));
    QCOMPARE(packed.Entries.at(0).Sha256, Sha256OfFile(project() + "/a.bin"));
}

void tst_PackingEvents::errorText_data() {
    QTest::addColumn<int>("Result");
    QTest::addColumn<QString>("Failed");
    QTest::addColumn<QString>("Text");
    QTest::newRow("write failure") << -1 << "WriteBytes"
                                   << "Err -1 in WriteBytes";
    QTest::newRow("writer still open") << -667 << "OpenZip"
                                       << "Err -667 in OpenZip";
    QTest::newRow("zero") << 0 << "Already mZipping"
                          << "Err 0 in Already mZipping";
    QTest::newRow("library code") << 102 << "CloseZip"
                                  << "Err 102 in CloseZip";
}

void tst_PackingEvents::errorText() {
    QFETCH(int, Result);
    QFETCH(QString, Failed);
    QFETCH(QString, Text);
    QCOMPARE(Packer::ErrorText(Result, Failed), Text);
}

QTEST_GUILESS_MAIN(tst_PackingEvents)
#include "tst_packing_events.moc"
