#include "desktop/qt_platform.h"

#include "desktop/folder_chooser.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

namespace {

// Keeps a program name usable as one file name inside the config folder.
QString safeFileName(const QString& name) {
    QString safe = name;
    safe.replace(QLatin1Char('/'), QLatin1Char('_'));
    safe.replace(QLatin1Char('\\'), QLatin1Char('_'));
    if (safe.isEmpty() || safe == QLatin1String(".") || safe == QLatin1String(".."))
        safe.prepend(QLatin1Char('_'));
    return safe;
}

// One "Description|pattern" pair in Qt's "Description (pattern)" form.
QString qtNameFilter(const QString& description, const QString& pattern) {
    QString patterns = pattern.trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    if (patterns.isEmpty())
        return description;
    const QString suffix = QLatin1Char('(') + patterns + QLatin1Char(')');
    // Qt reads the patterns from the last parentheses, so a description that already
    // shows them ("DZT Files (*.dzt)") is the whole filter.
    if (description.trimmed().endsWith(suffix))
        return description.trimmed();
    if (description.trimmed().isEmpty())
        return suffix;
    return description.trimmed() + QLatin1Char(' ') + suffix;
}

} // namespace

QtPlatform::QtPlatform(const QString& messageTitle, QWidget* owner)
    : m_messageTitle(messageTitle), m_owner(owner) {}

QtPlatform::~QtPlatform() {
    // The dialog may already have gone with its owner window; QPointer knows.
    delete m_saveDialog.data();
}

void QtPlatform::SetOwner(QWidget* owner) {
    m_owner = owner;
    if (m_saveDialog)
        m_saveDialog->setParent(owner, m_saveDialog->windowFlags());
}

QString QtPlatform::AppName() const {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString QtPlatform::SettingsFile(const QString& appName) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return folder + QLatin1Char('/') + safeFileName(appName) + QLatin1String(".ini");
}

QString QtPlatform::GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                               const QString& Default) {
    const QSettings settings(SettingsFile(AppName), QSettings::IniFormat);
    return settings.value(Section + QLatin1Char('/') + Key, Default).toString();
}

void QtPlatform::SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                             const QString& Value) {
    QSettings settings(SettingsFile(AppName), QSettings::IniFormat);
    settings.setValue(Section + QLatin1Char('/') + Key, Value);
    // Written now rather than at exit, so a crash later on cannot lose the choice.
    settings.sync();
}

QString QtPlatform::BrowseForFolder(const QString& InitialFolder, const QString& Title) {
    return FolderChooser::Browse(m_owner, InitialFolder, Title);
}

QStringList QtPlatform::QtNameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString pattern = i + 1 < parts.size() ? parts.at(i + 1) : QString();
        const QString nameFilter = qtNameFilter(parts.at(i), pattern);
        if (!nameFilter.isEmpty())
            filters << nameFilter;
    }
    return filters;
}

QFileDialog& QtPlatform::SaveDialog() {
    if (m_saveDialog)
        return *m_saveDialog;
    m_saveDialog = new QFileDialog(m_owner);
    m_saveDialog->setAcceptMode(QFileDialog::AcceptSave);
    m_saveDialog->setFileMode(QFileDialog::AnyFile);
    // The pack command asks "Overwrite Existing File?" itself; one question is enough.
    m_saveDialog->setOption(QFileDialog::DontConfirmOverwrite, true);
    return *m_saveDialog;
}

QString QtPlatform::ShowSaveDialog(const QString& InitialFolder, const QString& Filter) {
    QFileDialog& dialog = SaveDialog();
    dialog.setNameFilters(QtNameFilters(Filter));
    // A folder that is not there (such as a Windows path) leaves the start to the dialog.
    const bool useInitial = !InitialFolder.isEmpty() && QFileInfo(InitialFolder).isDir();
    if (useInitial)
        dialog.setDirectory(InitialFolder);
    if (!m_lastSaveName.isEmpty())
        dialog.selectFile(useInitial ? QFileInfo(m_lastSaveName).fileName() : m_lastSaveName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QString chosen = dialog.selectedFiles().value(0);
    if (!chosen.isEmpty())
        m_lastSaveName = chosen;
    return chosen;
}

Platform::MsgAnswer QtPlatform::MessageBox(const QString& Text, MsgIcon Icon, MsgButtons Buttons) {
    const QMessageBox::Icon icon =
        Icon == MsgIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon;
    const QMessageBox::StandardButtons buttons =
        Buttons == MsgButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok;
    QString text = Text;
    // Texts join their lines with CR LF; a lone CR would show as a stray character.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(icon, m_messageTitle, text, buttons, m_owner);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Ok) ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

void QtPlatform::OpenUrl(const QString& Url) {
    QDesktopServices::openUrl(QUrl(Url));
}
