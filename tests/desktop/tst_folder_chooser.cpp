#include "desktop/folder_chooser.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

// Drives the real chooser offscreen over folders made in a temporary directory.
class TstFolderChooser : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    QString m_root; // the temporary directory, resolved

    QString path(const QString& relative) const { return m_root + QLatin1Char('/') + relative; }

    static QTreeView* treeOf(FolderChooser& chooser) {
        return chooser.findChild<QTreeView*>(QStringLiteral("folderTree"));
    }
    static QPushButton* okOf(FolderChooser& chooser) {
        return chooser.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }
    // Runs Action on the chooser that Browse opens, once it is showing.
    static void whenChooserOpens(std::function<void(FolderChooser&)> action) {
        QTimer::singleShot(0, qApp, [action] {
            auto* chooser = qobject_cast<FolderChooser*>(QApplication::activeModalWidget());
            QVERIFY(chooser);
            action(*chooser);
        });
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_root = QDir(m_dir.path()).canonicalPath();
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("Templates/Intro/media")));
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("Templates/Outro")));
    }

    void opensAtInitialFolderSelectedAndExpanded() {
        FolderChooser chooser(path("Templates/Intro"), QStringLiteral("Please select a folder:"));
        chooser.show();
        QCOMPARE(chooser.SelectedFolder(), path("Templates/Intro"));
        QTreeView* tree = treeOf(chooser);
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        QCOMPARE(model->filePath(tree->currentIndex()), path("Templates/Intro"));
        QVERIFY(tree->selectionModel()->isSelected(tree->currentIndex()));
        // Every level above the folder is open, so the folder shows in the tree.
        QVERIFY(tree->isExpanded(model->index(path("Templates"))));
        QVERIFY(tree->isExpanded(model->index(m_root)));
        QVERIFY(tree->isExpanded(model->index(QStringLiteral("/"))));
        QCOMPARE(chooser.StatusText(), path("Templates/Intro"));
        QVERIFY(okOf(chooser)->isEnabled());
        QCOMPARE(chooser.findChild<QLabel*>(QStringLiteral("titleLabel"))->text(),
                 QStringLiteral("Please select a folder:"));
    }

    void statusLineFollowsAClickedFolder() {
        FolderChooser chooser(path("Templates/Intro"), QStringLiteral("t"));
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        QTreeView* tree = treeOf(chooser);
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        const QModelIndex outro = model->index(path("Templates/Outro"));
        // The sibling appears once the model has listed its parent.
        QTRY_VERIFY(tree->visualRect(outro).isValid());
        tree->scrollTo(outro);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualRect(outro).center());
        QCOMPARE(chooser.SelectedFolder(), path("Templates/Outro"));
        QCOMPARE(chooser.StatusText(), path("Templates/Outro"));
    }

    void withoutInitialFolderNothingIsSelectedOrReported() {
        FolderChooser chooser(QString(), QStringLiteral("t"));
        chooser.show();
        QApplication::setActiveWindow(&chooser);
        QVERIFY(QTest::qWaitForWindowActive(&chooser));
        // The focused tree has a current row, which is not a choice.
        QTRY_VERIFY(treeOf(chooser)->currentIndex().isValid());
        QCOMPARE(chooser.SelectedFolder(), QString());
        QVERIFY(!okOf(chooser)->isEnabled());
        QVERIFY(chooser.SelectFolder(path("Templates/Outro")));
        QCOMPARE(chooser.SelectedFolder(), path("Templates/Outro"));
        QVERIFY(okOf(chooser)->isEnabled());
        QCOMPARE(chooser.StatusText(), QString());
    }

    void missingInitialFolderSelectsNothing() {
        FolderChooser chooser(path("gone/away"), QStringLiteral("t"));
        chooser.show();
        QCOMPARE(chooser.SelectedFolder(), QString());
        QVERIFY(!okOf(chooser)->isEnabled());
        // The chooser was opened at a folder, so selections are still reported.
        QVERIFY(chooser.SelectFolder(path("Templates")));
        QCOMPARE(chooser.StatusText(), path("Templates"));
    }

    void returnedFolder_data() {
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QStringLiteral("Templates/Outro")
                               << QStringLiteral("Templates/Outro");
        QTest::newRow("trailing slash dropped")
            << QStringLiteral("Templates/Intro/media/") << QStringLiteral("Templates/Intro/media");
        QTest::newRow("root keeps its slash") << QStringLiteral("/") << QStringLiteral("/");
    }
    void returnedFolder() {
        QFETCH(QString, initial);
        QFETCH(QString, expected);
        if (!initial.startsWith(QLatin1Char('/'))) {
            initial = path(initial);
            expected = path(expected);
        }
        whenChooserOpens([](FolderChooser& chooser) { okOf(chooser)->click(); });
        QCOMPARE(FolderChooser::Browse(nullptr, initial, QStringLiteral("t")), expected);
    }

    void cancelReturnsEmpty() {
        whenChooserOpens([](FolderChooser& chooser) { chooser.reject(); });
        QCOMPARE(FolderChooser::Browse(nullptr, path("Templates"), QStringLiteral("t")), QString());
    }

    void preselectedFolderIsScrolledIntoView() {
        // Enough siblings above it that the folder's row starts out of sight.
        for (int i = 0; i < 80; ++i)
            QVERIFY(
                QDir(m_root).mkpath(QStringLiteral("Many/a%1").arg(i, 2, 10, QLatin1Char('0'))));
        QVERIFY(QDir(m_root).mkpath(QStringLiteral("Many/zz/target")));
        FolderChooser chooser(path("Many/zz/target"), QStringLiteral("t"));
        QTreeView* tree = treeOf(chooser);
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        // The listings may all arrive before the chooser is first shown.
        const QModelIndex many = model->index(path("Many"));
        QTRY_VERIFY(model->rowCount(many) > 80);
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        const QModelIndex target = model->index(path("Many/zz/target"));
        QTRY_VERIFY(tree->viewport()->rect().contains(tree->visualRect(target).center()));
        QCOMPARE(chooser.SelectedFolder(), path("Many/zz/target"));
    }

    void showsOnlyFolders() {
        QFile file(path("Templates/readme.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        FolderChooser chooser(path("Templates"), QStringLiteral("t"));
        chooser.show();
        auto* model = qobject_cast<QFileSystemModel*>(treeOf(chooser)->model());
        const QModelIndex templates = model->index(path("Templates"));
        treeOf(chooser)->expand(templates);
        QTRY_COMPARE(model->rowCount(templates), 2);
        QStringList names;
        for (int row = 0; row < model->rowCount(templates); ++row)
            names << model->index(row, 0, templates).data().toString();
        names.sort();
        QCOMPARE(names, QStringList({QStringLiteral("Intro"), QStringLiteral("Outro")}));
        QVERIFY(!chooser.SelectFolder(path("Templates/readme.txt")));
    }
};

QTEST_MAIN(TstFolderChooser)
#include "tst_folder_chooser.moc"
