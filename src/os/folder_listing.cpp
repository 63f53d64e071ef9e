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

EntryKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return EntryKind::File;
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    return EntryKind::Special;
}

bool isDotOrDotDot(const QByteArray& name) {
    return name == "." || name == "..";
}

// readdir's order is whatever the file system keeps; sorting makes archives reproducible.
// The case-folded key is computed once per name, not once per comparison.
void sortNames(QList<ListedName>& names) {
    std::vector<std::tuple<QString, QByteArray, bool>> keyed;
    keyed.reserve(std::size_t(names.size()));
    for (const ListedName& listed : std::as_const(names))
        keyed.emplace_back(QString::fromUtf8(listed.Name).toCaseFolded(), listed.Name,
                           listed.PlainFile);
    std::sort(keyed.begin(), keyed.end());
    names.clear();
    for (const auto& [key, name, plainFile] : keyed)
        names << ListedName{name, plainFile};
}

ListStatus statusOfOpenError(int error) {
    return (error == ENOENT || error == ENOTDIR) ? ListStatus::Missing : ListStatus::Unlistable;
}

ListedType typeOf(unsigned char type) {
    switch (type) {
    case DT_REG:
        return ListedType::File;
    case DT_DIR:
        return ListedType::Folder;
    case DT_FIFO:
    case DT_SOCK:
    case DT_CHR:
    case DT_BLK:
        return ListedType::Special;
    default:
        return ListedType::Unknown;
    }
}

// Reads every visible name of an open folder, or stops once more than room names came. The
// hidden names go into hidden when it is given; the names filter leaves out take no room.
[[nodiscard]] ListStatus readNames(DIR* dir, qsizetype room, QList<ListedName>& names,
                                   QList<QByteArray>* hidden, const ListingFilter* filter,
                                   int& error) {
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(dir);
        if (!entry) {
            error = errno;
            return errno == 0 ? ListStatus::Listed : ListStatus::Unlistable;
        }
        const QByteArray name(entry->d_name);
        if (isDotOrDotDot(name))
            continue;
        if (IsHiddenName(name)) {
            if (hidden)
                *hidden << name;
            continue;
        }
        if (filter && (*filter)(name, typeOf(entry->d_type)))
            continue;
        if (names.size() >= room)
            return ListStatus::TooManyEntries;
        // Saves the walk a look at each file where the file system tells its type.
        names << ListedName{name, entry->d_type == DT_REG};
    }
}

} // namespace

bool IsHiddenName(const QByteArray& name) {
    return name.startsWith('.') && !isDotOrDotDot(name);
}

ListStatus ListFolder(const QByteArray& folder, int maxEntries, QList<ListedName>& names,
                      FolderId& id, ListingDetail* detail) {
    names.clear();
    int error = 0;
    if (detail)
        detail->Hidden.clear();
    DIR* dir = opendir(folder.constData());
    if (!dir) {
        error = errno;
        if (detail)
            detail->Error = error;
        return statusOfOpenError(error);
    }
    struct stat st {};
    ListStatus status = ListStatus::Listed;
    if (fstat(dirfd(dir), &st) != 0) {
        error = errno;
        status = ListStatus::Unlistable;
    }
    QList<QByteArray>* hidden = detail && detail->WantHidden ? &detail->Hidden : nullptr;
    const ListingFilter* filter = detail && detail->LeaveOut ? &detail->LeaveOut : nullptr;
    // "." and ".." take two places of the allowance, whatever the file system reports.
    if (status == ListStatus::Listed)
        status = maxEntries < 2
                     ? ListStatus::TooManyEntries
                     : readNames(dir, qsizetype(maxEntries) - 2, names, hidden, filter, error);
    closedir(dir);
    if (detail)
        detail->Error = error;
    if (status != ListStatus::Listed) {
        names.clear();
        return status;
    }
    id = idOf(st);
    sortNames(names);
    names.prepend(ListedName{"..", false});
    names.prepend(ListedName{".", false});
    return status;
}

ListStatus ListFolder(const QByteArray& folder, int maxEntries, QList<QByteArray>& names,
                      FolderId& id) {
    QList<ListedName> listed;
    const ListStatus status = ListFolder(folder, maxEntries, listed, id);
    names.clear();
    for (const ListedName& entry : std::as_const(listed))
        names << entry.Name;
    return status;
}

Entry Classify(const QByteArray& path) {
    Entry entry;
    struct stat st {};
    if (lstat(path.constData(), &st) != 0) {
        entry.Error = errno;
        entry.Kind = (entry.Error == ENOENT || entry.Error == ENOTDIR) ? EntryKind::Missing
                                                                       : EntryKind::Unreachable;
        return entry;
    }
    entry.IsLink = S_ISLNK(st.st_mode);
    if (entry.IsLink && stat(path.constData(), &st) != 0) {
        entry.Error = errno;
        entry.Kind = EntryKind::Unreachable;
        return entry;
    }
    entry.Kind = kindOf(st.st_mode);
    entry.Id = idOf(st);
    return entry;
}

} // namespace FolderListing
