#include "packing/package_contents.h"

#include "packing/entry_names.h"
#include "zip_engine/zip_limits.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>

namespace {

using NameKind = PackageNameProblem::Kind;

bool isSeparator(QChar ch) {
    return ch == QLatin1Char('\\') || ch == QLatin1Char('/');
}

// The first thing wrong with one name's components, or nothing; Key gets the name as the
// installing desktop, which ignores case, sees it.
std::optional<PackageNameProblem> componentProblem(const QString& name, QString& key) {
    if (!name.isEmpty() && isSeparator(name.front()))
        return PackageNameProblem{NameKind::Rooted, -1, -1, {}};
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && !isSeparator(name.at(i)))
            continue;
        const QString part = name.mid(start, i - start);
        start = i + 1;
        // A name ending in a separator is a folder's own entry; "." leads the names of the
        // kinds named from the install folder.
        if ((part.isEmpty() && i == name.size()) ||
            (part == QLatin1String(".") && parts.isEmpty() && i < name.size()))
            continue;
        if (part == QLatin1String(".."))
            return PackageNameProblem{NameKind::ClimbsOut, -1, -1, part};
        if (part.size() >= 2 && part.at(1) == QLatin1Char(':') && part.at(0).isLetter())
            return PackageNameProblem{NameKind::Drive, -1, -1, part.left(2)};
        if (!IsPortableEntryName(part))
            return PackageNameProblem{NameKind::Unportable, -1, -1, part};
        parts << part;
    }
    key = parts.join(QLatin1Char('\\')).toCaseFolded();
    return std::nullopt;
}

