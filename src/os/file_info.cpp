#include "os/file_info.h"

#include "os/folder_listing.h"

#include <QFile>

#include <sys/stat.h>

namespace FileInfo {

namespace {

// Hidden in the Unix way: the last name of the path begins with "." ("." and ".." aside).
bool isHiddenPath(QString Path) {
    while (Path.size() > 1 && Path.endsWith(QLatin1Char('/')))
        Path.chop(1);
    const QString name = Path.mid(Path.lastIndexOf(QLatin1Char('/')) + 1);
    return FolderListing::IsHiddenName(QFile::encodeName(name));
}

} // namespace

bool ReadAttributes(const QString& Path, int& Attrs) {
    struct stat info {};
    if (Path.isEmpty() || ::stat(QFile::encodeName(Path).constData(), &info) != 0)
        return false;
    const int hidden = isHiddenPath(Path) ? AttrHidden : 0;
    if (S_ISDIR(info.st_mode)) {
        Attrs = AttrDirectory | hidden;
        return true;
    }
    // Devices, pipes and sockets play the part of DOS system files: never packed.
    if (!S_ISREG(info.st_mode)) {
        Attrs = AttrSystem | hidden;
        return true;
    }
    Attrs = RegularFileAttributes(Path, (info.st_mode & S_IWUSR) != 0);
    return true;
}

int RegularFileAttributes(const QString& Path, bool OwnerMayWrite) {
    const int readOnly = OwnerMayWrite ? 0 : AttrReadOnly;
    const int hidden = isHiddenPath(Path) ? AttrHidden : 0;
    return AttrArchive | readOnly | hidden;
}

bool FileExists(const QString& Path) {
    int attrs = 0;
    return ReadAttributes(Path, attrs) && (attrs & (AttrDirectory | AttrHidden | AttrSystem)) == 0;
}

} // namespace FileInfo
