#include "packing/package_paths.h"

#include <QStringList>

namespace PackagePaths {

namespace {

// Spaces only, not other white space, are taken off the ends of the last piece.
QString trimSpaces(const QString& Text) {
    qsizetype first = 0;
    qsizetype last = Text.size();
    while (first < last && Text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && Text.at(last - 1) == QLatin1Char(' '))
        --last;
    return Text.mid(first, last - first);
}

} // namespace

QString WithDefaultExtension(const QString& OutputPath, const QString& Extension) {
    // Appended only when the whole path has no "." and no space at either end: a name the
    // user typed with an extension of any case keeps it.
    const QString lastPiece = trimSpaces(OutputPath.split(QLatin1Char('.')).last());
    return lastPiece == OutputPath ? OutputPath + Extension : OutputPath;
}

QString FolderOfOutput(const QString& OutputPath) {
    const qsizetype cut = OutputPath.lastIndexOf(QLatin1Char('/'));
    return cut < 0 ? QString() : OutputPath.left(cut);
}

bool DestinationIsProject(const QString& DestinationFolder, const QString& ProjectFolder) {
    // An output file at the root gives an empty folder, which stands for "/".
    const QString destination =
        DestinationFolder.isEmpty() ? QStringLiteral("/") : DestinationFolder;
    return destination == ProjectFolder;
}

QString ProjectFolderWarningText() {
    return QStringLiteral("You cannot create the Installation File in the Project Folder!\r\n"
                          "Please Choose Another Destination Folder");
}

QString WalkStartOf(const QString& Folder) {
    return Folder.endsWith(QLatin1Char('/')) ? Folder : Folder + QLatin1Char('/');
}

} // namespace PackagePaths
