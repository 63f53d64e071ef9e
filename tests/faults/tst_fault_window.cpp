// Faults met through the real window, offscreen: the program ending in the middle of a file,
// and a failed run followed by the next one.
#include "fault_rig.h"

#include "main_window/form1.h"
#include "zip_engine/test_faults.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray headOf(const QString& Path, qint64 Size) {
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.read(Size) : QByteArray();
}

} // namespace

class tst_FaultWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_window;

    QString project() const { return m_dir->path() + QStringLiteral("/Intro"); }
    QString out() const { return m_dir->path() + QStringLiteral("/out"); }
    QString big() const { return project() + QStringLiteral("/media/big.bin"); }
    QList<ExpectedEntry> whole() const {
        return {{".\\a.txt", project() + "/a.txt"},
                {".\\media\\big.bin", big()},
                {".\\media\\z.txt", project() + "/media/z.txt"}};
    }

    void startWindow() {
        m_window = std::make_unique<Form1>(*m_platform);
        m_window->show();
    }
    // "Browse" answered with the project folder, then a Generate click answered with Output.
    void pack(const QString& Output) {
        m_platform->BrowseAnswers << project();
        m_window->findChild<QPushButton*>("cmdSelectFolder")->click();
        m_platform->SaveAnswers << Output;
        m_window->GenerateButton(KindCode::DZT)->click();
    }

  private Q_SLOTS:
    void init() {
        // Faults set in the middle of a run reach only archives opened after this.
        ZipFileIo::SetTestFaults({});
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(MakeFile(project() + "/a.txt", QByteArray(1000, 'a')));
        QVERIFY(MakePatternFile(big(), 8 * Zipper::ChunkSize * Zipper::ChunksPerTick, 5));
        QVERIFY(MakeFile(project() + "/media/z.txt", "z"));
        QVERIFY(QDir().mkpath(out()));
        m_platform = std::make_unique<FakePlatform>();
        startWindow();
    }
    void cleanup() {
        m_window.reset();
        m_platform.reset();
        m_dir.reset();
    }

    void exitDuringARun_data() {
        QTest::addColumn<bool>("exitButton");
        QTest::newRow("window destroyed") << false;
        QTest::newRow("E&XIT pressed") << true;
    }
    // The program ends in the middle of a file: the archive is finished with the entries
    // written so far, readable, each holding the bytes it got; a new start packs in full.
    void exitDuringARun() {
        QFETCH(bool, exitButton);
        const QString output = out() + "/cut.dzt";
        pack(output);
        const Zipper& zipper = m_window->GetZipper();
        QTRY_VERIFY_WITH_TIMEOUT(zipper.BytesZipped() >= 1000 + 2 * Zipper::ChunkSize, 10000);
        QVERIFY(zipper.Zipping());
        if (exitButton)
            m_window->findChild<QPushButton*>("cmdExit")->click();
        m_window.reset();

        const CheckedArchive archive = CheckZip(output);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Names(), (QStringList{".\\a.txt", ".\\media\\big.bin"}));
        QCOMPARE(archive.Entries[0].Sha256, Sha256OfFile(project() + "/a.txt"));
        const qint64 cut = archive.Entries[1].FileSize;
        QVERIFY(cut >= 2 * Zipper::ChunkSize && cut < QFileInfo(big()).size());
        QCOMPARE(archive.Entries[1].Sha256, Sha256Of(headOf(big(), cut)));

        startWindow();
        pack(out() + "/whole.dzt");
        QTRY_COMPARE_WITH_TIMEOUT(m_window->Status(), QStringLiteral("Success"), 30000);
        FAULT_VERIFY(PackageHolds(out() + "/whole.dzt", whole()));
    }

    // The program ends in the middle of a file and the disk fails while the archive is being
    // finished: a broken archive would pass for a package, so none is left.
    void exitWhileTheDiskFails() {
        const QString output = out() + "/cut.dzt";
        pack(output);
        QTRY_VERIFY_WITH_TIMEOUT(m_window->GetZipper().BytesZipped() >= 1000 + Zipper::ChunkSize,
                                 10000);
        ZipFileIo::SetTestFaults({1, 0, false, 0});
        m_window.reset();
        ZipFileIo::SetTestFaults({});
        FAULT_VERIFY(NoPackageAt(output));

        startWindow();
        pack(output);
        QTRY_COMPARE_WITH_TIMEOUT(m_window->Status(), QStringLiteral("Success"), 30000);
        FAULT_VERIFY(PackageHolds(output, whole()));
    }

    // A run that fails leaves the window stopped with the error shown; the cancel button has
    // nothing to cancel; choosing the folder again lets the next run succeed.
    void failedRunThenTheNext() {
        const QString full = out() + "/full.dzt";
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), full));
        QStringList statuses;
        connect(m_window->findChild<QPlainTextEdit*>("txtStatus"), &QPlainTextEdit::textChanged,
                this, [&] { statuses << m_window->Status(); });
        pack(full);
        QTRY_VERIFY_WITH_TIMEOUT(!m_window->GetZipper().Zipping(), 30000);
        const QString failed = m_window->Status();
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(WriteStepFailed))
                     .match(failed)
                     .hasMatch(),
                 qPrintable(failed));
        QVERIFY(!statuses.contains(QStringLiteral("Success")));
        FAULT_VERIFY(NoPackageAt(full));
        for (const TemplateKind& kind : TemplateKinds())
            QVERIFY(!m_window->GenerateButton(kind.Code)->isEnabled());
        auto* cancel = m_window->findChild<QPushButton*>("Command3");
        QVERIFY(cancel->isEnabled());
        cancel->click();
        QTest::qWait(3 * Zipper::TickInterval);
        QCOMPARE(m_window->Status(), failed);

        pack(out() + "/ok.dzt");
        QTRY_COMPARE_WITH_TIMEOUT(m_window->Status(), QStringLiteral("Success"), 30000);
        FAULT_VERIFY(PackageHolds(out() + "/ok.dzt", whole()));
    }
};

QTEST_MAIN(tst_FaultWindow)
#include "tst_fault_window.moc"
