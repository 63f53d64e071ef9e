#include "packing/exclusions.h"

#include <QTest>

// Which paths a set of patterns leaves out, and which lines of a pattern file it refuses.
class TstExclusions : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void excludes_data();
    void excludes();
    void badLines();
};

void TstExclusions::excludes_data() {
    QTest::addColumn<QString>("patterns");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<bool>("excluded");
    QTest::newRow("name at the top") << "*.psd"
                                     << "cover.psd" << false << true;
    QTest::newRow("name at any depth") << "*.psd"
                                       << "media/layers/cover.psd" << false << true;
    QTest::newRow("star stays within a name") << "media*"
                                              << "media/a.png" << false << false;
    QTest::newRow("question mark is one character") << "take?.wav"
                                                    << "take10.wav" << false << false;
    QTest::newRow("class") << "frame[0-4].png"
                           << "seq/frame3.png" << false << true;
    QTest::newRow("negated class") << "frame[!0-4].png"
                                   << "seq/frame3.png" << false << false;
    QTest::newRow("escaped star is a star") << "a\\*b"
                                            << "axb" << false << false;
    QTest::newRow("slash anchors the path") << "media/*.psd"
                                            << "old/media/x.psd" << false << false;
    QTest::newRow("anchored path matches from the top") << "media/*.psd"
                                                        << "media/x.psd" << false << true;
    QTest::newRow("leading slash anchors a name") << "/notes.txt"
                                                  << "media/notes.txt" << false << false;
    QTest::newRow("two stars cross folders") << "media/**/*.bak"
                                             << "media/a/b/c.bak" << false << true;
    QTest::newRow("two stars match no folder too") << "media/**/*.bak"
                                                   << "media/c.bak" << false << true;
    QTest::newRow("leading two stars") << "**/cache"
                                       << "a/b/cache" << true << true;
    QTest::newRow("trailing slash: a folder") << "work/"
                                              << "media/work" << true << true;
    QTest::newRow("trailing slash: not a file") << "work/"
                                                << "media/work" << false << false;
    QTest::newRow("comment and blank lines skipped") << "# *.png\n\n  \nThumbs.db\r"
                                                     << "media/Thumbs.db" << false << true;
    QTest::newRow("trailing spaces dropped") << "*.tmp  "
                                             << "a.tmp" << false << true;
}

void TstExclusions::excludes() {
    QFETCH(QString, patterns);
    QFETCH(QString, path);
    QFETCH(bool, folder);
    Exclusions exclusions;
    exclusions.AddLines(patterns, QStringLiteral("test"));
    QCOMPARE(exclusions.BadLines().size(), 0);
    QTEST(exclusions.Excludes(path, folder), "excluded");
}

// Every unusable line is named by its number; the usable ones around it still apply.
void TstExclusions::badLines() {
    Exclusions exclusions;
    exclusions.AddLines(QStringLiteral("*.psd\n!keep.psd\nframe[0-9.png\n/\n# note\n./x\n"
                                       "ends\\\n\\!bang"),
                        QStringLiteral("/p/.vendrelignore"));
    QList<int> lines;
    for (const Exclusions::BadLine& bad : exclusions.BadLines()) {
        QCOMPARE(bad.Source, QStringLiteral("/p/.vendrelignore"));
        QVERIFY(!bad.Reason.isEmpty());
        lines << bad.Line;
    }
    QCOMPARE(lines, (QList<int>{2, 3, 4, 6, 7}));
    QVERIFY(exclusions.Excludes(QStringLiteral("keep.psd"), false));
    QVERIFY(exclusions.Excludes(QStringLiteral("!bang"), false));
    QVERIFY(!exclusions.Excludes(QStringLiteral("bang"), false));
}

QTEST_GUILESS_MAIN(TstExclusions)
#include "tst_exclusions.moc"
