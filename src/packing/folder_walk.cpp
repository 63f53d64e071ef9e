#include "packing/folder_walk.h"

#include "packing/entry_names.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <utility>

using namespace FolderListing;

namespace {

QByteArray pathBytes(const QString& Path) {
    return QFile::encodeName(Path);
}

// A name can go into the package only when it is valid UTF-8 and can be created where the
// package is installed (CheckEntryName): inside the archive "\" separates folders, so such a
// name would land in another folder, or climb out of the install folder ("..\..\x"), and a
// name such as "C:" would lead out of it to a drive.
bool decodeUtf8(const QByteArray& Bytes, QString& Name) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    Name = utf8.decode(Bytes);
    return !utf8.hasError();
}

QString cannotBeReadText(int Error) {
    //: vendrel-pack --check: why a file or folder cannot be packed; %1 is the system's reason.
    return QCoreApplication::translate("FolderWalk", "cannot be read: %1")
        .arg(qt_error_string(Error));
}

// An entry that exists but cannot be looked at: a link that leads nowhere, or a look refused.
WalkProblem unreachableProblem(const QString& Path, const Entry& Found) {
    if (Found.IsLink && (Found.Error == ENOENT || Found.Error == ENOTDIR))
        //: vendrel-pack --check: a symbolic link whose target is missing.
        return {WalkProblem::Kind::DanglingLink, Path,
                QCoreApplication::translate("FolderWalk",
                                            "is a link to a file or folder that is not there")};
    return {WalkProblem::Kind::Unreadable, Path, cannotBeReadText(Found.Error)};
}

} // namespace

QString ArchiveName(ArchiveNaming Naming, const QString& ProjectName, const QString& Prefix,
                    const QString& FileName) {
    switch (Naming) {
    case ArchiveNaming::FolderNamed:
        // The root folder has no name; its files then go in without a leading "\".
        if (ProjectName.isEmpty())
            return Prefix + FileName;
        return ProjectName + QLatin1Char('\\') + Prefix + FileName;
    case ArchiveNaming::Relative:
        return Prefix + FileName;
    case ArchiveNaming::DotRelative:
        return QStringLiteral(".\\") + Prefix + FileName;
    }
    return Prefix + FileName;
}

QString ProjectFolderName(const QString& ProjectFolder) {
    const QStringList parts = ProjectFolder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    return parts.isEmpty() ? QString() : parts.last();
}

FolderWalk::FolderWalk(WalkFileSink TakeFile, ArchiveNaming Naming, const QString& ProjectName,
                       int MaxFolderEntries, WalkStopCheck StopCheck)
    : m_takeFile(std::move(TakeFile)), m_naming(Naming), m_projectName(ProjectName),
      m_maxFolderEntries(MaxFolderEntries), m_stopCheck(std::move(StopCheck)) {}

bool FolderWalk::Run(const QString& FolderPath, const QString& NamePrefix) {
    m_walking.clear();
    m_foldersFound = 0;
    m_failedFolder.clear();
    m_failure.clear();
    m_problems = 0;
    m_filesReached = 0;
    // A sub-folder that vanished is skipped, but the folder the walk starts from must be there.
    const Entry start = Classify(pathBytes(FolderPath));
    if (start.Kind != EntryKind::Folder) {
        const WalkProblem missing =
            start.Kind == EntryKind::Unreachable
                ? unreachableProblem(FolderPath, start)
                //: vendrel-pack --check: the project folder is missing.
                : WalkProblem{WalkProblem::Kind::Unreadable, FolderPath,
                              QCoreApplication::translate("FolderWalk", "is not a folder")};
        refuse(FolderPath, ProjectFolderName(FolderPath), missing);
        return false;
    }
    // Every name of a folder-named package starts with the project folder's name, where a
    // "\" would split it into folders that are not there and a drive name would lead out of
    // the install folder. The root folder has no name to check.
    if (m_naming == ArchiveNaming::FolderNamed && !m_projectName.isEmpty()) {
        const NameCheck check = CheckEntryName(m_projectName);
        if (check.Fault != NameFault::None &&
            !refuse(FolderPath, m_projectName,
                    {WalkProblem::Kind::ProjectName, FolderPath, NameFaultText(check)}))
            return false;
    }
    return walkFolder(FolderPath, NamePrefix, m_relativeStart);
}

void FolderWalk::Exclude(const Exclusions* Patterns, const QString& RelativeStart) {
    // No patterns is no exclusion: the listing then costs exactly what it costs without.
    m_exclusions = Patterns && !Patterns->IsEmpty() ? Patterns : nullptr;
    m_relativeStart = RelativeStart;
}

