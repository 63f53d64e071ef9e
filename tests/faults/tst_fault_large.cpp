// A template with an entry of 4 GiB and more, packed through the pack command: the walk
// measures it in full, the bar ends at 100 and the package reads back whole. Slow (several
// GiB deflated and read back), so it only runs with VENDREL_LARGE_TESTS=1 (ctest -L large).
#include "fault_rig.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

constexpr qint64 GiB = 1LL << 30;

// A sparse file of Size bytes, zero but for marker bytes at the start, around the 4 GiB mark
// and at the end, so that a lost or shifted chunk changes its checksum.
bool makeSparseFile(const QString& Path, qint64 Size) {
    QFile file(Path);
    if (!QDir().mkpath(QFileInfo(Path).path()) || !file.open(QIODevice::WriteOnly) ||
        !file.resize(Size))
        return false;
    for (const qint64 at : {qint64(0), 4 * GiB - 1, 4 * GiB, Size - 1}) {
        if (!file.seek(at) || file.write("\x5a", 1) != 1)
            return false;
    }
    return true;
}

} // namespace

class tst_FaultLarge : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

  private Q_SLOTS:
    void initTestCase() {
        if (qEnvironmentVariable("VENDREL_LARGE_TESTS") != QLatin1String("1"))
            QSKIP("large-file tests run only with VENDREL_LARGE_TESTS=1");
        QVERIFY(m_dir.isValid());
    }

    void entryOfMoreThan4GiB() {
        const QString project = m_dir.path() + "/Intro";
        const QString huge = project + "/media/huge.bin";
        if (!makeSparseFile(huge, 4 * GiB + 3 * Zipper::ChunkSize + 7))
            QSKIP("cannot make a sparse file here");
        QVERIFY(MakeFile(project + "/a.txt", "a"));
        QVERIFY(MakeFile(project + "/media/z.txt", "z"));
        PackRig rig;
        rig.values.ProjectFolder = project;
        // Steps back to back: the timer's pace is not what this test is about.
        rig.zipper.findChild<QTimer*>(QStringLiteral("tmrNext"))->setInterval(0);
        const QString output = m_dir.path() + "/huge.dzt";
        const RunRecord run = PackWith(rig, KindCode::DZT, output, 3600 * 1000);
        FAULT_VERIFY(Succeeded(rig, run));
        QCOMPARE(rig.zipper.BytesZipped(), QFileInfo(huge).size() + 2);
        FAULT_VERIFY(PackageHolds(output, {{".\\a.txt", project + "/a.txt"},
                                           {".\\media\\huge.bin", huge},
                                           {".\\media\\z.txt", project + "/media/z.txt"}}));
    }
};

QTEST_GUILESS_MAIN(tst_FaultLarge)
#include "tst_fault_large.moc"
