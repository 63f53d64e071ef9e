#include "catalogue.h"
#include "fake_platform.h"
#include "main_window/form1.h"
#include "os/translations.h"
#include "packing/packer.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTextDocument>

#include <iterator>

namespace {

// One text a person reads in the window: where it is and what it says.
struct ShownText {
    QString Where; // object name and property, for messages
    QString Text;
};

// Every caption, tooltip and accessible text of the window's controls, in a fixed order.
QList<ShownText> shownTexts(const Form1& Window) {
    QList<ShownText> texts;
    const auto add = [&texts](const QWidget* Control, const char* Property, const QString& Text) {
        if (!Text.isEmpty())
            texts << ShownText{Control->objectName() + QLatin1Char('.') + QLatin1String(Property),
                               Text};
    };
    for (const QWidget* control : Window.findChildren<QWidget*>()) {
        if (const auto* button = qobject_cast<const QPushButton*>(control))
            add(control, "text", button->text());
        if (const auto* frame = qobject_cast<const QGroupBox*>(control))
            add(control, "title", frame->title());
        add(control, "toolTip", control->toolTip());
        add(control, "accessibleName", control->accessibleName());
        add(control, "accessibleDescription", control->accessibleDescription());
    }
    return texts;
}

// The catalogue's translation of an English text of the window, whose context is the
// window's or the template kinds' table; a button's accessible name is its caption without
// the access-key marker. "" when the text is not in the catalogue or not translated.
QString expectedTranslation(const Catalogue& Texts, const ShownText& English,
                            const QList<ShownText>& AllEnglish) {
    for (const char* context : {"Form1", "TemplateKind"}) {
        const QString translated = Texts.Translation(QLatin1String(context), English.Text);
        if (!translated.isEmpty() || Texts.Has(QLatin1String(context), English.Text))
            return translated;
    }
    if (!English.Where.endsWith(QLatin1String(".accessibleName")))
        return {};
    const QString caption = English.Where.section(QLatin1Char('.'), 0, 0) + ".text";
    for (const ShownText& other : AllEnglish) {
        if (other.Where == caption)
            return expectedTranslation(Texts, other, AllEnglish).remove(QLatin1Char('&'));
    }
    return {};
}

// The room a button's caption takes with the style's margins around it.
int buttonNeeds(const QPushButton& Button) {
    const QStyle* style = Button.style();
    const int textWidth = Button.fontMetrics().size(Qt::TextShowMnemonic, Button.text()).width();
    return textWidth + style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &Button) +
           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &Button);
}

// Whether a frame's title, where the style puts it, ends inside the frame.
bool titleFits(const QGroupBox& Frame) {
    QStyleOptionGroupBox option;
    option.initFrom(&Frame);
    option.text = Frame.title();
    option.lineWidth = 1;
    option.textAlignment = Frame.alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label = Frame.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                      QStyle::SC_GroupBoxLabel, &Frame);
    // The title keeps as much room at its end as it has at its start.
    return label.left() >= 0 && label.right() + label.left() < Frame.width();
}

// Whether Text fits the status line: at most the two lines its height shows.
bool statusFits(const QPlainTextEdit& Status, const QString& Text) {
    const int margin = int(Status.document()->documentMargin());
    const int width = Status.viewport()->width() - 2 * margin;
    const QFontMetrics metrics(Status.font());
    const QRect needed =
        metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap | Qt::AlignLeft, Text);
    return needed.height() <= 2 * metrics.lineSpacing() && needed.width() <= width;
}

// Where each of the status texts the test brings about comes from, in the same order, with
// the folder argument that brought it about.
struct StatusSource {
    const char* Context;
    const char* Source;
    const char* Argument = nullptr;
};
const StatusSource StatusSources[] = {
    {"Form1", "For FREE Templates pay us a visit by clicking on our banner :)"},
    {"Packer", "Please Choose a Project Folder First"},
    {"Form1", "Canceled"},
    {"Packer", "Success"},
    {"Packer", "Canceled"},
    {"Packer", "Err %1 in %2"},
    {"Form1", "\"%1\" is not a folder", "/etc/passwd"},
    {"Form1", "\"%1\" does not exist", "/home/ana/Templates/Intro"},
    {"Form1", "\"%1\" is not a folder on this computer", "sftp://host.example/Intro"},
};

} // namespace

class TstForm1Translations : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void cleanup();
    void windowTexts_data();
    void windowTexts();

  private:
    void checkCaptionsFit(const Form1& Window);
    QStringList statusTexts(Form1& Window, FakePlatform& Platform);
};

void TstForm1Translations::cleanup() {
    Translations::Remove();
}

