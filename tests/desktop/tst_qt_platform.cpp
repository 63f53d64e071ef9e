#include "desktop/folder_chooser.h"
#include "desktop/qt_platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

// Runs Action on the modal dialog of type D once it is showing.
template <typename D> void whenModalOpens(std::function<void(D&)> action) {
    QTimer::singleShot(0, qApp, [action] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        action(*dialog);
    });
}

// Receives the web addresses that QDesktopServices hands to the "vendrel-test" scheme.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> Urls;
  public Q_SLOTS:
    void open(const QUrl& url) { Urls << url; }
};

// QtPlatform against the real Qt services, with settings kept in a temporary XDG config
// folder so the user's own settings are never read or written.
class TstQtPlatform : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_config;
    QTemporaryDir m_files;

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_config.isValid());
        QVERIFY(m_files.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

    void appNameIsTheProgramFileBaseName() {
        QCOMPARE(QtPlatform(QStringLiteral("Vendrel")).AppName(),
                 QStringLiteral("tst_qt_platform"));
    }

    void settingsLiveInTheXdgConfigFolder() {
        QCOMPARE(QtPlatform::SettingsFile(QStringLiteral("vendrel")),
                 m_config.path() + QStringLiteral("/vendrel.ini"));
        // A name cannot lead the file out of the config folder.
        QCOMPARE(QtPlatform::SettingsFile(QStringLiteral("../x")),
                 m_config.path() + QStringLiteral("/.._x.ini"));
    }

    void missingEntryGivesDefault() {
        QtPlatform platform(QStringLiteral("Vendrel"));
        QCOMPARE(platform.GetSetting(QStringLiteral("nobody"), QStringLiteral("folders"),
                                     QStringLiteral("lastfolder"), QStringLiteral("dflt")),
                 QStringLiteral("dflt"));
        QCOMPARE(platform.GetSetting(QStringLiteral("nobody"), QStringLiteral("folders"),
                                     QStringLiteral("lastfolder"), QString()),
                 QString());
    }

    void settingRoundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("folder") << QStringLiteral("/home/ana/Templates/Intro");
        QTest::newRow("root") << QStringLiteral("/");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces around") << QStringLiteral("  /a b/c  ");
        QTest::newRow("ini specials") << QStringLiteral("/x=y;z#w[1]\\\"q\"");
        QTest::newRow("at sign") << QStringLiteral("@Variant(x)");
        QTest::newRow("non-ascii") << QStringLiteral("/home/łukasz/Шаблоны/日本");
    }
    void settingRoundTrip() {
        QFETCH(QString, value);
        const QString app = QStringLiteral("roundtrip");
        QtPlatform(QStringLiteral("Vendrel"))
            .SaveSetting(app, QStringLiteral("folders"), QStringLiteral("lastfolder"), value);
        // A fresh platform reads it back from the file, as the next start of the program.
        const QString read = QtPlatform(QStringLiteral("Vendrel"))
                                 .GetSetting(app, QStringLiteral("folders"),
                                             QStringLiteral("lastfolder"), QStringLiteral("dflt"));
        QCOMPARE(read, value);
        QVERIFY(QFile::exists(m_config.path() + QStringLiteral("/roundtrip.ini")));
    }

    void settingsFileIsPlainIni() {
        QtPlatform(QStringLiteral("Vendrel"))
            .SaveSetting(QStringLiteral("plain"), QStringLiteral("folders"),
                         QStringLiteral("lastfolder"), QStringLiteral("/srv/tpl"));
        QFile file(m_config.path() + QStringLiteral("/plain.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().trimmed(), QByteArray("[folders]\nlastfolder=/srv/tpl"));
    }

    void qtNameFilters_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("description shows pattern")
            << QStringLiteral("DZT Files (*.dzt)|*.dzt") << QStringList{"DZT Files (*.dzt)"};
        QTest::newRow("bare description")
            << QStringLiteral("Templates|*.dzp") << QStringList{"Templates (*.dzp)"};
        QTest::newRow("two pairs, several patterns")
            << QStringLiteral("A|*.a|B|*.b;*.c") << QStringList{"A (*.a)", "B (*.b *.c)"};
        QTest::newRow("empty") << QString() << QStringList();
    }
    void qtNameFilters() {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(QtPlatform::QtNameFilters(filter), expected);
    }

    void saveDialogIsSetUpAndReused() {
        QtPlatform platform(QStringLiteral("Vendrel"));
        const QString folder = QDir(m_files.path()).canonicalPath();
        QFileDialog* seen = nullptr;
        whenModalOpens<QFileDialog>([&](QFileDialog& dialog) {
            seen = &dialog;
            QCOMPARE(dialog.nameFilters(), QStringList{"DZTR Files (*.dztr)"});
            QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
            QVERIFY(dialog.testOption(QFileDialog::DontConfirmOverwrite));
            QCOMPARE(QDir(dialog.directory()).canonicalPath(), folder);
            dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("Intro"));
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Save)->click();
        });
        QCOMPARE(platform.ShowSaveDialog(folder, QStringLiteral("DZTR Files (*.dztr)|*.dztr")),
                 folder + QStringLiteral("/Intro"));

        // The same dialog again: a folder that does not exist leaves it where it was, and it
        // starts with the last confirmed name.
        whenModalOpens<QFileDialog>([&](QFileDialog& dialog) {
            QCOMPARE(&dialog, seen);
            QCOMPARE(dialog.nameFilters(), QStringList{"DZT Files (*.dzt)"});
            QCOMPARE(QDir(dialog.directory()).canonicalPath(), folder);
            QCOMPARE(dialog.selectedFiles(), QStringList{folder + QStringLiteral("/Intro")});
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(platform.ShowSaveDialog(QStringLiteral("C:\\MyStartFolder"),
                                         QStringLiteral("DZT Files (*.dzt)|*.dzt")),
                 QString());
    }

    void messageBox_data() {
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("press");
        QTest::addColumn<int>("answer");
        using P = Platform;
        QTest::newRow("warning, OK") << int(P::MsgIcon::Warning) << int(P::MsgButtons::Ok)
                                     << int(QMessageBox::Ok) << int(P::MsgAnswer::Ok);
        QTest::newRow("question, OK") << int(P::MsgIcon::None) << int(P::MsgButtons::OkCancel)
                                      << int(QMessageBox::Ok) << int(P::MsgAnswer::Ok);
        QTest::newRow("question, Cancel") << int(P::MsgIcon::None) << int(P::MsgButtons::OkCancel)
                                          << int(QMessageBox::Cancel) << int(P::MsgAnswer::Cancel);
    }
    void messageBox() {
        QFETCH(int, icon);
        QFETCH(int, buttons);
        QFETCH(int, press);
        QFETCH(int, answer);
        const bool okCancel = Platform::MsgButtons(buttons) == Platform::MsgButtons::OkCancel;
        whenModalOpens<QMessageBox>([=](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), QStringLiteral("Vendrel"));
            QCOMPARE(box.text(), QStringLiteral("line one\nline two"));
            QCOMPARE(box.icon(), Platform::MsgIcon(icon) == Platform::MsgIcon::Warning
                                     ? QMessageBox::Warning
                                     : QMessageBox::NoIcon);
            QCOMPARE(box.standardButtons(),
                     okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok);
            box.button(QMessageBox::StandardButton(press))->click();
        });
        const auto got = QtPlatform(QStringLiteral("Vendrel"))
                             .MessageBox(QStringLiteral("line one\r\nline two"),
                                         Platform::MsgIcon(icon), Platform::MsgButtons(buttons));
        QCOMPARE(int(got), answer);
    }

    void browseForFolderUsesTheChooser() {
        const QString folder = QDir(m_files.path()).canonicalPath();
        QWidget owner;
        QtPlatform platform(QStringLiteral("Vendrel"), &owner);
        whenModalOpens<FolderChooser>([&](FolderChooser& chooser) {
            QCOMPARE(chooser.parentWidget(), &owner);
            QCOMPARE(chooser.SelectedFolder(), folder);
            chooser.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        QCOMPARE(platform.BrowseForFolder(folder + QLatin1Char('/'), QStringLiteral("t")), folder);
    }

    void openUrlHandsTheAddressToTheDesktop() {
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("vendrel-test"), &catcher, "open");
        QtPlatform(QStringLiteral("Vendrel")).OpenUrl(QStringLiteral("vendrel-test://free/x?y=1"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("vendrel-test"));
        QCOMPARE(catcher.Urls, QList<QUrl>{QUrl(QStringLiteral("vendrel-test://free/x?y=1"))});
    }

    void saveDialogGoesWithItsOwner() {
        // The platform may outlive the window that owns its dialog, and the reverse.
        auto* owner = new QWidget;
        QtPlatform platform(QStringLiteral("Vendrel"), owner);
        QPointer<QFileDialog> dialog = &platform.SaveDialog();
        QCOMPARE(dialog->parentWidget(), owner);
        delete owner;
        QVERIFY(dialog.isNull());
        // A new dialog replaces it, with no owner left to hang on.
        QCOMPARE(platform.SaveDialog().parentWidget(), nullptr);
    }
};

QTEST_MAIN(TstQtPlatform)
#include "tst_qt_platform.moc"