bool FolderWalk::walkFolder(const QString& folderPath, const QString& prefix,
                            const QString& relative) {
    if (stopRequested())
        return false;
    QList<ListedName> names;
    FolderId id;
    // Only a collecting walk asks for the hidden names: a pack does not spend a thing on them.
    ListingDetail detail;
    detail.WantHidden = m_observer != nullptr;
    // Excluded entries are dropped while the folder is read, so that they take none of the
    // listing's allowance; their paths are kept only for a collecting walk.
    QStringList excludedShown;
    if (m_exclusions)
        detail.LeaveOut = [&](const QByteArray& name, ListedType type) {
            return excluded(folderPath, relative, name, type, excludedShown);
        };
    const ListStatus status =
        ListFolder(pathBytes(folderPath), m_maxFolderEntries, names, id, &detail);
    // A sub-folder removed since its parent was listed is no longer part of the template.
    if (status == ListStatus::Missing)
        return true;
    if (status != ListStatus::Listed)
        return failListing(status, folderPath, detail.Error);
    if (!detail.Hidden.isEmpty())
        noteHidden(folderPath, std::move(detail.Hidden));
    if (!excludedShown.isEmpty())
        noteExcluded(std::move(excludedShown));
    m_walking << id;
    QStringList subFolders;
    bool ok = queueEntries(folderPath, prefix, names, subFolders);
    for (qsizetype i = 0; ok && i < subFolders.size(); ++i) {
        const QString& sub = subFolders.at(i);
        ok = walkFolder(folderPath + sub + QLatin1Char('/'), prefix + sub + QLatin1Char('\\'),
                        m_exclusions ? relative + sub + QLatin1Char('/') : QString());
    }
    m_walking.removeLast();
    return ok;
}

bool FolderWalk::queueEntries(const QString& folderPath, const QString& prefix,
                              const QList<ListedName>& names, QStringList& subFolders) {
    for (const ListedName& listed : names) {
        if (listed.Name == "." || listed.Name == "..")
            continue;
        if (stopRequested() || !handleEntry(folderPath, prefix, listed, subFolders))
            return false;
    }
    return true;
}

bool FolderWalk::handleEntry(const QString& folderPath, const QString& prefix,
                             const ListedName& listed, QStringList& subFolders) {
    const QByteArray& name = listed.Name;
    // A file the listing reports as ordinary needs no look of its own before the sink opens
    // it; one that changed since is told apart when the sink refuses it.
    Entry entry;
    entry.Kind = EntryKind::File;
    if (!listed.PlainFile)
        entry = Classify(pathBytes(folderPath) + name);
    // Gone since the listing: nothing to pack.
    if (entry.Kind == EntryKind::Missing)
        return true;
    // The path as a problem or note shows it, made only when one is told: a pack of many
    // files spends nothing on it.
    const auto shownPath = [&] {
        return folderPath + QString::fromUtf8(name) +
               (entry.Kind == EntryKind::Folder ? QStringLiteral("/") : QString());
    };
    // A FIFO, socket or device is no template file, and opening a FIFO would block for ever.
    if (entry.Kind == EntryKind::Special)
        return note(WalkNote::Special, shownPath());
    if (entry.Kind == EntryKind::Folder && m_walking.contains(entry.Id))
        return note(WalkNote::LinkLoop, shownPath());
    if (entry.Kind == EntryKind::Unreachable)
        return refuse(folderPath, QString::fromUtf8(name), unreachableProblem(shownPath(), entry));
    if (entry.Kind == EntryKind::File)
        ++m_filesReached;
    QString decoded;
    if (!decodeUtf8(name, decoded))
        //: vendrel-pack --check: why a name cannot go into a package.
        return refuse(folderPath, decoded,
                      {WalkProblem::Kind::Name, shownPath(),
                       QCoreApplication::translate("FolderWalk", "not UTF-8")});
    const NameCheck check = CheckEntryName(decoded);
    if (check.Fault != NameFault::None) {
        const bool goOn = refuse(folderPath, decoded,
                                 {WalkProblem::Kind::Name, shownPath(), NameFaultText(check)});
        // A collecting walk still looks inside a refused folder, for the problems there.
        if (!goOn || entry.Kind != EntryKind::Folder)
            return goOn;
    }
    if (entry.Kind == EntryKind::Folder)
        return takeFolder(folderPath, decoded, subFolders);
    return queueFile(folderPath, prefix, decoded);
}

bool FolderWalk::takeFolder(const QString& folderPath, const QString& name,
                            QStringList& subFolders) {
    // Counted when found rather than when entered, so that a folder of many links ends the
    // walk before each of them is listed.
    if (++m_foldersFound > MaxWalkFolders) {
        if (m_observer) {
            ++m_problems;
            //: vendrel-pack --check: the walk stopped at a folder past the limit; %1 is the
            //: most sub-folders a package takes.
            m_observer->Problem(
                {WalkProblem::Kind::TooManyFolders, folderPath + name + QLatin1Char('/'),
                 QCoreApplication::translate(
                     "FolderWalk", "is one sub-folder more than the %1 a package takes; the "
                                   "check stopped here")
                     .arg(MaxWalkFolders)});
        }
        m_failedFolder = folderPath;
        //: Why packing stopped: more folders than a package may take. %1 is a folder's path.
        m_failure =
            QCoreApplication::translate("FolderWalk", "Too many folders in %1").arg(folderPath);
        return false;
    }
    subFolders << name;
    return true;
}

