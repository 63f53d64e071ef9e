#include "desktop/folder_chooser.h"
#include "main_window/form1.h"
#include "os/process_setup.h"
#include "os/translations.h"
#include "packing/packer.h"
#include "packing/platform.h"

#include <QApplication>
#include <QEventLoop>
#include <QHash>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>

namespace {

// Long enough for the folder chooser's background listings of a few levels to arrive.
constexpr int ChooserSettleMs = 1500;

void settle(int Ms) {
    QEventLoop loop;
    QTimer::singleShot(Ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Answers the window's "Browse" with a fixed folder and keeps settings in memory, so a
// screenshot never waits for a user or touches the user's settings. Given a file for it,
// the folder chooser is drawn there first, opened at that folder, as "Browse" shows it.
class ScreenshotPlatform : public Platform {
  public:
    ScreenshotPlatform(QString Folder, QString ChooserFile)
        : m_folder(std::move(Folder)), m_chooserFile(std::move(ChooserFile)) {}

    QString AppName() const override { return QStringLiteral("vendrel"); }
    QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                       const QString& Default) override {
        return m_settings.value(AppName + Section + Key, Default);
    }
    void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                     const QString& Value) override {
        m_settings.insert(AppName + Section + Key, Value);
    }
    QString BrowseForFolder(const QString&, const QString& Title) override {
        if (!m_chooserFile.isEmpty())
            m_chooserSaved = saveChooser(Title);
        return m_folder;
    }
    QString ShowSaveDialog(const QString&, const QString&) override { return {}; }
    MsgAnswer MessageBox(const QString&, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
    void OpenUrl(const QString&) override {}

    // Whether the chooser, when one was asked for, was saved.
    bool ChooserSaved() const { return m_chooserFile.isEmpty() || m_chooserSaved; }

  private:
    bool saveChooser(const QString& title) const {
        FolderChooser chooser(m_folder, title);
        chooser.show();
        settle(ChooserSettleMs);
        return chooser.grab().save(m_chooserFile);
    }

    QString m_folder;
    QString m_chooserFile;
    bool m_chooserSaved = false;
    QHash<QString, QString> m_settings;
};

} // namespace

// vendrel-screenshot [--chooser CHOOSER.png] [--finished] OUTPUT.png [PROJECT_FOLDER [STATUS]]:
// draws the window offscreen as it looks after start-up, or after "Browse" chose
// PROJECT_FOLDER, and saves it as a PNG. --finished shows the status line of a completed run,
// --chooser saves the folder chooser "Browse" opens too. Texts follow LANGUAGE like the
// program's.
int main(int argc, char** argv) {
    ProcessSetup::Start();
    // No display needed: the window is drawn offscreen unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window in the language LANGUAGE (or the locale) names, as the program shows it.
    Translations::Install();
    QStringList args = QApplication::arguments().mid(1);
    QTextStream err(stderr);
    QString chooserFile;
    const qsizetype chooser = args.indexOf(QStringLiteral("--chooser"));
    if (chooser >= 0 && chooser + 1 < args.size()) {
        chooserFile = args.at(chooser + 1);
        args.remove(chooser, 2);
    }
    const bool finished = args.removeAll(QStringLiteral("--finished")) > 0;
    if (args.isEmpty() || args.size() > 3 || args.first().startsWith(QLatin1Char('-'))) {
        err << "usage: vendrel-screenshot [--chooser CHOOSER.png] [--finished] OUTPUT.png "
               "[PROJECT_FOLDER [STATUS]]\n";
        return 2;
    }
    ScreenshotPlatform platform(args.value(1), chooserFile);
    Form1 window(platform);
    window.show();
    if (args.size() > 1)
        window.findChild<QPushButton*>(QStringLiteral("cmdSelectFolder"))->click();
    if (finished)
        window.findChild<Packer*>()->OnComplete(false);
    if (args.size() > 2)
        window.SetStatus(args.at(2));
    QApplication::processEvents();
    if (!platform.ChooserSaved()) {
        err << "cannot write " << chooserFile << "\n";
        return 1;
    }
    if (!window.grab().save(args.first())) {
        err << "cannot write " << args.first() << "\n";
        return 1;
    }
    return 0;
}
