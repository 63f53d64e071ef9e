#include "os/file_info.h"

#include "os/folder_listing.h"

#include <QFile>

#include <sys/stat.h>

namespace FileInfo {

namespace {

// Hidden in the Unix way: the last name of the path begins with "." ("." and ".." aside).
bool isHiddenPath(QString path) {
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return FolderListing::IsHiddenName(QFile::encodeName(name));
}

} // namespace

bool ReadAttributes(const QString& path, int& attrs) {
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    const int hidden = isHiddenPath(path) ? AttrHidden : 0;
    if (S_ISDIR(info.st_mode)) {
        attrs = AttrDirectory | hidden;
        return true;
    }
    // Devices, pipes and sockets play the part of DOS system files: never packed.
    if (!S_ISREG(info.st_mode)) {
        attrs = AttrSystem | hidden;
        return true;
    }
    attrs = RegularFileAttributes(path, (info.st_mode & S_IWUSR) != 0);
    return true;
}

int RegularFileAttributes(const QString& path, bool ownerMayWrite) {
    const int readOnly = ownerMayWrite ? 0 : AttrReadOnly;
    const int hidden = isHiddenPath(path) ? AttrHidden : 0;
    return AttrArchive | readOnly | hidden;
}

bool FileExists(const QString& path) {
    int attrs = 0;
    return ReadAttributes(path, attrs) && (attrs & (AttrDirectory | AttrHidden | AttrSystem)) == 0;
}

} // namespace FileInfo
