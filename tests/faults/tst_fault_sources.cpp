// Source files and folders that change or cannot be read: between the walk and their turn
// (while the file before them is being packed), and already at the walk, for an ordinary
// user for whom permission bits really stop a read.
#include "fault_rig.h"

#include <QTest>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Change { Vanish, Shrink, Grow, Folder, Fifo, Unreadable };

bool canOpen(const QString& Path) {
    const int fd = ::open(QFile::encodeName(Path).constData(), O_RDONLY | O_NONBLOCK);
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class tst_FaultSources : public QObject, FaultFixture {
    Q_OBJECT

    QString first() const { return project() + QStringLiteral("/a.bin"); }
    QString target() const { return project() + QStringLiteral("/b.bin"); }
    QList<ExpectedEntry> whole() const {
        return {{"a.bin", first()}, {"b.bin", target()}, {"sub\\c.txt", project() + "/sub/c.txt"}};
    }

    // Lets an ordinary user change the project's entries and write into the output folder.
    bool openToOrdinaryUser() {
        return AsOrdinaryUser::OpenToOthers(m_dir->path()) &&
               ::chmod(QFile::encodeName(project()).constData(), 0777) == 0 &&
               ::chmod(QFile::encodeName(out()).constData(), 0777) == 0;
    }

    bool apply(Change change) {
        const QByteArray path = QFile::encodeName(target());
        switch (change) {
        case Change::Vanish:
            return QFile::remove(target());
        case Change::Shrink:
            return QFile(target()).resize(150000);
        case Change::Grow: {
            QFile file(target());
            return file.open(QIODevice::Append) && file.write(QByteArray(7000, 'g')) == 7000;
        }
        case Change::Folder:
            return QFile::remove(target()) && QDir().mkdir(target());
        case Change::Fifo:
            return QFile::remove(target()) && ::mkfifo(path.constData(), 0644) == 0;
        case Change::Unreadable:
            // Runs as the ordinary user, who owns the file; the read must really fail now.
            return ::chmod(path.constData(), 0) == 0 && !canOpen(target());
        }
        return false;
    }

    // Puts the target back as it was, for the next run: whatever took its place goes (the
    // project folder is open for that), and the file is made anew.
    bool restore() {
        const QByteArray path = QFile::encodeName(target());
        if (::remove(path.constData()) != 0 && errno != ENOENT)
            return false;
        return MakePatternFile(target(), 200000, 2);
    }

  private Q_SLOTS:
    void init() {
        FAULT_VERIFY(setUpFixture());
        QVERIFY(MakePatternFile(first(), 300000, 1));
        QVERIFY(MakePatternFile(target(), 200000, 2));
        QVERIFY(MakeFile(project() + "/sub/c.txt", "c"));
    }
    void cleanup() { QVERIFY(tearDownFixture()); }

    void changedBeforeItsTurn_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("status");
        QTest::newRow("vanished") << Change::Vanish << ReadStepFailed;
        // A file that changed size is named: its entry would be cut short or lose its end.
        const QString sizeChanged =
            ReadStepFailed + QStringLiteral(": .*/b\\.bin changed while it was being packed");
        QTest::newRow("shrunk") << Change::Shrink << sizeChanged;
        QTest::newRow("grown") << Change::Grow << sizeChanged;
        QTest::newRow("replaced by a folder") << Change::Folder << ReadStepFailed;
        QTest::newRow("replaced by a FIFO") << Change::Fifo << ReadStepFailed;
        QTest::newRow("made unreadable") << Change::Unreadable << ReadStepFailed;
    }
    // The target changes while the file before it is packed: a run that cannot store
    // exactly the bytes the walk measured fails, after part of the archive was written, and removes
    // it.
    void changedBeforeItsTurn() {
        QFETCH(Change, change);
        QFETCH(QString, status);
        QVERIFY(openToOrdinaryUser());
        // The ordinary user the run switches to must own the target to take its rights away.
        if (::geteuid() == 0)
            QVERIFY(::chown(QFile::encodeName(target()).constData(), AsOrdinaryUser::NobodyId,
                            AsOrdinaryUser::NobodyId) == 0);
        bool applied = false;
        connect(&m_rig->zipper, &Zipper::StartFile, this, [&] {
            if (m_rig->zipper.CurrentFile()->SourceFile == first())
                applied = apply(change);
        });
        const QString output = out() + "/changed.dzs";
        RunRecord run;
        {
            AsOrdinaryUser user;
            if (!user.Active())
                QSKIP("cannot run as an ordinary user here");
            run = PackWith(*m_rig, KindCode::DZS, output);
        }
        disconnect(&m_rig->zipper, &Zipper::StartFile, this, nullptr);
        QVERIFY(applied);
        FAULT_VERIFY(FailedAs(*m_rig, run, status));
        QVERIFY(run.Statuses.contains("Packed " + first()));
        FAULT_VERIFY(NoPackageAt(output));

        QVERIFY(restore());
        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, out() + "/again.dzs")));
        FAULT_VERIFY(PackageHolds(out() + "/again.dzs", whole()));
    }

    void unreadableAtTheWalk_data() {
        QTest::addColumn<QString>("locked");
        QTest::addColumn<QString>("status");
        QTest::newRow("file") << "b.bin"
                              << "AddFile failed on b.bin";
        QTest::newRow("folder") << "sub"
                                << "AddFile failed on sub";
    }
    // For an ordinary user: a file that cannot be opened and a folder that cannot be listed
    // fail the walk, named in the status line, before anything is written.
    void unreadableAtTheWalk() {
        QFETCH(QString, locked);
        QFETCH(QString, status);
        QVERIFY(openToOrdinaryUser());
        const QByteArray path = QFile::encodeName(project() + '/' + locked);
        QVERIFY(::chmod(path.constData(), 0) == 0);
        const QString output = out() + "/locked.dzs";
        RunRecord run;
        {
            AsOrdinaryUser user;
            if (!user.Active())
                QSKIP("cannot run as an ordinary user here");
            QVERIFY(!canOpen(project() + '/' + locked));
            run = PackWith(*m_rig, KindCode::DZS, output);
        }
        FAULT_VERIFY(FailedAs(*m_rig, run, QRegularExpression::escape(status)));
        QCOMPARE(run.Statuses, QStringList{status});
        QVERIFY(!QFileInfo::exists(output));

        QVERIFY(::chmod(path.constData(), 0755) == 0);
        RunRecord again;
        {
            AsOrdinaryUser user;
            again = PackWith(*m_rig, KindCode::DZS, output);
        }
        FAULT_VERIFY(Succeeded(*m_rig, again));
        FAULT_VERIFY(PackageHolds(output, whole()));
    }
};

QTEST_GUILESS_MAIN(tst_FaultSources)
#include "tst_fault_sources.moc"
