#pragma once

#include <QString>

// The desktop services Vendrel's window uses: settings, dialogs, message boxes, links.
// The packing asks the user through this interface alone and never includes a widget;
// QtPlatform in the desktop room serves the real desktop, and tests script a fake.
class Platform {
  public:
    enum class MsgIcon { None, Warning };
    enum class MsgButtons { Ok, OkCancel };
    enum class MsgAnswer { Ok, Cancel };

    virtual ~Platform() = default;

    // Base name of the running program file; the settings store's application name.
    virtual QString AppName() const = 0;
    // Reads a per-user settings entry, giving Default when it is missing.
    virtual QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                               const QString& Default) = 0;
    // Writes a per-user settings entry.
    virtual void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                             const QString& Value) = 0;
    // Lets the user choose a file-system folder; "" when cancelled. With a non-empty
    // InitialFolder the chooser opens there and shows each selected folder's path.
    virtual QString BrowseForFolder(const QString& InitialFolder, const QString& Title) = 0;
    // Asks for a file to save; "" when cancelled. Filter is "Description|*.ext".
    // The dialog is one object for the window: it starts with the last confirmed name.
    virtual QString ShowSaveDialog(const QString& InitialFolder, const QString& Filter) = 0;
    // Shows a modal message box titled with the application's display name.
    virtual MsgAnswer MessageBox(const QString& Text, MsgIcon Icon, MsgButtons Buttons) = 0;
    // Opens a web address in the user's browser; failures are silent.
    virtual void OpenUrl(const QString& Url) = 0;
};
