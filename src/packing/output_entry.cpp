#include "packing/output_entry.h"

#include <QFile>

namespace {

// The folder part of Path ("/" for the root) and its last name.
void split(const QByteArray& Path, QByteArray& Folder, QByteArray& Name) {
    const qsizetype cut = Path.lastIndexOf('/');
    Folder = cut < 0 ? QByteArray(".") : cut == 0 ? QByteArray("/") : Path.left(cut);
    Name = Path.mid(cut + 1);
}

} // namespace

OutputEntry::OutputEntry(const QString& Path) {
    QByteArray folder;
    split(QFile::encodeName(Path), folder, m_name);
    const FolderListing::Entry entry = FolderListing::Classify(folder);
    m_known = !m_name.isEmpty() && entry.Kind == FolderListing::EntryKind::Folder;
    m_folder = entry.Id;
}

bool OutputEntry::Is(const QString& SourceFile) const {
    if (!m_known)
        return false;
    QByteArray folder;
    QByteArray name;
    split(QFile::encodeName(SourceFile), folder, name);
    // The name first: only a file of the package's own name costs a look at its folder.
    if (name != m_name)
        return false;
    const FolderListing::Entry entry = FolderListing::Classify(folder);
    return entry.Kind == FolderListing::EntryKind::Folder && entry.Id == m_folder;
}