bool FolderWalk::queueFile(const QString& folderPath, const QString& prefix, const QString& name) {
    const QString sourceFile = folderPath + name;
    WalkRefusal refusal;
    if (m_takeFile(sourceFile, ArchiveName(m_naming, m_projectName, prefix, name), refusal))
        return true;
    // A collecting walk that is asked to stop reports nothing more.
    if (m_observer && stopRequested())
        return false;
    // Removed, or replaced by a FIFO, socket or device, since it was listed: skipped like
    // any such entry.
    const EntryKind kind = Classify(pathBytes(sourceFile)).Kind;
    if (kind == EntryKind::Missing)
        return true;
    if (kind == EntryKind::Special)
        return note(WalkNote::Special, sourceFile);
    return refuse(folderPath, refusal.Shown.isEmpty() ? name : refusal.Shown,
                  {refusal.What, sourceFile, refusal.Reason});
}

// Whether the patterns leave out the entry name of the folder at relative; shown gets its
// path when the walk collects. The listing's type is enough but for a link or an entry of
// unknown type that only a folders-only pattern matches: only then is it looked at.
bool FolderWalk::excluded(const QString& folderPath, const QString& relative,
                          const QByteArray& name, ListedType type, QStringList& shown) const {
    // A name that is not UTF-8 has no text a pattern could match: it is never left out
    // unseen, and the walk refuses it as it refuses it without patterns.
    QString decoded;
    if (!decodeUtf8(name, decoded))
        return false;
    const QString path = relative + decoded;
    bool folder = type == ListedType::Folder;
    if (!m_exclusions->Excludes(path, folder)) {
        if (type != ListedType::Unknown || !m_exclusions->Excludes(path, true))
            return false;
        if (Classify(pathBytes(folderPath) + name).Kind != EntryKind::Folder)
            return false;
        folder = true;
    }
    if (m_observer)
        shown << folderPath + decoded + (folder ? QStringLiteral("/") : QString());
    return true;
}

void FolderWalk::noteExcluded(QStringList shown) {
    // In name order, as the hidden ones.
    std::sort(shown.begin(), shown.end());
    for (const QString& path : std::as_const(shown))
        note(WalkNote::Excluded, path);
}

void FolderWalk::noteHidden(const QString& folderPath, QList<QByteArray> hidden) {
    // In name order, whatever order the file system keeps them in.
    std::sort(hidden.begin(), hidden.end());
    for (const QByteArray& name : std::as_const(hidden))
        note(WalkNote::Hidden, folderPath + QString::fromUtf8(name));
}

bool FolderWalk::note(WalkNote note, const QString& path) {
    // A pack leaves these out without a word.
    if (m_observer)
        m_observer->LeftOut(note, path);
    return true;
}

bool FolderWalk::failListing(ListStatus status, const QString& folderPath, int error) {
    // Taking only part of a crowded folder would pack a template with files missing.
    if (status == ListStatus::TooManyEntries) {
        //: vendrel-pack --check: a folder over the limit; %1 is the most entries taken from
        //: one folder (files and folders, not counting "." and "..").
        const QString reason =
            QCoreApplication::translate(
                "FolderWalk",
                "holds more than %1 files and folders, the most a package takes from one folder")
                .arg(m_maxFolderEntries - 2);
        if (m_observer)
            return refuse(folderPath, QString(),
                          {WalkProblem::Kind::TooManyEntries, folderPath, reason});
        m_failedFolder = folderPath;
        //: Why packing stopped: a folder holds more entries than are taken. %1 is its path.
        m_failure =
            QCoreApplication::translate("FolderWalk", "Too many entries in %1").arg(folderPath);
        return false;
    }
    return refuse(folderPath, ProjectFolderName(folderPath),
                  {WalkProblem::Kind::Unreadable, folderPath, cannotBeReadText(error)});
}

bool FolderWalk::refuse(const QString& folderPath, const QString& name,
                        const WalkProblem& problem) {
    if (!m_observer)
        return fail(folderPath, name);
    ++m_problems;
    m_observer->Problem(problem);
    return true;
}

bool FolderWalk::fail(const QString& folderPath, const QString& name) {
    m_failedFolder = folderPath;
    m_failure = AddFileFailed(name);
    return false;
}

QString FolderWalk::AddFileFailed(const QString& Name) {
    //: Why packing stopped: a file or folder could not be taken. AddFile is a function name,
    //: never translated; %1 is the name of the file or folder.
    return QCoreApplication::translate("FolderWalk", "AddFile failed on %1").arg(Name);
}
