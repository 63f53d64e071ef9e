#include "app/start_arguments.h"
#include "main_window/form1.h"
#include "os/process_setup.h"
#include "os/translations.h"

#include <QApplication>

// Starts Vendrel: its one window, over the real desktop; the program ends with the window.
int main(int argc, char** argv) {
    // Before anything opens a file: a package must never land on a closed standard stream.
    ProcessSetup::Start();
    // An archive that reaches the file-size limit then fails like a full disk: an error in the
    // status line, not a killed program with a truncated package.
    ProcessSetup::IgnoreFileSizeSignal();
    // --help and --version answer on the terminal, where there may be no display at all.
    int exitStatus = 0;
    if (StartArguments::AnswerOnTerminal(argc, argv, exitStatus) == StartArguments::Outcome::Exit)
        return exitStatus;
    QApplication app(argc, argv);
    Translations::Install();
    // No display name is set: window systems would append it to every caption, and the
    // window's caption is exactly "Vendrel v2.0.3". Message boxes get "Vendrel" from the
    // window's platform instead.
    QApplication::setApplicationName(QStringLiteral("vendrel"));
    QApplication::setApplicationVersion(QStringLiteral(VENDREL_VERSION));
    // Lets the desktop match the window to the installed desktop file and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VENDREL_APP_ID));

    // A folder given on the command line, as a file manager passes the one it was asked to open.
    std::optional<QString> folder;
    if (StartArguments::ReadFolderArgument(QApplication::arguments(), folder, exitStatus) ==
        StartArguments::Outcome::Exit)
        return exitStatus;

    Form1 window;
    QApplication::setWindowIcon(window.windowIcon());
    if (folder)
        window.OpenFolderArgument(*folder);
    window.show();
    return QApplication::exec();
}
