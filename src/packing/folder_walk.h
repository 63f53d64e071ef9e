#pragma once

#include "packing/template_kind.h"
#include "platform/folder_listing.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class PackingView;
class Zipper;

// The name a file gets inside a package: Prefix is its folder below the project folder with
// each component followed by "\" (empty for the project folder itself).
QString ArchiveName(ArchiveNaming Naming, const QString& ProjectName, const QString& Prefix,
                    const QString& FileName);

// The project folder's own name: the last component of its path ("" for the root folder).
QString ProjectFolderName(const QString& ProjectFolder);

// One walk of a project tree: queues every file below a folder on the Zipper, a folder's own
// files first in listing order, then each sub-folder depth first. On failure it sets the
// status text and stops at every level; it never removes anything from the queue.
class FolderWalk {
  public:
    FolderWalk(Zipper& Zipper, PackingView& View, ArchiveNaming Naming, const QString& ProjectName,
               int MaxFolderEntries);

    // Walks FolderPath (ending in "/") with the given name prefix; true when every file
    // reached was queued.
    bool Run(const QString& FolderPath, const QString& NamePrefix);

  private:
    bool walkFolder(const QString& folderPath, const QString& prefix);
    bool queueEntries(const QString& folderPath, const QString& prefix,
                      const QList<QByteArray>& names, QStringList& subFolders);
    bool handleEntry(const QString& folderPath, const QString& prefix, const QByteArray& name,
                     QStringList& subFolders);
    bool queueFile(const QString& folderPath, const QString& prefix, const QString& name);
    bool failListing(FolderListing::ListStatus status, const QString& folderPath);
    bool fail(const QString& name);

    Zipper& m_zipper;
    PackingView& m_view;
    ArchiveNaming m_naming;
    QString m_projectName;
    int m_maxFolderEntries;
    // The folders from the walk's start down to the one being listed: a link that leads
    // back to one of them would make the walk endless.
    QList<FolderListing::FolderId> m_walking;
};
