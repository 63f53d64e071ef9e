#include "os/folder_listing.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <tuple>
#include <utility>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace FolderListing {

namespace {

FolderId idOf(const struct stat& st) {
    return FolderId{quint64(st.st_dev), quint64(st.st_ino)};
}

EntryKind kindOf(mode_t Mode) {
    if (S_ISREG(Mode))
        return EntryKind::File;
    if (S_ISDIR(Mode))
        return EntryKind::Folder;
    return EntryKind::Special;
}

bool isDotOrDotDot(const QByteArray& Name) {
    return Name == "." || Name == "..";
}

// readdir's order is whatever the file system keeps; sorting makes archives reproducible.
// The case-folded key is computed once per name, not once per comparison.
void sortNames(QList<ListedName>& Names) {
    std::vector<std::tuple<QString, QByteArray, bool>> keyed;
    keyed.reserve(std::size_t(Names.size()));
    for (const ListedName& listed : std::as_const(Names))
        keyed.emplace_back(QString::fromUtf8(listed.Name).toCaseFolded(), listed.Name,
                           listed.PlainFile);
    std::sort(keyed.begin(), keyed.end());
    Names.clear();
    for (const auto& [key, name, plainFile] : keyed)
        Names << ListedName{name, plainFile};
}

ListStatus statusOfOpenError(int Error) {
    return (Error == ENOENT || Error == ENOTDIR) ? ListStatus::Missing : ListStatus::Unlistable;
}

// Reads every visible name of an open folder, or stops once more than Room names came.
ListStatus readNames(DIR* Dir, qsizetype Room, QList<ListedName>& Names) {
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(Dir);
        if (!entry)
            return errno == 0 ? ListStatus::Listed : ListStatus::Unlistable;
        const QByteArray name(entry->d_name);
        if (isDotOrDotDot(name) || IsHiddenName(name))
            continue;
        if (Names.size() >= Room)
            return ListStatus::TooManyEntries;
        // Saves the walk a look at each file where the file system tells its type.
        Names << ListedName{name, entry->d_type == DT_REG};
    }
}

} // namespace

bool IsHiddenName(const QByteArray& Name) {
    return Name.startsWith('.') && !isDotOrDotDot(Name);
}

ListStatus ListFolder(const QByteArray& Folder, int MaxEntries, QList<ListedName>& Names,
                      FolderId& Id) {
    Names.clear();
    DIR* dir = opendir(Folder.constData());
    if (!dir)
        return statusOfOpenError(errno);
    struct stat st {};
    ListStatus status = fstat(dirfd(dir), &st) == 0 ? ListStatus::Listed : ListStatus::Unlistable;
    // "." and ".." take two places of the allowance, whatever the file system reports.
    if (status == ListStatus::Listed)
        status = MaxEntries < 2 ? ListStatus::TooManyEntries
                                : readNames(dir, qsizetype(MaxEntries) - 2, Names);
    closedir(dir);
    if (status != ListStatus::Listed) {
        Names.clear();
        return status;
    }
    Id = idOf(st);
    sortNames(Names);
    Names.prepend(ListedName{"..", false});
    Names.prepend(ListedName{".", false});
    return status;
}

ListStatus ListFolder(const QByteArray& Folder, int MaxEntries, QList<QByteArray>& Names,
                      FolderId& Id) {
    QList<ListedName> listed;
    const ListStatus status = ListFolder(Folder, MaxEntries, listed, Id);
    Names.clear();
    for (const ListedName& entry : std::as_const(listed))
        Names << entry.Name;
    return status;
}

Entry Classify(const QByteArray& Path) {
    Entry entry;
    struct stat st {};
    if (lstat(Path.constData(), &st) != 0) {
        entry.Kind =
            (errno == ENOENT || errno == ENOTDIR) ? EntryKind::Missing : EntryKind::Unreachable;
        return entry;
    }
    entry.IsLink = S_ISLNK(st.st_mode);
    if (entry.IsLink && stat(Path.constData(), &st) != 0) {
        entry.Kind = EntryKind::Unreachable;
        return entry;
    }
    entry.Kind = kindOf(st.st_mode);
    entry.Id = idOf(st);
    return entry;
}

} // namespace FolderListing
