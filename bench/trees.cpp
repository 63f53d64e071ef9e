#include "trees.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

const QString DoneSuffix = QStringLiteral(".done");

// Each file is read through in blocks of this size and the bytes are thrown away.
constexpr qint64 WarmBlock = 1 << 20;

} // namespace

TreeSet::TreeSet(const QString& Root) : m_root(Root) {
    if (!m_root.isEmpty())
        return;
    m_temporary =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vendrel-bench-XXXXXX"));
    m_root = m_temporary->path();
}

QStringList TreeSet::GeneratedKinds() {
    return {QStringLiteral("default"), QStringLiteral("small"), QStringLiteral("huge")};
}

Tree TreeSet::Prepare(const QString& Name, const QString& GivenPath, QString& Error) {
    Tree tree{Name, GivenPath, 0, 0, QStringLiteral("given")};
    if (GivenPath.isEmpty()) {
        tree.Path = m_root + QLatin1Char('/') + Name;
        // A stamp beside the tree (not in it, where it would be packed) marks it complete.
        const bool reusable = QFileInfo::exists(tree.Path + DoneSuffix);
        tree.Origin = reusable ? QStringLiteral("reused") : QStringLiteral("generated");
        if (!reusable && !generate(Name, tree.Path, Error))
            return {};
    }
    if (!QFileInfo(tree.Path).isDir()) {
        Error = QStringLiteral("not a folder: ") + tree.Path;
        return {};
    }
    tree.Path = QFileInfo(tree.Path).absoluteFilePath();
    measure(tree);
    return tree;
}

bool TreeSet::generate(const QString& Kind, const QString& Path, QString& Error) {
    if (!GeneratedKinds().contains(Kind)) {
        Error = QStringLiteral("no such tree kind (give its folder as NAME=PATH): ") + Kind;
        return false;
    }
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        Error = QStringLiteral("python3 is needed to generate the trees");
        return false;
    }
    QDir(Path).removeRecursively();
    QProcess maker;
    maker.setProcessChannelMode(QProcess::ForwardedChannels);
    maker.start(python, {QStringLiteral(VENDREL_BENCH_MAKE_TREE), Kind, Path});
    const bool made = maker.waitForFinished(-1) && maker.exitStatus() == QProcess::NormalExit &&
                      maker.exitCode() == 0;
    if (!made) {
        Error = QStringLiteral("make_tree.py failed for ") + Kind;
        return false;
    }
    // Without the stamp the tree is simply made again next time.
    QFile(Path + DoneSuffix).open(QIODevice::WriteOnly);
    return true;
}

void TreeSet::measure(Tree& Tree) {
    QDirIterator files(Tree.Path, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        files.next();
        ++Tree.Files;
        Tree.Bytes += files.fileInfo().size();
    }
}

void TreeSet::WarmCache(const Tree& Tree) {
    QDirIterator files(Tree.Path, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        while (!file.read(WarmBlock).isEmpty()) {
        }
    }
}
