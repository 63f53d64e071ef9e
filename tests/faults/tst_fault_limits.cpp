// The limits of a package: a folder with more entries than the walk takes, and a project with
// more files than one archive can count. Both are refused before anything is written, with
// a status that says why, and the next run goes ahead.
#include "fault_rig.h"

#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Creates Count empty files named with Prefix and a number in Folder.
bool makeEmptyFiles(const QString& Folder, const QString& Prefix, int Count) {
    if (!QDir().mkpath(Folder))
        return false;
    for (int i = 0; i < Count; ++i) {
        const QByteArray name = QFile::encodeName(Folder + '/' + Prefix + QString::number(i));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ::close(fd) != 0)
            return false;
    }
    return true;
}

} // namespace

class tst_FaultLimits : public QObject, FaultFixture {
    Q_OBJECT

  private Q_SLOTS:
    void init() {
        // Tens of thousands of files are made and dropped far faster in memory; on the disk
        // the test is only slower.
        FAULT_VERIFY(setUpFixture(FixtureDisk::InMemory));
        QVERIFY(MakeFile(project() + "/a.txt", "a"));
    }
    void cleanup() { QVERIFY(tearDownFixture()); }

    // A folder of 2100 entries is more than the walk takes from one listing: cutting it short
    // would lose files, so the run is refused, naming the folder.
    void crowdedFolder() {
        QVERIFY(makeEmptyFiles(project() + "/frames", "f", 2100));
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, out() + "/crowded.dzs");
        FAULT_VERIFY(
            FailedAs(*m_rig, run,
                     QRegularExpression::escape("Too many entries in " + project() + "/frames/")));
        QVERIFY(!QFileInfo::exists(out() + "/crowded.dzs"));

        // Hidden, the folder is no longer part of the template.
        QVERIFY(QDir().rename(project() + "/frames", project() + "/.frames"));
        FAULT_VERIFY(Succeeded(*m_rig, PackWith(*m_rig, KindCode::DZS, out() + "/fits.dzs")));
        FAULT_VERIFY(PackageHolds(out() + "/fits.dzs", {{"a.txt", project() + "/a.txt"}}));
    }

    // minizip 1.1 writes a broken entry count into an archive of more than 65535 entries, so
    // such a project is refused before anything is written, at the first file over the limit
    // (a link to a folder holds more, never queued); one file fewer starts a run.
    void moreFilesThanAPackageHolds() {
        // Spread over folders, each within the walk's limit of entries.
        for (int folder = 0; folder < 33; ++folder)
            QVERIFY(
                makeEmptyFiles(project() + QStringLiteral("/part%1").arg(folder, 2, 10, QChar('0')),
                               "f", folder < 32 ? 1998 : 1599));
        QVERIFY(QFile::link(project() + "/part00", project() + "/zz"));
        const QString output = out() + "/many.dzs";
        const RunRecord run = PackWith(*m_rig, KindCode::DZS, output);
        FAULT_VERIFY(FailedAs(
            *m_rig, run,
            QRegularExpression::escape("Too many files: 65536 (a package holds at most 65535)")));
        QCOMPARE(run.Statuses.size(), 1);
        QVERIFY(!QFileInfo::exists(output));

        // The file one too many is refused before it is opened: one that cannot be read
        // still makes the project one file too large, not a file that fails the walk.
        QVERIFY(QFile::remove(project() + "/a.txt") && QFile::remove(project() + "/zz"));
        QVERIFY(makeEmptyFiles(project() + "/part99", "locked", 1));
        QVERIFY(::chmod(QFile::encodeName(project() + "/part99/locked0").constData(), 0) == 0);
        QVERIFY(AsOrdinaryUser::OpenToOthers(m_dir->path()) &&
                ::chmod(QFile::encodeName(out()).constData(), 0777) == 0);
        RunRecord locked;
        {
            AsOrdinaryUser user;
            if (!user.Active())
                QSKIP("cannot run as an ordinary user here");
            locked = PackWith(*m_rig, KindCode::DZS, output);
        }
        FAULT_VERIFY(FailedAs(
            *m_rig, locked,
            QRegularExpression::escape("Too many files: 65536 (a package holds at most 65535)")));
        QVERIFY(QFile::remove(project() + "/part99/locked0"));

        m_rig->platform.SaveAnswers << output;
        m_rig->packer.Generate(KindCode::DZS);
        QVERIFY(m_rig->zipper.Zipping());
        QCOMPARE(m_rig->zipper.FilesQueued(), 65535);
        m_rig->packer.Cancel();
        QVERIFY(WaitForRunEnd(m_rig->zipper, 10000));
        QCOMPARE(m_rig->view.StatusText, QStringLiteral("Canceled"));
        const CheckedArchive archive = CheckZip(output);
        QVERIFY2(archive.Ok, qPrintable(archive.Error));
        QCOMPARE(archive.Names(), QStringList{"part00\\f0"});
    }
};

PRIVATE_MOUNTS_TEST_MAIN(tst_FaultLimits)
#include "tst_fault_limits.moc"
