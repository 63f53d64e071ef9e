#pragma once

#include <QLocale>
#include <QStringList>

// The program's catalogues of translated texts, compiled in, and Qt's own catalogue for its
// standard buttons and dialogs, as the system installs it. Every program of the family calls
// Install right after creating its application object.
namespace Translations {

// Installs the catalogues for the first of the user's interface languages that is English
// or has a catalogue; English, the texts as written with English plurals, when none has one.
void Install();
// The language Install would choose for locale ("de"), or "" for English.
QString LanguageFor(const QLocale& locale);
// Installs the catalogues for locale's interface languages in place of those installed
// before; false, with every text in English, when none of them has a catalogue.
// Needs the application object, as every translation does.
bool InstallFor(const QLocale& locale);
// Removes the catalogues InstallFor installed: every text shows as written, "%n" and all.
void Remove();
// The language InstallFor installed last ("de"), or "" while the texts are English.
QString Current();
// The languages the program has catalogues for, as in the catalogues' names ("de", "es").
QStringList Languages();
// The resource path of the program's compiled catalogue for language.
QString CatalogueFile(const QString& language);

} // namespace Translations
