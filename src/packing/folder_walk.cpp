#include "packing/folder_walk.h"

#include "packing/entry_names.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringDecoder>

#include <utility>

using namespace FolderListing;

namespace {

QByteArray pathBytes(const QString& Path) {
    return QFile::encodeName(Path);
}

// A name can go into the package only when it is valid UTF-8 and can be created where the
// package is installed: inside the archive "\" separates folders, so such a name would land
// in another folder, or climb out of the install folder ("..\..\x"), and a name such as
// "C:" would lead out of it to a drive.
bool decodeName(const QByteArray& Bytes, QString& Name) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    Name = utf8.decode(Bytes);
    return !utf8.hasError() && IsPortableEntryName(Name);
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
    // A sub-folder that vanished is skipped, but the folder the walk starts from must be there.
    if (Classify(pathBytes(FolderPath)).Kind != EntryKind::Folder)
        return fail(FolderPath, ProjectFolderName(FolderPath));
    // Every name of a folder-named package starts with the project folder's name, where a
    // "\" would split it into folders that are not there and a drive name would lead out of
    // the install folder. The root folder has no name to check.
    if (m_naming == ArchiveNaming::FolderNamed && !m_projectName.isEmpty() &&
        !IsPortableEntryName(m_projectName))
        return fail(FolderPath, m_projectName);
    return walkFolder(FolderPath, NamePrefix);
}

bool FolderWalk::walkFolder(const QString& folderPath, const QString& prefix) {
    if (stopRequested())
        return false;
    QList<ListedName> names;
    FolderId id;
    const ListStatus status = ListFolder(pathBytes(folderPath), m_maxFolderEntries, names, id);
    // A sub-folder removed since its parent was listed is no longer part of the template.
    if (status == ListStatus::Missing)
        return true;
    if (status != ListStatus::Listed)
        return failListing(status, folderPath);
    m_walking << id;
    QStringList subFolders;
    bool ok = queueEntries(folderPath, prefix, names, subFolders);
    for (qsizetype i = 0; ok && i < subFolders.size(); ++i) {
        const QString& sub = subFolders.at(i);
        ok = walkFolder(folderPath + sub + QLatin1Char('/'), prefix + sub + QLatin1Char('\\'));
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
    // Gone since the listing, or a FIFO, socket or device: nothing to pack, and opening a
    // FIFO would block for ever.
    if (entry.Kind == EntryKind::Missing || entry.Kind == EntryKind::Special)
        return true;
    if (entry.Kind == EntryKind::Folder && m_walking.contains(entry.Id))
        return true;
    QString decoded;
    if (entry.Kind == EntryKind::Unreachable || !decodeName(name, decoded))
        return fail(folderPath, QString::fromUtf8(name));
    if (entry.Kind == EntryKind::Folder)
        return takeFolder(folderPath, decoded, subFolders);
    return queueFile(folderPath, prefix, decoded);
}

bool FolderWalk::takeFolder(const QString& folderPath, const QString& name,
                            QStringList& subFolders) {
    // Counted when found rather than when entered, so that a folder of many links ends the
    // walk before each of them is listed.
    if (++m_foldersFound > MaxWalkFolders) {
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
    if (m_takeFile(sourceFile, ArchiveName(m_naming, m_projectName, prefix, name)))
        return true;
    // Removed, or replaced by a FIFO, socket or device, since it was listed: skipped like
    // any such entry.
    const EntryKind kind = Classify(pathBytes(sourceFile)).Kind;
    if (kind == EntryKind::Missing || kind == EntryKind::Special)
        return true;
    return fail(folderPath, name);
}

bool FolderWalk::failListing(ListStatus status, const QString& folderPath) {
    // Taking only part of a crowded folder would pack a template with files missing.
    if (status == ListStatus::TooManyEntries) {
        m_failedFolder = folderPath;
        //: Why packing stopped: a folder holds more entries than are taken. %1 is its path.
        m_failure =
            QCoreApplication::translate("FolderWalk", "Too many entries in %1").arg(folderPath);
        return false;
    }
    return fail(folderPath, ProjectFolderName(folderPath));
}

bool FolderWalk::fail(const QString& folderPath, const QString& name) {
    m_failedFolder = folderPath;
    //: Why packing stopped: a file or folder could not be taken. AddFile is a function name,
    //: never translated; %1 is the name of the file or folder.
    m_failure = QCoreApplication::translate("FolderWalk", "AddFile failed on %1").arg(name);
    return false;
}
