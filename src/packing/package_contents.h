#pragma once

#include "packing/pack_job.h"
#include "packing/template_kind.h"
#include "zip_engine/package_reader.h"

#include <QList>
#include <QString>

#include <optional>

// The kind whose extension ends Path (".dzt", in any case); none for another extension.
std::optional<KindCode> KindOfPackagePath(const QString& Path);

// A name in a package that the installing desktop would not unpack where it belongs.
struct PackageNameProblem {
    enum class Kind {
        NotUtf8,        // the name is not UTF-8
        Rooted,         // starts with "\" or "/": it names the root of a drive
        Drive,          // a component holds ":" after a letter ("C:"): it names a drive
        ClimbsOut,      // a ".." component leads out of the install folder
        Unportable,     // Component cannot be a file or folder name there
        FoldsTogether,  // equal to entry Other once case is ignored
        TooManyEntries, // Other entries, more than a package holds
        NotDotRelative, // does not start with ".\"
        NotFolderNamed, // does not start with Component, the project folder's name, and "\"
        DotInRelative,  // starts with ".\", which this kind's names never do
    };
    Kind What = Kind::Unportable;
    qsizetype Entry = -1; // -1 for the package as a whole
    qsizetype Other = -1;
    QString Component;
};

// The entry's name as text (UTF-8; invalid bytes replaced).
QString EntryNameText(const PackageEntry& Entry);

// Checks every name of Entries by the rules a pack applies to the names it writes: each
// component (between "\" or "/") a portable name, no rooted name, drive or ".." step, no two
// names equal once case is ignored, at most MaxPackageFiles entries, and, with Naming, the
// names formed as that kind forms them (FolderName, when not empty, the folder name expected
// first in folder-named packages). Problems come in entry order.
QList<PackageNameProblem> PackageNameProblems(const QList<PackageEntry>& Entries,
                                              std::optional<ArchiveNaming> Naming,
                                              const QString& FolderName = {});

// How a package differs from what packing a folder now would give.
struct FolderDifference {
    enum class Kind {
        Missing, // the folder's file Name has no entry in the package
        Extra,   // the package's entry Name is not in the folder (any more)
        Changed, // both hold Name, with another size or CRC
        Unread,  // the folder's file Name cannot be read
    };
    Kind What = Kind::Changed;
    QString Name;
    QString SourceFile;
    quint64 PackageSize = 0;
    quint64 FolderSize = 0;
    quint32 PackageCrc = 0;
    quint32 FolderCrc = 0;
};

struct FolderComparison {
    PackJob::Outcome Outcome = PackJob::Outcome::WalkFailed;
    QString Failure; // why the walk failed, as a pack reports it
    qsizetype Files = 0;
    QList<FolderDifference> Differences; // in walk order, then the extra entries
};

// Compares Entries with the entries a pack of ProjectFolder (absolute) named by Naming would
// write now: the same walk and admission as a pack, the package at LeaveOut left out as a
// pack that replaces it leaves it out, and what Patterns match left out as a pack leaves it
// out. Files of the entries' size get their CRC computed, on all cores.
FolderComparison CompareWithFolder(const QList<PackageEntry>& Entries, const QString& ProjectFolder,
                                   ArchiveNaming Naming, const QString& LeaveOut,
                                   const Exclusions& Patterns = {});

// The naming a package of no known kind follows, read from its names: ".\" before every
// name, FolderName (or the first name's folder) before every name, or else relative.
ArchiveNaming NamingOfEntries(const QList<PackageEntry>& Entries, const QString& FolderName);