// What is wrong with the name's form for the kind's naming, or nothing.
std::optional<PackageNameProblem> namingProblem(const QString& name, ArchiveNaming naming,
                                                const QString& folderName) {
    const QString dot = QStringLiteral(".\\");
    switch (naming) {
    case ArchiveNaming::DotRelative:
        if (!name.startsWith(dot))
            return PackageNameProblem{NameKind::NotDotRelative, -1, -1, {}};
        break;
    case ArchiveNaming::Relative:
        if (name.startsWith(dot))
            return PackageNameProblem{NameKind::DotInRelative, -1, -1, {}};
        break;
    case ArchiveNaming::FolderNamed:
        if (!name.startsWith(folderName + QLatin1Char('\\')))
            return PackageNameProblem{NameKind::NotFolderNamed, -1, -1, folderName};
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<KindCode> KindOfPackagePath(const QString& Path) {
    for (const TemplateKind& kind : TemplateKinds()) {
        if (Path.endsWith(QLatin1String(kind.Extension), Qt::CaseInsensitive))
            return kind.Code;
    }
    return std::nullopt;
}

QString EntryNameText(const PackageEntry& Entry) {
    return QString::fromUtf8(Entry.Name);
}

QList<PackageNameProblem> PackageNameProblems(const QList<PackageEntry>& Entries,
                                              std::optional<ArchiveNaming> Naming,
                                              const QString& FolderName) {
    QList<PackageNameProblem> problems;
    if (Entries.size() > MaxPackageFiles)
        problems << PackageNameProblem{NameKind::TooManyEntries, -1, Entries.size(), {}};
    // A folder-named package's first name gives the folder's name when none is expected.
    QString folderName = FolderName;
    if (folderName.isEmpty() && !Entries.isEmpty())
        folderName = EntryNameText(Entries.front()).section(QLatin1Char('\\'), 0, 0);
    QHash<QString, qsizetype> seen;
    seen.reserve(Entries.size());
    for (qsizetype i = 0; i < Entries.size(); ++i) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString name = utf8.decode(Entries.at(i).Name);
        std::optional<PackageNameProblem> problem;
        QString key;
        if (utf8.hasError())
            problem = PackageNameProblem{NameKind::NotUtf8, -1, -1, {}};
        else
            problem = componentProblem(name, key);
        if (!problem && Naming)
            problem = namingProblem(name, *Naming, folderName);
        if (!problem && !key.isEmpty()) {
            const auto at = seen.constFind(key);
            if (at != seen.constEnd())
                problem = PackageNameProblem{NameKind::FoldsTogether, -1, *at, {}};
            else
                seen.insert(key, i);
        }
        if (problem) {
            problem->Entry = i;
            problems << *problem;
        }
    }
    return problems;
}

FolderComparison CompareWithFolder(const QList<PackageEntry>& Entries, const QString& ProjectFolder,
                                   ArchiveNaming Naming, const QString& LeaveOut,
                                   const Exclusions& Patterns) {
    FolderComparison comparison;
    QList<ZipFile> files;
    PackJob job(ProjectFolder, Naming);
    job.LeaveOut(LeaveOut);
    job.Exclude(Patterns);
    // The open that admitted a file is closed again: its CRC is read later, on all cores.
    comparison.Outcome =
        job.Walk([&files](ZipFile file, SourceReader&) { files << std::move(file); });
    comparison.Failure = job.Failure();
    comparison.Files = files.size();
    if (comparison.Outcome != PackJob::Outcome::Walked)
        return comparison;
    QHash<QString, qsizetype> entryOf;
    for (qsizetype i = 0; i < Entries.size(); ++i)
        entryOf.insert(EntryNameText(Entries.at(i)), i);
    // Only files of the entry's size can still be equal: only they are read.
    QStringList toRead;
    QList<qsizetype> readFor;
    QList<qsizetype> matched(files.size(), -1);
    QList<bool> taken(Entries.size(), false);
    for (qsizetype f = 0; f < files.size(); ++f) {
        const auto found = entryOf.constFind(files.at(f).AsFile);
        if (found == entryOf.constEnd())
            continue;
        matched[f] = *found;
        taken[*found] = true;
        if (Entries.at(*found).Size == quint64(files.at(f).ByteCount)) {
            toRead << files.at(f).SourceFile;
            readFor << f;
        }
    }
    QList<quint32> crcs;
    const QList<bool> read = FileCrcs(toRead, crcs);
    QList<quint32> crcOf(files.size(), 0);
    QList<bool> readOk(files.size(), true);
    for (qsizetype r = 0; r < readFor.size(); ++r) {
        crcOf[readFor.at(r)] = crcs.at(r);
        readOk[readFor.at(r)] = read.at(r);
    }
    for (qsizetype f = 0; f < files.size(); ++f) {
        const ZipFile& file = files.at(f);
        FolderDifference difference{
            FolderDifference::Kind::Missing, file.AsFile, file.SourceFile, 0,
            quint64(file.ByteCount),         0,           crcOf.at(f)};
        if (matched.at(f) >= 0) {
            const PackageEntry& entry = Entries.at(matched.at(f));
            difference.PackageSize = entry.Size;
            difference.PackageCrc = entry.Crc;
            if (!readOk.at(f))
                difference.What = FolderDifference::Kind::Unread;
            else if (entry.Size == difference.FolderSize && entry.Crc == difference.FolderCrc)
                continue;
            else
                difference.What = FolderDifference::Kind::Changed;
        }
        comparison.Differences << difference;
    }
    for (qsizetype i = 0; i < Entries.size(); ++i) {
        if (!taken.at(i))
            comparison.Differences << FolderDifference{FolderDifference::Kind::Extra,
                                                       EntryNameText(Entries.at(i)),
                                                       {},
                                                       Entries.at(i).Size,
                                                       0,
                                                       Entries.at(i).Crc,
                                                       0};
    }
    return comparison;
}

ArchiveNaming NamingOfEntries(const QList<PackageEntry>& Entries, const QString& FolderName) {
    const auto allStartWith = [&Entries](const QString& prefix) {
        return !Entries.isEmpty() &&
               std::all_of(Entries.begin(), Entries.end(), [&prefix](const PackageEntry& e) {
                   return EntryNameText(e).startsWith(prefix);
               });
    };
    if (allStartWith(QStringLiteral(".\\")))
        return ArchiveNaming::DotRelative;
    if (!FolderName.isEmpty() && allStartWith(FolderName + QLatin1Char('\\')))
        return ArchiveNaming::FolderNamed;
    return ArchiveNaming::Relative;
}
