#include "os/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {

const QString CatalogueFolder = QStringLiteral(":/vendrel/translations");
const QString CatalogueBase = QStringLiteral("vendrel_");
const QString QtCatalogueBase = QStringLiteral("qtbase_");
// English's own catalogue holds only the plural forms of the texts that count something.
const QString English = QStringLiteral("en");

struct Installed {
    std::unique_ptr<QTranslator> Program;
    std::unique_ptr<QTranslator> Qt;
    std::unique_ptr<QTranslator> EnglishPlurals;
    QString Language;
};

Installed& installed() {
    static Installed state;
    return state;
}

// "de-DE", "de_DE" or "de" first, then the bare language: a catalogue for the language
// serves every country's variant of it.
QStringList candidatesOf(const QString& uiLanguage) {
    QString name = uiLanguage;
    name.replace(QLatin1Char('-'), QLatin1Char('_'));
    QStringList candidates{name};
    const qsizetype cut = name.indexOf(QLatin1Char('_'));
    if (cut > 0)
        candidates << name.left(cut);
    return candidates;
}

// English is the language the texts are written in; C and POSIX name no language and get it.
bool isEnglish(const QString& uiLanguage) {
    const QString language = candidatesOf(uiLanguage).constLast().toLower();
    return language == QLatin1String("en") || language == QLatin1String("c") ||
           language == QLatin1String("posix");
}

std::unique_ptr<QTranslator> loaded(const QString& file) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(file))
        return nullptr;
    return translator;
}

// Every text then shows as written, but "1 file" where the text says "%n files".
void installEnglish(Installed& state) {
    state.EnglishPlurals = loaded(Translations::CatalogueFile(English));
    if (state.EnglishPlurals)
        QCoreApplication::installTranslator(state.EnglishPlurals.get());
}

} // namespace

namespace Translations {

void Install() {
    InstallFor(QLocale::system());
}

bool InstallFor(const QLocale& locale) {
    Remove();
    const QString language = LanguageFor(locale);
    Installed& state = installed();
    if (!language.isEmpty())
        state.Program = loaded(CatalogueFile(language));
    if (!state.Program) {
        installEnglish(state);
        return false;
    }
    QCoreApplication::installTranslator(state.Program.get());
    state.Language = language;
    // Qt's own texts (Yes, Cancel, the file dialog) come from the system's catalogue; without
    // it they stay English while the program's own are translated.
    const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    state.Qt = loaded(QDir(qtFolder).filePath(QtCatalogueBase + language));
    if (state.Qt)
        QCoreApplication::installTranslator(state.Qt.get());
    return true;
}

void Remove() {
    Installed& state = installed();
    for (auto* translator : {state.Program.get(), state.Qt.get(), state.EnglishPlurals.get()}) {
        if (translator)
            QCoreApplication::removeTranslator(translator);
    }
    state.Program.reset();
    state.Qt.reset();
    state.EnglishPlurals.reset();
    state.Language.clear();
}

QString LanguageFor(const QLocale& locale) {
    const QStringList languages = Translations::Languages();
    for (const QString& uiLanguage : locale.uiLanguages()) {
        if (isEnglish(uiLanguage))
            return {};
        for (const QString& candidate : candidatesOf(uiLanguage)) {
            if (languages.contains(candidate))
                return candidate;
        }
    }
    return {};
}

QString Current() {
    return installed().Language;
}

QStringList Languages() {
    QStringList languages;
    const QStringList files =
        QDir(CatalogueFolder).entryList({CatalogueBase + QStringLiteral("*.qm")}, QDir::Files);
    for (const QString& file : files)
        languages << QFileInfo(file).completeBaseName().mid(CatalogueBase.size());
    // The English catalogue translates nothing; it only counts right.
    languages.removeAll(English);
    return languages;
}

QString CatalogueFile(const QString& language) {
    return CatalogueFolder + QLatin1Char('/') + CatalogueBase + language + QStringLiteral(".qm");
}

} // namespace Translations
