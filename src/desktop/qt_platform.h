#pragma once

#include "packing/platform.h"

#include <QPointer>
#include <QString>

class QFileDialog;
class QWidget;

// The real desktop behind Platform: QSettings INI files in the user's XDG config folder,
// our folder chooser, one reused QFileDialog for saving, QMessageBox and QDesktopServices.
// Dialogs are owned by the window given to SetOwner (none: they float on their own).
class QtPlatform : public Platform {
  public:
    // messageTitle names the program in the message boxes' title bars.
    explicit QtPlatform(const QString& messageTitle, QWidget* owner = nullptr);
    ~QtPlatform() override;

    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    // Sets the window that owns the dialogs and message boxes.
    void SetOwner(QWidget* owner);

    // Base name of the running program file, without folder and last extension.
    QString AppName() const override;
    // Reads Section/Key from "<config>/<AppName>.ini", or Default when it is missing.
    QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                       const QString& Default) override;
    // Writes Section/Key into "<config>/<AppName>.ini" and flushes it to disk.
    void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                     const QString& Value) override;
    // Shows the folder chooser; "" when cancelled.
    QString BrowseForFolder(const QString& InitialFolder, const QString& Title) override;
    // Shows the window's one save dialog; "" when cancelled.
    QString ShowSaveDialog(const QString& InitialFolder, const QString& Filter) override;
    // Shows a modal message box titled with the program's name (messageTitle).
    MsgAnswer MessageBox(const QString& Text, MsgIcon Icon, MsgButtons Buttons) override;
    // Hands a web address to the desktop's browser; failures are silent.
    void OpenUrl(const QString& Url) override;

    // The INI file that holds appName's settings.
    static QString SettingsFile(const QString& appName);
    // Turns "Description|pattern[|Description|pattern...]" into Qt's "Description (pattern)"
    // filters, one per pair.
    static QStringList QtNameFilters(const QString& filter);
    // The save dialog, created on first use; exposed so tests can drive it.
    QFileDialog& SaveDialog();

  private:
    QString m_messageTitle;
    QPointer<QWidget> m_owner;
    QPointer<QFileDialog> m_saveDialog;
    QString m_lastSaveName;
};
