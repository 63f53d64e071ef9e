#include "fake_platform.h"
#include "main_window/form1.h"
#include "zip_check.h"
#include "zip_engine/zipper.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(KindCode)

namespace {

const QStringList GenerateOrder = {"cmdDZEP", "cmdDZT", "cmdDZTR", "cmdDZS", "cmdDZM", "cmdDZP"};
const QString Welcome =
    QStringLiteral("For FREE Templates pay us a visit by clicking on our banner :)");
const QString RememberedKey = QStringLiteral("vendrel/folders/lastfolder");

// Logs "name on" / "name off" whenever a watched widget's enabled state changes, in the
// order the changes happen.
class EnableLog : public QObject {
  public:
    QStringList Log;
    void Watch(QWidget* widget) { widget->installEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::EnabledChange) {
            const auto* widget = static_cast<QWidget*>(watched);
            Log << widget->objectName() + (widget->isEnabled() ? " on" : " off");
        }
        return false;
    }
};

// Counts paint events that reach a widget.
class PaintCounter : public QObject {
  public:
    int Paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

QStringList withState(const QString& state) {
    QStringList log;
    for (const QString& name : GenerateOrder)
        log << name + QLatin1Char(' ') + state;
    return log;
}

} // namespace

// The window over a scripted platform, offscreen.
class TstForm1 : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<FakePlatform> m_platform;
    std::unique_ptr<Form1> m_window;
    EnableLog m_enableLog;

    template <typename W = QWidget> W* control(const QString& name) const {
        auto* found = m_window->findChild<W*>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }
    QPushButton* button(const QString& name) const { return control<QPushButton>(name); }
    void clickBrowse() { button(QStringLiteral("cmdSelectFolder"))->click(); }
    // Drags Urls over the window to the middle of the control Target and drops them there,
    // through the window's own routing of drag events; true when both steps were accepted,
    // neither as a move.
    bool dropOn(const QString& target, const QList<QUrl>& urls) {
        // File managers offer the URLs as text as well.
        QMimeData mime;
        mime.setUrls(urls);
        QStringList text;
        for (const QUrl& url : urls)
            text << url.toString();
        mime.setText(text.join(QLatin1Char('\n')));
        QWidget* widget = control(target);
        const QPoint at = widget->mapTo(m_window.get(), widget->rect().center());
        const Qt::DropActions actions = Qt::MoveAction | Qt::CopyAction | Qt::LinkAction;
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window->windowHandle(), &enter);
        QDropEvent drop(QPointF(at), actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_window->windowHandle(), &drop);
        return enter.isAccepted() && drop.isAccepted() && enter.dropAction() != Qt::MoveAction &&
               drop.dropAction() != Qt::MoveAction;
    }
    QStringList focusWalk(int steps) {
        QStringList names;
        for (int i = 0; i < steps; ++i) {
            names << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return names;
    }

  private Q_SLOTS:
    void init() {
        m_platform = std::make_unique<FakePlatform>();
        m_window = std::make_unique<Form1>(*m_platform);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_enableLog.Log.clear();
        for (const QString& name : GenerateOrder)
            m_enableLog.Watch(button(name));
        m_enableLog.Watch(button(QStringLiteral("Command3")));
    }
    void cleanup() {
        m_window.reset();
        m_platform.reset();
    }

    void controlsAtStartUp_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled");
        const QString w = QStringLiteral("Form1");
        auto row = [](const char* name, const QString& parent, QRect geometry, const char* text,
                      bool enabled) {
            QTest::newRow(name) << QString::fromLatin1(name) << parent << geometry
                                << QString::fromUtf8(text) << enabled;
        };
        row("ProgressBar1", w, {8, 600, 513, 21}, "", true);
        row("cmdExit", w, {344, 488, 89, 33}, "E&XIT", true);
        row("Frame8", w, {272, 328, 257, 65}, "DVD Menu Installer Generator", true);
        row("cmdDZM", "Frame8", {56, 24, 145, 33}, "Generate DZM File", false);
        row("Frame7", w, {272, 256, 257, 65}, "PiP Objects Installer Generator", true);
        row("cmdDZP", "Frame7", {56, 24, 145, 33}, "Generate DZP File", false);
        row("Frame6", w, {272, 184, 257, 65}, "Magic Style Installer Generator", true);
        row("cmdDZS", "Frame6", {56, 24, 145, 33}, "Generate DZS File", false);
        row("Picture1", w, {0, 0, 533, 111}, "", true);
        row("Frame5", w, {8, 536, 513, 57}, "RESULTS", true);
        row("txtStatus", "Frame5", {8, 16, 489, 37}, Welcome.toUtf8().constData(), false);
        row("Frame4", w, {8, 328, 257, 65}, "Transition Installer Generator", true);
        row("cmdDZTR", "Frame4", {56, 24, 145, 33}, "Generate DZTR File", false);
        row("Frame3", w, {8, 256, 257, 65}, "Title Installer Generator", true);
        row("cmdDZT", "Frame3", {56, 24, 145, 33}, "Generate DZT File", false);
        row("Frame2", w, {8, 184, 257, 65}, "Express Project Installer Generator", true);
        row("cmdDZEP", "Frame2", {56, 24, 145, 33}, "Generate DZEP File", false);
        row("Frame1", w, {8, 112, 521, 65}, "Browse To Project Folder", true);
        row("txtFolder", "Frame1", {8, 24, 417, 25}, "", false);
        row("cmdSelectFolder", "Frame1", {440, 24, 65, 25}, "Browse", true);
        row("Command3", w, {112, 488, 113, 33}, "&Cancel Process", true);
        row("Image1", w, {88, 408, 347, 67}, "", true);
    }
    void controlsAtStartUp() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        m_window->setObjectName(QStringLiteral("Form1"));
        QWidget* widget = control(name);
        QVERIFY(widget);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->isEnabled(), enabled);
        QVERIFY(widget->isVisible());
        if (auto* b = qobject_cast<QPushButton*>(widget))
            QCOMPARE(b->text(), text);
        else if (auto* g = qobject_cast<QGroupBox*>(widget))
            QCOMPARE(g->title(), text);
        else if (auto* e = qobject_cast<QLineEdit*>(widget))
            QCOMPARE(e->text(), text);
        else if (auto* t = qobject_cast<QPlainTextEdit*>(widget))
            QCOMPARE(t->toPlainText(), text);
    }

    void windowAtStartUp() {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Vendrel v2.0.3"));
        QCOMPARE(m_window->size(), QSize(533, 625));
        QCOMPARE(m_window->minimumSize(), QSize(533, 625));
        QCOMPARE(m_window->maximumSize(), QSize(533, 625));
        QVERIFY(m_window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(m_window->font().family(), QStringLiteral("Tahoma"));
        QCOMPARE(m_window->font().pointSize(), 9);
        QCOMPARE(control(QStringLiteral("cmdDZEP"))->font().family(), QStringLiteral("Tahoma"));
        const QSet<int> iconSizes = [this] {
            QSet<int> sizes;
            for (const QSize& size : m_window->windowIcon().availableSizes())
                sizes << size.width();
            return sizes;
        }();
        QCOMPARE(iconSizes, (QSet<int>{16, 32, 48, 64, 128}));
    }

    void windowIsCentred() {
        const QRect screen = m_window->screen()->availableGeometry();
        const QRect frame = m_window->frameGeometry();
        QVERIFY(std::abs(frame.center().x() - screen.center().x()) <= 1);
        // A screen lower than the window keeps its top (and title bar) in reach.
        if (screen.height() >= frame.height())
            QVERIFY(std::abs(frame.center().y() - screen.center().y()) <= 1);
        else
            QCOMPARE(frame.top(), screen.top());
    }

    void valuesAtStartUp_data() {
        // The argument the command line gives the window (none when null): "/x" and "file://"
        // URLs lie below the fixture folder, which is also the working folder.
        QTest::addColumn<QString>("argument");
        // The folder taken, below the fixture folder; "" for none.
        QTest::addColumn<QString>("taken");
        // The status line, %1 standing for the argument.
        QTest::addColumn<QString>("status");
        QTest::newRow("no argument") << QString() << "" << Welcome;
        QTest::newRow("folder") << "/Intro/"
                                << "/Intro" << Welcome;
        QTest::newRow("relative folder") << "Intro"
                                         << "/Intro" << Welcome;
        QTest::newRow("folder as a file URL") << "file:///My%20Intro"
                                              << "/My Intro" << Welcome;
        QTest::newRow("file") << "/a.txt"
                              << ""
                              << "\"%1\" is not a folder";
        QTest::newRow("missing path") << "/Outro"
                                      << ""
                                      << "\"%1\" does not exist";
        QTest::newRow("empty argument") << ""
                                        << ""
                                        << "\"%1\" does not exist";
        QTest::newRow("remote folder") << "sftp://host.example/srv/Intro"
                                       << ""
                                       << "\"%1\" is not a folder on this computer";
    }
    void valuesAtStartUp() {
        QFETCH(QString, argument);
        QFETCH(QString, taken);
        QFETCH(QString, status);
        QTemporaryDir dir;
        QVERIFY(dir.isValid() && QDir(dir.path()).mkdir(QStringLiteral("Intro")) &&
                QDir(dir.path()).mkdir(QStringLiteral("My Intro")));
        QVERIFY(WritePatternFile(dir.filePath(QStringLiteral("a.txt")), 10, 1));
        const QString working = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        if (argument.startsWith(QLatin1Char('/')))
            argument.prepend(dir.path());
        else if (argument.startsWith(QLatin1String("file://")))
            argument.insert(7, QString::fromUtf8(QUrl::toPercentEncoding(dir.path(), "/")));
        if (!argument.isNull())
            m_window->OpenFolderArgument(argument);
        QVERIFY(QDir::setCurrent(working));

        const QString folder = taken.isEmpty() ? QString() : dir.path() + taken;
        QCOMPARE(control<QLineEdit>(QStringLiteral("txtFolder"))->text(), folder);
        QCOMPARE(m_window->ProjectFolder(), folder);
        QCOMPARE(m_enableLog.Log, folder.isEmpty() ? QStringList() : withState("on"));
        QCOMPARE(m_window->Status(),
                 status.contains(QLatin1String("%1")) ? status.arg(argument) : status);
        QCOMPARE(m_window->MaxFolderEntries(), 2000);
        QCOMPARE(m_window->Values().MaxFolderEntries, 2000);
        QCOMPARE(m_window->DestinationFolder(), QString());
        auto* bar = control<QProgressBar>(QStringLiteral("ProgressBar1"));
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->value(), 0);
        // Start-up reads no settings and opens nothing; a folder taken is remembered.
        QVERIFY(m_platform->BrowseCalls.isEmpty());
        QCOMPARE(m_platform->Settings.size(), folder.isEmpty() ? 0 : 1);
        if (!folder.isEmpty())
            QCOMPARE(m_platform->Settings.value(RememberedKey), folder);
    }

    void zipperIsAChildNamedZipper() {
        auto* zipper = m_window->findChild<Zipper*>(QStringLiteral("Zipper"));
        QVERIFY(zipper);
        QCOMPARE(zipper->parent(), m_window.get());
        QCOMPARE(zipper, &m_window->GetZipper());
        QVERIFY(!zipper->Zipping());
    }

    void displayFieldsTakeNoInput() {
        for (const char* name : {"txtFolder", "txtStatus"}) {
            QWidget* field = control(QLatin1String(name));
            QVERIFY(!field->isEnabled());
            QCOMPARE(field->focusPolicy(), Qt::NoFocus);
        }
        // The folder field tells a first-time user that a folder can be dropped.
        QVERIFY(control(QStringLiteral("txtFolder"))->toolTip().contains(QStringLiteral("drop")));
        auto* status = control<QPlainTextEdit>(QStringLiteral("txtStatus"));
        QCOMPARE(status->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        // Two lines of status text fit without scrolling.
        const int lines = 2 * status->fontMetrics().lineSpacing();
        QVERIFY2(status->viewport()->height() >= lines,
                 qPrintable(QString::number(status->viewport()->height())));
    }

    void bannerFillsPicture1() {
        auto* picture = control<QLabel>(QStringLiteral("Picture1"));
        const QPixmap shown = m_window->BannerPicture();
        QCOMPARE(shown.deviceIndependentSize().toSize(), picture->contentsRect().size());
        QCOMPARE(picture->pixmap().cacheKey(), shown.cacheKey());
        // Every part of the stored 600 x 160 banner is there, stretched: compare a grid of
        // points with the same picture scaled independently.
        const QImage stored(QStringLiteral(":/vendrel/banner_top.png"));
        QCOMPARE(stored.size(), QSize(600, 160));
        const QImage expected = stored.scaled(picture->contentsRect().size(), Qt::IgnoreAspectRatio,
                                              Qt::SmoothTransformation);
        const QImage got = shown.toImage().scaled(expected.size());
        for (int x = 4; x < expected.width(); x += 50) {
            for (int y = 4; y < expected.height(); y += 20) {
                const QColor a = expected.pixelColor(x, y), b = got.pixelColor(x, y);
                QVERIFY2(std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                                 std::abs(a.blue() - b.blue()) <
                             40,
                         qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
            }
        }
        QCOMPARE(picture->toolTip(), QStringLiteral("Visit Us"));
    }

    void lowerBannerFillsImage1() {
        auto* image = control<QLabel>(QStringLiteral("Image1"));
        QCOMPARE(image->pixmap().size(), QSize(347, 67));
        QCOMPARE(image->toolTip(), QStringLiteral("Please Click Here And Surprise Me :)"));
    }

    void focusStartsOnCancelAndTabsInOrder() {
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QCOMPARE(QApplication::focusWidget(), control(QStringLiteral("Command3")));
        // Disabled Generate buttons are passed over.
        QCOMPARE(focusWalk(4), QStringList({"Command3", "cmdSelectFolder", "cmdExit", "Command3"}));
        m_platform->BrowseAnswers << QStringLiteral("/srv/tpl");
        clickBrowse();
        button(QStringLiteral("Command3"))->setFocus();
        QCOMPARE(focusWalk(10),
                 QStringList({"Command3", "cmdSelectFolder", "cmdDZEP", "cmdDZT", "cmdDZTR",
                              "cmdDZS", "cmdDZP", "cmdDZM", "cmdExit", "Command3"}));
    }

    void accessKeys() {
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QSignalSpy cancelClicks(button(QStringLiteral("Command3")), &QPushButton::clicked);
        // A button's access key presses it the way a click does, after a short animation.
        QTest::keyClick(m_window.get(), Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(cancelClicks.count(), 1);
        QVERIFY(m_window->isVisible());
        QTest::keyClick(m_window.get(), Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(!m_window->isVisible());
    }

    void accessibleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        QTest::newRow("Command3") << "Command3"
                                  << "Cancel Process";
        QTest::newRow("cmdExit") << "cmdExit"
                                 << "EXIT";
        QTest::newRow("cmdSelectFolder") << "cmdSelectFolder"
                                         << "Browse";
        QTest::newRow("cmdDZEP") << "cmdDZEP"
                                 << "Generate DZEP File";
        QTest::newRow("cmdDZP") << "cmdDZP"
                                << "Generate DZP File";
        QTest::newRow("txtFolder") << "txtFolder"
                                   << "Project folder";
        QTest::newRow("txtStatus") << "txtStatus"
                                   << "Status";
        QTest::newRow("ProgressBar1") << "ProgressBar1"
                                      << "Packing progress";
    }
    void accessibleNames() {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control(name));
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), accessible);
    }

    void browseReturnsAFolder_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("folder") << QStringLiteral("/home/ana/Templates/Intro");
        QTest::newRow("root") << QStringLiteral("/");
        QTest::newRow("spaces and non-ascii") << QStringLiteral("/home/ana/Mój szablon");
    }
    void browseReturnsAFolder() {
        QFETCH(QString, folder);
        m_platform->m_appName = QStringLiteral("vendrel-nightly");
        m_platform->Settings.insert(QStringLiteral("vendrel-nightly/folders/lastfolder"),
                                    QStringLiteral("/old/place"));
        m_platform->BrowseAnswers << folder;
        clickBrowse();
        QCOMPARE(m_platform->BrowseCalls.size(), 1);
        QCOMPARE(m_platform->BrowseCalls[0].InitialFolder, QStringLiteral("/old/place"));
        QCOMPARE(m_platform->BrowseCalls[0].Title, QStringLiteral("Please select a folder:"));
        QCOMPARE(control<QLineEdit>(QStringLiteral("txtFolder"))->text(), folder);
        QCOMPARE(m_window->ProjectFolder(), folder);
        QCOMPARE(m_enableLog.Log, withState(QStringLiteral("on")));
        QCOMPARE(m_platform->Settings.value(QStringLiteral("vendrel-nightly/folders/lastfolder")),
                 folder);
        QCOMPARE(m_platform->Settings.size(), 1);
    }

    void browseCancelled() {
        m_platform->BrowseAnswers << QStringLiteral("/srv/tpl") << QString();
        clickBrowse();
        m_enableLog.Log.clear();
        clickBrowse();
        QCOMPARE(control<QLineEdit>(QStringLiteral("txtFolder"))->text(),
                 QStringLiteral("Canceled"));
        QCOMPARE(m_window->ProjectFolder(), QString());
        QCOMPARE(m_enableLog.Log, withState(QStringLiteral("off")));
        QVERIFY(m_platform->Settings.contains(RememberedKey));
        QCOMPARE(m_platform->Settings.value(RememberedKey), QString());
        QVERIFY(button(QStringLiteral("Command3"))->isEnabled());
    }

    void nextBrowseOpensAtTheRememberedFolder() {
        m_platform->BrowseAnswers << QStringLiteral("/srv/a") << QStringLiteral("/srv/b")
                                  << QString() << QStringLiteral("/srv/c");
        for (int i = 0; i < 4; ++i)
            clickBrowse();
        QStringList initial;
        for (const auto& call : m_platform->BrowseCalls)
            initial << call.InitialFolder;
        // First use has nothing remembered; after a cancel the chooser opens at nothing.
        QCOMPARE(initial, QStringList({"", "/srv/a", "/srv/b", ""}));
        QCOMPARE(m_platform->Settings.value(RememberedKey), QStringLiteral("/srv/c"));
    }

    void dropOnTheWindow_data() {
        QTest::addColumn<QString>("target");
        // Paths below the fixture folder ("/" is the folder itself), or whole URLs.
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("taken");
        QTest::newRow("folder on a frame") << "Frame3" << QStringList{"/"} << false << "/";
        QTest::newRow("folder with slash on the status field")
            << "txtStatus" << QStringList{"/Intro/"} << false << "/Intro";
        QTest::newRow("folder on the folder field")
            << "txtFolder" << QStringList{"/Intro"} << false << "/Intro";
        QTest::newRow("file") << "Frame1" << QStringList{"/a.txt"} << false << "";
        QTest::newRow("two folders") << "Frame1" << QStringList{"/", "/Intro"} << false << "";
        QTest::newRow("remote folder")
            << "Frame1" << QStringList{"sftp://host.example/srv/Intro"} << false << "";
        QTest::newRow("folder during a run") << "Frame1" << QStringList{"/Intro"} << true << "";
    }
    void dropOnTheWindow() {
        QFETCH(QString, target);
        QFETCH(QStringList, dropped);
        QFETCH(bool, running);
        QFETCH(QString, taken);
        QTemporaryDir dir;
        QVERIFY(dir.isValid() && QDir(dir.path()).mkdir(QStringLiteral("Intro")));
        QVERIFY(WritePatternFile(dir.filePath(QStringLiteral("a.txt")),
                                 4 * Zipper::ChunkSize * Zipper::ChunksPerTick, 1));
        Zipper& zipper = m_window->GetZipper();
        QSignalSpy complete(&zipper, &Zipper::Complete);
        const QString archive = dir.filePath(QStringLiteral("out.dzt"));
        if (running) {
            QVERIFY(!zipper.AddFile(dir.filePath(QStringLiteral("a.txt")), QStringLiteral("a")));
            QVERIFY(!zipper.Zip(archive));
        }
        QList<QUrl> urls;
        for (const QString& item : dropped)
            urls << (item.startsWith(QLatin1Char('/')) ? QUrl::fromLocalFile(dir.path() + item)
                                                       : QUrl(item));
        const bool accepted = dropOn(target, urls);
        const QString folder = taken.isEmpty() ? QString() : QDir::cleanPath(dir.path() + taken);
        QCOMPARE(accepted, !folder.isEmpty());
        QCOMPARE(control<QLineEdit>(QStringLiteral("txtFolder"))->text(), folder);
        QCOMPARE(m_window->ProjectFolder(), folder);
        QCOMPARE(m_enableLog.Log, folder.isEmpty() ? QStringList() : withState("on"));
        QCOMPARE(m_platform->Settings.value(RememberedKey), folder);
        QCOMPARE(m_platform->Settings.size(), folder.isEmpty() ? 0 : 1);
        QVERIFY(m_platform->BrowseCalls.isEmpty());
        if (!running)
            return;
        zipper.Cancel();
        QTRY_COMPARE(complete.count(), 1);
        const CheckedArchive written = CheckZip(archive);
        QVERIFY2(written.Ok, qPrintable(written.Error));
    }

    void generateClick_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<KindCode>("code");
        QTest::newRow("DZEP") << "cmdDZEP" << KindCode::DZEP;
        QTest::newRow("DZT") << "cmdDZT" << KindCode::DZT;
        QTest::newRow("DZTR") << "cmdDZTR" << KindCode::DZTR;
        QTest::newRow("DZS") << "cmdDZS" << KindCode::DZS;
        QTest::newRow("DZM") << "cmdDZM" << KindCode::DZM;
        QTest::newRow("DZP") << "cmdDZP" << KindCode::DZP;
    }
    void generateClick() {
        QFETCH(QString, name);
        QFETCH(KindCode, code);
        QTemporaryDir project;
        QVERIFY(project.isValid());
        m_platform->BrowseAnswers << project.path();
        clickBrowse();
        m_window->SetCancelEnabled(false);
        QCOMPARE(m_window->GenerateButton(code), button(name));
        QSignalSpy clicked(m_window.get(), &Form1::GenerateClicked);
        m_enableLog.Log.clear();
        button(name)->click();
        // All six go off first, then the cancel button comes on, then the command runs;
        // its save dialog, left unanswered, is cancelled and brings the six back.
        QCOMPARE(m_enableLog.Log, withState(QStringLiteral("off"))
                                      << QStringLiteral("Command3 on")
                                      << withState(QStringLiteral("on")));
        QCOMPARE(m_platform->SaveCalls.size(), 1);
        QCOMPARE(m_platform->SaveCalls[0].Filter,
                 QString::fromLatin1(KindOf(code).FilterDescription) + QLatin1Char('|') +
                     QString::fromLatin1(KindOf(code).FilterPattern));
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked[0][0].value<KindCode>(), code);
    }

    void browseDuringARunEnablesTheButtons() {
        m_platform->BrowseAnswers << QStringLiteral("/srv/a") << QStringLiteral("/srv/b");
        clickBrowse();
        button(QStringLiteral("cmdDZT"))->click();
        m_enableLog.Log.clear();
        clickBrowse();
        QCOMPARE(m_enableLog.Log, withState(QStringLiteral("on")));
        QVERIFY(button(QStringLiteral("Command3"))->isEnabled());
    }

    void cancelButtonCancelsTheRun() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QFile source(dir.filePath(QStringLiteral("a.bin")));
        QVERIFY(source.open(QIODevice::WriteOnly));
        source.write(QByteArray(4 * Zipper::ChunkSize * Zipper::ChunksPerTick, 'x'));
        source.close();
        Zipper& zipper = m_window->GetZipper();
        QSignalSpy complete(&zipper, &Zipper::Complete);
        QVERIFY(!zipper.AddFile(source.fileName(), QStringLiteral("a.bin")));
        QVERIFY(!zipper.Zip(dir.filePath(QStringLiteral("out.dzt"))));
        button(QStringLiteral("Command3"))->click();
        QTRY_COMPARE(complete.count(), 1);
        QCOMPARE(complete[0][0].toBool(), true);
    }

    void closingTheWindowDuringARunFinishesTheArchive() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString first = dir.filePath(QStringLiteral("first.bin"));
        const QString second = dir.filePath(QStringLiteral("second.bin"));
        QVERIFY(WritePatternFile(first, 1000, 1));
        QVERIFY(WritePatternFile(second, 20 * Zipper::ChunkSize * Zipper::ChunksPerTick, 2));
        Zipper& zipper = m_window->GetZipper();
        QSignalSpy ends(&zipper, &Zipper::EndFile);
        QVERIFY(!zipper.AddFile(first, QStringLiteral(".\\first.bin")));
        QVERIFY(!zipper.AddFile(second, QStringLiteral(".\\second.bin")));
        const QString archive = dir.filePath(QStringLiteral("out.dzt"));
        QVERIFY(!zipper.Zip(archive));
        QTRY_COMPARE(ends.count(), 1);
        m_window.reset();
        const CheckedArchive written = CheckZip(archive);
        QVERIFY2(written.Ok, qPrintable(written.Error));
        QVERIFY(!written.Names().isEmpty());
        QCOMPARE(written.Names().first(), QStringLiteral(".\\first.bin"));
        QCOMPARE(written.Entries.first().Sha256, Sha256OfFile(first));
    }

    void cancelWithoutARunDoesNothing() {
        button(QStringLiteral("Command3"))->click();
        QCOMPARE(m_window->Status(), Welcome);
        QVERIFY(button(QStringLiteral("Command3"))->isEnabled());
        QVERIFY(m_window->isVisible());
    }

    void exitClosesTheWindow() {
        button(QStringLiteral("cmdExit"))->click();
        QVERIFY(!m_window->isVisible());
    }

    void packingViewSetters() {
        m_window->SetStatus(QStringLiteral("Packing /srv/tpl/a.mp4"));
        QCOMPARE(m_window->Status(), QStringLiteral("Packing /srv/tpl/a.mp4"));
        m_window->SetGenerateEnabled(KindCode::DZS, true);
        QVERIFY(button(QStringLiteral("cmdDZS"))->isEnabled());
        QVERIFY(!button(QStringLiteral("cmdDZM"))->isEnabled());
        m_window->SetCancelEnabled(false);
        QVERIFY(!button(QStringLiteral("Command3"))->isEnabled());
        m_window->SetProgressVisible(false);
        QVERIFY(!control(QStringLiteral("ProgressBar1"))->isVisible());
        m_window->SetProgressVisible(true);
        QVERIFY(control(QStringLiteral("ProgressBar1"))->isVisible());
    }

    void progressValue_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("shown");
        QTest::newRow("quarter") << 25.0F << 25;
        QTest::newRow("fraction") << 99.9F << 99;
        QTest::newRow("full") << 100.0F << 100;
        QTest::newRow("above") << 250.0F << 100;
        QTest::newRow("below") << -3.0F << 0;
        QTest::newRow("nan") << std::nanf("") << 0;
    }
    void progressValue() {
        QFETCH(float, value);
        QFETCH(int, shown);
        m_window->SetProgressValue(value);
        QCOMPARE(control<QProgressBar>(QStringLiteral("ProgressBar1"))->value(), shown);
    }

    void repaintStatusPaintsAtOnce() {
        PaintCounter counter;
        control<QPlainTextEdit>(QStringLiteral("txtStatus"))
            ->viewport()
            ->installEventFilter(&counter);
        m_window->SetStatus(QStringLiteral("Packed /srv/tpl/a.mp4"));
        QCOMPARE(counter.Paints, 0);
        // No event loop runs in between: the paint happens inside the call.
        m_window->RepaintStatus();
        QVERIFY(counter.Paints > 0);
    }
};

QTEST_MAIN(TstForm1)
#include "tst_form1.moc"
