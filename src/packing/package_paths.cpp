#include "packing/package_paths.h"

#include "os/folder_listing.h"

#include <QCoreApplication>
#include <QFile>
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
    if (destination == ProjectFolder)
        return true;
    // A link or a second mount can lead to the same folder under another path.
    using namespace FolderListing;
    const Entry folder = Classify(QFile::encodeName(destination));
    const Entry project = Classify(QFile::encodeName(ProjectFolder));
    return folder.Kind == EntryKind::Folder && project.Kind == EntryKind::Folder &&
           folder.Id == project.Id;
}

QString ProjectFolderWarningText() {
    // Two lines, joined as the message box has always shown them.
    //: First line of a warning (message box, and an error of vendrel-pack) when the package
    //: was to be written into the project folder itself. "Installation File" is the package.
    return QCoreApplication::translate("PackagePaths",
                                       "You cannot create the Installation File in the Project "
                                       "Folder!") +
           QStringLiteral("\r\n") +
           //: Second line of the warning about the package in the project folder.
           QCoreApplication::translate("PackagePaths", "Please Choose Another Destination Folder");
}

QString WalkStartOf(const QString& Folder) {
    return Folder.endsWith(QLatin1Char('/')) ? Folder : Folder + QLatin1Char('/');
}

} // namespace PackagePaths