void TstForm1Translations::windowTexts_data() {
    QTest::addColumn<QString>("language");
    QTest::newRow("German") << QStringLiteral("de");
    QTest::newRow("Spanish") << QStringLiteral("es");
    QTest::newRow("Russian") << QStringLiteral("ru");
    QTest::newRow("C locale") << QStringLiteral("C");
}

// Every text of the window is the catalogue's translation (the English original under the
// C locale), and every caption and status text fits its control at the window's font.
void TstForm1Translations::windowTexts() {
    QFETCH(QString, language);
    FakePlatform englishPlatform;
    Form1 english(englishPlatform);
    const QList<ShownText> englishTexts = shownTexts(english);

    const bool translated = language != QLatin1String("C");
    QCOMPARE(Translations::InstallFor(QLocale(language)), translated);
    QCOMPARE(Translations::Current(), translated ? language : QString());
    FakePlatform platform;
    Form1 window(platform);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QList<ShownText> texts = shownTexts(window);
    QCOMPARE(texts.size(), englishTexts.size());

    const Catalogue catalogue(language);
    QCOMPARE(catalogue.IsLoaded(), translated);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QCOMPARE(texts.at(i).Where, englishTexts.at(i).Where);
        const QString expected =
            translated ? expectedTranslation(catalogue, englishTexts.at(i), englishTexts)
                       : englishTexts.at(i).Text;
        if (expected.isEmpty())
            QFAIL(qPrintable(QStringLiteral("%1: no translation of \"%2\"")
                                 .arg(texts.at(i).Where, englishTexts.at(i).Text)));
        QCOMPARE(texts.at(i).Text, expected);
    }
    checkCaptionsFit(window);

    const QStringList status = statusTexts(window, platform);
    auto* statusLine = window.findChild<QPlainTextEdit*>(QStringLiteral("txtStatus"));
    QCOMPARE(status.size(), qsizetype(std::size(StatusSources)));
    for (qsizetype i = 0; i < status.size(); ++i) {
        const StatusSource& source = StatusSources[i];
        QString expected = QLatin1String(source.Source);
        if (translated) {
            QVERIFY2(catalogue.Has(QLatin1String(source.Context), expected), source.Source);
            expected = catalogue.Translation(QLatin1String(source.Context), expected);
            QVERIFY2(
                !expected.isEmpty(),
                qPrintable(
                    QStringLiteral("no translation of \"%1\"").arg(QLatin1String(source.Source))));
        }
        if (source.Argument)
            expected = expected.arg(QLatin1String(source.Argument));
        else if (expected.contains(QLatin1String("%2")))
            expected = expected.arg(QStringLiteral("-1"), QStringLiteral("WriteBytes"));
        QCOMPARE(status.at(i), expected);
        QVERIFY2(statusFits(*statusLine, status.at(i)), qPrintable(status.at(i)));
    }
}

void TstForm1Translations::checkCaptionsFit(const Form1& Window) {
    for (const QPushButton* button : Window.findChildren<QPushButton*>()) {
        QVERIFY2(buttonNeeds(*button) <= button->width(),
                 qPrintable(QStringLiteral("%1 \"%2\" needs %3 px of %4")
                                .arg(button->objectName(), button->text())
                                .arg(buttonNeeds(*button))
                                .arg(button->width())));
    }
    for (const QGroupBox* frame : Window.findChildren<QGroupBox*>())
        QVERIFY2(titleFits(*frame), qPrintable(frame->objectName() + ": " + frame->title()));
}

// The status texts the window shows, each brought about as a user would: the welcome line,
// a Generate press without a folder, a cancelled folder chooser (in the folder field), the
// ends of a run, a failed step and the folder arguments that are refused.
QStringList TstForm1Translations::statusTexts(Form1& Window, FakePlatform& Platform) {
    QStringList texts{Window.Status()};
    auto* packer = Window.findChild<Packer*>();
    packer->Generate(KindCode::DZT);
    texts << Window.Status();
    Platform.BrowseAnswers << QString();
    Window.findChild<QPushButton*>(QStringLiteral("cmdSelectFolder"))->click();
    texts << Window.findChild<QLineEdit*>(QStringLiteral("txtFolder"))->text();
    packer->OnComplete(false);
    texts << Window.Status();
    packer->OnComplete(true);
    texts << Window.Status();
    texts << Packer::ErrorText(-1, QStringLiteral("WriteBytes"));
    for (const StatusSource& source : StatusSources) {
        if (source.Argument) {
            Window.OpenFolderArgument(QLatin1String(source.Argument));
            texts << Window.Status();
        }
    }
    return texts;
}

QTEST_MAIN(TstForm1Translations)
#include "tst_form1_translations.moc"
