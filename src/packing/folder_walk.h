#pragma once

#include "os/folder_listing.h"
#include "packing/template_kind.h"
#include "zip_engine/zip_limits.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The name a file gets inside a package: Prefix is its folder below the project folder with
// each component followed by "\" (empty for the project folder itself).
QString ArchiveName(ArchiveNaming Naming, const QString& ProjectName, const QString& Prefix,
                    const QString& FileName);

// The project folder's own name: the last component of its path ("" for the root folder).
QString ProjectFolderName(const QString& ProjectFolder);

// The most entries the walk takes from one folder's listing; a fuller folder fails the walk
// rather than being cut short.
inline constexpr int DefaultMaxFolderEntries = 2000;

// The most sub-folders one walk takes, as many as the files a package can hold: a folder reached
// again through another link counts again, so links that lead to the same folders over and
// over (each folder holding two links to the next, say) end the walk at this count instead
// of doubling its length at every level.
inline constexpr qsizetype MaxWalkFolders = MaxPackageFiles;

// Takes one file the walk reached, with its archive name; true when it took the file, false
// when it refuses it, which fails the walk.
using WalkFileSink = std::function<bool(const QString& SourceFile, const QString& AsFile)>;
// Asked before each folder and each entry; true ends the walk at once, as a failure with no
// status text.
using WalkStopCheck = std::function<bool()>;

// One walk of a project tree: hands every file below a folder, with its archive name, to a
// file sink, a folder's own files first in listing order, then each sub-folder depth first.
// On failure it stops at every level and keeps the status text that says why; it never takes
// anything back from the sink. It takes at most MaxWalkFolders sub-folders.
class FolderWalk {
  public:
    FolderWalk(WalkFileSink TakeFile, ArchiveNaming Naming, const QString& ProjectName,
               int MaxFolderEntries, WalkStopCheck StopCheck = {});

    // Walks FolderPath (ending in "/") with the given name prefix; true when every file
    // reached was taken.
    bool Run(const QString& FolderPath, const QString& NamePrefix);
    // The folder (ending in "/") whose entry or listing failed the last Run; empty if none.
    QString FailedFolder() const { return m_failedFolder; }
    // The status text of the last failed Run ("AddFile failed on ", "Too many entries in " or
    // "Too many folders in " and the name); empty if none, or if the stop check ended it.
    QString Failure() const { return m_failure; }

  private:
    bool walkFolder(const QString& folderPath, const QString& prefix);
    bool queueEntries(const QString& folderPath, const QString& prefix,
                      const QList<FolderListing::ListedName>& names, QStringList& subFolders);
    bool handleEntry(const QString& folderPath, const QString& prefix,
                     const FolderListing::ListedName& listed, QStringList& subFolders);
    bool queueFile(const QString& folderPath, const QString& prefix, const QString& name);
    bool failListing(FolderListing::ListStatus status, const QString& folderPath);
    bool takeFolder(const QString& folderPath, const QString& name, QStringList& subFolders);
    bool stopRequested() const { return m_stopCheck && m_stopCheck(); }
    bool fail(const QString& folderPath, const QString& name);

    WalkFileSink m_takeFile;
    ArchiveNaming m_naming;
    QString m_projectName;
    int m_maxFolderEntries;
    WalkStopCheck m_stopCheck;
    qsizetype m_foldersFound = 0;
    QString m_failedFolder;
    QString m_failure;
    // The folders from the walk's start down to the one being listed: a link that leads
    // back to one of them would make the walk endless.
    QList<FolderListing::FolderId> m_walking;
};
