#pragma once

#include "os/folder_listing.h"

#include <QByteArray>
#include <QString>

// The package being replaced, recognised in the walk by its own directory entry: its name in
// its folder, whichever path leads to that folder. Other names of the same file (a hard link
// or a symbolic link elsewhere) are other files of the project and are packed as such.
class OutputEntry {
  public:
    // Nothing is recognised.
    OutputEntry() = default;
    // Remembers the entry at Path; nothing is recognised when its folder cannot be reached.
    explicit OutputEntry(const QString& Path);

    // True when SourceFile is the remembered entry.
    bool Is(const QString& SourceFile) const;

  private:
    QByteArray m_name;
    FolderListing::FolderId m_folder;
    bool m_known = false;
};
