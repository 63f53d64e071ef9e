#include "catalogue.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#ifndef VENDREL_PACK_EXE
#error "VENDREL_PACK_EXE must name the vendrel-pack executable"
#endif

namespace {

const QString UnknownOption = QStringLiteral("--no-such-option");

struct Output {
    QString Out;
    QString Err;
};

// Runs vendrel-pack with Args under the locale settings LANGUAGE and LANG; an empty one is
// left out.
Output runWith(const QString& Language, const QString& Lang, const QStringList& Args) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        environment.remove(QLatin1String(name));
    if (!Language.isEmpty())
        environment.insert(QStringLiteral("LANGUAGE"), Language);
    if (!Lang.isEmpty())
        environment.insert(QStringLiteral("LANG"), Lang);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VENDREL_PACK_EXE), Args);
    process.waitForFinished(60000);
    return {QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// Runs vendrel-pack with Args in the desktop language Language ("de", or "C").
Output runIn(const QString& Language, const QStringList& Args) {
    if (Language == QLatin1String("C"))
        return runWith(QString(), QStringLiteral("C"), Args);
    return runWith(Language, Language + QLatin1Char('_') + Language.toUpper() + ".UTF-8", Args);
}

// The first line of a catalogue text, up to its first placeholder.
QString fixedStart(const QString& Text) {
    return Text.section(QLatin1Char('\n'), 0, 0).section(QLatin1Char('%'), 0, 0);
}

} // namespace

class TstPackTranslations : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void helpAndErrors_data();
    void helpAndErrors();
    void languageChoice_data();
    void languageChoice();
};

void TstPackTranslations::helpAndErrors_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("German") << QStringLiteral("de");
    QTest::newRow("Spanish") << QStringLiteral("es");
    QTest::newRow("Russian") << QStringLiteral("ru");
}

// The help and a usage error come out in the desktop's language, as the catalogue has them,
// and differ from what the C locale prints.
void TstPackTranslations::helpAndErrors() {
    QFETCH(QString, language);
    const Catalogue catalogue(language);
    QVERIFY(catalogue.IsLoaded());
    const Output english = runIn(QStringLiteral("C"), {UnknownOption});
    QVERIFY(english.Err.startsWith(QLatin1String("vendrel-pack: unknown option")));

    const QStringList helps = catalogue.Sources(QStringLiteral("PackOptions"))
                                  .filter(QRegularExpression(QStringLiteral("^Usage: ")));
    QCOMPARE(helps.size(), 1);
    const QString help = catalogue.Translation(QStringLiteral("PackOptions"), helps.first());
    QVERIFY2(!help.isEmpty(), "the help is not translated");
    const QString error =
        catalogue.Translation(QStringLiteral("PackOptions"), QStringLiteral("unknown option '%1'"));
    QVERIFY2(!error.isEmpty(), "the unknown-option error is not translated");
    const QString hint =
        catalogue.Translation(QStringLiteral("PackCli"),
                              QStringLiteral("Try 'vendrel-pack --help' for more information."));
    QVERIFY2(!hint.isEmpty(), "the usage hint is not translated");

    const Output helped = runIn(language, {QStringLiteral("--help")});
    QVERIFY(helped.Out != runIn(QStringLiteral("C"), {QStringLiteral("--help")}).Out);
    QVERIFY2(helped.Out.startsWith(fixedStart(help)), qPrintable(helped.Out));
    const Output refused = runIn(language, {UnknownOption});
    QVERIFY(refused.Err != english.Err);
    QCOMPARE(refused.Err,
             QStringLiteral("vendrel-pack: %1\n%2\n").arg(error.arg(UnknownOption), hint));
}

void TstPackTranslations::languageChoice_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("shown");
    QTest::newRow("first listed without catalogue") << "fr:de"
                                                    << "fr_FR.UTF-8"
                                                    << "de";
    QTest::newRow("English listed first") << "en_GB:de"
                                          << "de_DE.UTF-8"
                                          << "C";
    QTest::newRow("country variant") << ""
                                     << "de_AT.UTF-8"
                                     << "de";
    QTest::newRow("LANGUAGE before LANG") << "ru"
                                          << "es_ES.UTF-8"
                                          << "ru";
    QTest::newRow("no catalogue") << ""
                                  << "pt_BR.UTF-8"
                                  << "C";
    QTest::newRow("POSIX") << ""
                           << "POSIX"
                           << "C";
}

// The first of the desktop's languages that is English or has a catalogue is the one shown.
void TstPackTranslations::languageChoice() {
    QFETCH(QString, language);
    QFETCH(QString, lang);
    QFETCH(QString, shown);
    const QStringList args{QStringLiteral("--help")};
    QCOMPARE(runWith(language, lang, args).Out, runIn(shown, args).Out);
}

QTEST_GUILESS_MAIN(TstPackTranslations)
#include "tst_pack_translations.moc"
