#include "main_window/form1.h"
#include "platform/platform.h"
#include "platform/translations.h"

#include <QApplication>
#include <QHash>
#include <QPushButton>
#include <QTextStream>

namespace {

// Answers the window's "Browse" with a fixed folder and keeps settings in memory, so a
// screenshot never opens a dialog or touches the user's settings.
class ScreenshotPlatform : public Platform {
  public:
    explicit ScreenshotPlatform(QString Folder) : m_folder(std::move(Folder)) {}

    QString AppName() const override { return QStringLiteral("vendrel"); }
    QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                       const QString& Default) override {
        return m_settings.value(AppName + Section + Key, Default);
    }
    void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                     const QString& Value) override {
        m_settings.insert(AppName + Section + Key, Value);
    }
    QString BrowseForFolder(const QString&, const QString&) override { return m_folder; }
    QString ShowSaveDialog(const QString&, const QString&) override { return {}; }
    MsgAnswer MessageBox(const QString&, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
    void OpenUrl(const QString&) override {}

  private:
    QString m_folder;
    QHash<QString, QString> m_settings;
};

} // namespace

// vendrel-screenshot OUTPUT.png [PROJECT_FOLDER [STATUS]]: draws the window offscreen as it
// looks after start-up, or after "Browse" chose PROJECT_FOLDER, and saves it as a PNG.
int main(int argc, char** argv) {
    // No display needed: the window is drawn offscreen unless a platform is asked for.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window in the language LANGUAGE (or the locale) names, as the program shows it.
    Translations::Install();
    const QStringList args = QApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 2 || args.size() > 4) {
        err << "usage: vendrel-screenshot OUTPUT.png [PROJECT_FOLDER [STATUS]]\n";
        return 2;
    }
    ScreenshotPlatform platform(args.value(2));
    Form1 window(platform);
    window.show();
    if (args.size() > 2)
        window.findChild<QPushButton*>(QStringLiteral("cmdSelectFolder"))->click();
    if (args.size() > 3)
        window.SetStatus(args.at(3));
    QApplication::processEvents();
    if (!window.grab().save(args.at(1))) {
        err << "cannot write " << args.at(1) << "\n";
        return 1;
    }
    return 0;
}
