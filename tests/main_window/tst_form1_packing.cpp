// The whole packing run driven through the real window: "Browse", a Generate click, the
// save dialog's answer, the event loop until the run ends, and the archive read back.
#include "fake_platform.h"
#include "main_window/form1.h"
#include "packing/banner_links.h"
#include "zip_check.h"
#include "zip_engine/zipper.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(KindCode)

namespace {

const QStringList ProjectFiles = {"project.xml", "readme.txt", "media/clip.mp4",
                                  "media/thumbs/t1.png"};

bool makeFile(const QString& path, qint64 size, quint32 seed) {
    return QDir().mkpath(QFileInfo(path).path()) && WritePatternFile(path, size, seed);
}

} // namespace

class tst_Form1Packing : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_window;
    QStringList m_statusLog;

    QString project() const { return m_dir->path() + QStringLiteral("/Work/Intro"); }
    QString out() const { return m_dir->path() + QStringLiteral("/Out"); }
    template <typename T> T* control(const char* name) const {
        return m_window->findChild<T*>(QString::fromLatin1(name));
    }
    QString status() const { return control<QPlainTextEdit>("txtStatus")->toPlainText(); }

    // "Browse" answered with the project folder, then a Generate click answered with Output.
    void pack(KindCode code, const QString& output) {
        m_platform->BrowseAnswers << project();
        control<QPushButton>("cmdSelectFolder")->click();
        m_platform->SaveAnswers << output;
        m_window->GenerateButton(code)->click();
    }

  private Q_SLOTS:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        quint32 seed = 0;
        for (const QString& rel : ProjectFiles) {
            ++seed;
            QVERIFY(makeFile(project() + QLatin1Char('/') + rel, 1000 * seed, seed));
        }
        QVERIFY(QDir().mkpath(out()));
        m_platform = std::make_unique<FakePlatform>();
        m_window = std::make_unique<Form1>(*m_platform);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_statusLog.clear();
        connect(control<QPlainTextEdit>("txtStatus"), &QPlainTextEdit::textChanged, this,
                [this] { m_statusLog << status(); });
    }
    void cleanup() {
        m_window.reset();
        m_platform.reset();
        m_dir.reset();
    }

    void packsEveryKind_data() {
        QTest::addColumn<KindCode>("code");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("DZEP") << KindCode::DZEP << "Intro.dzep"
                              << QStringList{"Intro\\project.xml", "Intro\\readme.txt",
                                             "Intro\\media\\clip.mp4",
                                             "Intro\\media\\thumbs\\t1.png"};
        const QStringList dotted = {".\\project.xml", ".\\readme.txt", ".\\media\\clip.mp4",
                                    ".\\media\\thumbs\\t1.png"};
        QTest::newRow("DZT") << KindCode::DZT << "Intro.dzt" << dotted;
        QTest::newRow("DZTR") << KindCode::DZTR << "Intro.dztr" << dotted;
        QTest::newRow("DZS") << KindCode::DZS << "Intro.dzs"
                             << QStringList{"project.xml", "readme.txt", "media\\clip.mp4",
                                            "media\\thumbs\\t1.png"};
        QTest::newRow("DZM") << KindCode::DZM << "Intro.dzm" << dotted;
        QTest::newRow("DZP") << KindCode::DZP << "Intro.dzp" << dotted;
    }
    void packsEveryKind() {
        QFETCH(KindCode, code);
        QFETCH(QString, written);
        QFETCH(QStringList, names);
        pack(code, out() + QStringLiteral("/Intro"));
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Success"), 30000);

        const CheckedArchive archive = CheckZip(out() + QLatin1Char('/') + written);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Names(), names);
        for (int i = 0; i < ProjectFiles.size(); ++i)
            QCOMPARE(archive.Entries[i].Sha256,
                     Sha256OfFile(project() + QLatin1Char('/') + ProjectFiles[i]));
        QCOMPARE(m_window->DestinationFolder(), out());
        QCOMPARE(control<QProgressBar>("ProgressBar1")->value(), 100);
        QVERIFY(!control<QPushButton>("Command3")->isEnabled());
        for (const TemplateKind& kind : TemplateKinds())
            QVERIFY(m_window->GenerateButton(kind.Code)->isEnabled());
        QVERIFY(!QFileInfo::exists(out() + QStringLiteral("/kvd.dll")));
    }

    // The status line names each file as it is packed and packed, then "Success".
    void statusFollowsTheRun() {
        pack(KindCode::DZS, out() + QStringLiteral("/Intro"));
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Success"), 30000);
        QStringList expected;
        for (const QString& rel : ProjectFiles) {
            const QString path = project() + QLatin1Char('/') + rel;
            expected << QStringLiteral("Packing ") + path << QStringLiteral("Packed ") + path;
        }
        expected << QStringLiteral("Success");
        QCOMPARE(m_statusLog, expected);
    }

    // "&Cancel Process" ends a run early; the archive keeps what was packed before it.
    void cancelStopsTheRun() {
        const QString big = project() + QStringLiteral("/media/big.mov");
        QVERIFY(makeFile(big, 40 * Zipper::ChunkSize * Zipper::ChunksPerTick, 9));
        pack(KindCode::DZT, out() + QStringLiteral("/Intro"));
        QTRY_VERIFY(status().startsWith(QStringLiteral("Packing ") + big));
        control<QPushButton>("Command3")->click();
        control<QPushButton>("Command3")->click();
        QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Canceled"), 10000);
        QCOMPARE(m_statusLog.count(QStringLiteral("Canceled")), 1);
        QVERIFY(m_statusLog.contains(QStringLiteral("Packed ") + big));
        const CheckedArchive archive = CheckZip(out() + QStringLiteral("/Intro.dzt"));
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QVERIFY(archive.Names().contains(QStringLiteral(".\\media\\big.mov")));
        QVERIFY(!control<QPushButton>("Command3")->isEnabled());
    }

    void bannersOpenTheirPages_data() {
        QTest::addColumn<QString>("banner");
        QTest::addColumn<QString>("url");
        QTest::newRow("top") << "Picture1" << QString::fromLatin1(BannerLinks::TemplatesUrl);
        QTest::newRow("lower") << "Image1" << QString::fromLatin1(BannerLinks::DonateUrl);
    }
    void bannersOpenTheirPages() {
        QFETCH(QString, banner);
        QFETCH(QString, url);
        auto* label = m_window->findChild<QLabel*>(banner);
        QVERIFY(label);
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(20, 20));
        QCOMPARE(m_platform->OpenedUrls, QStringList{url});
        QTest::mouseClick(label, Qt::RightButton, {}, QPoint(20, 20));
        QCOMPARE(m_platform->OpenedUrls.size(), 1);
    }
};

QTEST_MAIN(tst_Form1Packing)
#include "tst_form1_packing.moc"
