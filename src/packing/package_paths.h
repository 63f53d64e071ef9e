#pragma once

#include <QString>

// The rules that turn the paths a user gives into the paths a run reads and writes, shared by
// the window and vendrel-pack.
namespace PackagePaths {

// OutputPath with Extension appended when the path carries no extension of its own.
QString WithDefaultExtension(const QString& OutputPath, const QString& Extension);
// The folder of an output file: the path cut before its last "/" ("" for the root).
QString FolderOfOutput(const QString& OutputPath);
// True when an output file in DestinationFolder ("" for the root) would lie directly in the
// project folder, which is refused: the same path, or another path (a link, a second mount)
// to the same folder.
bool DestinationIsProject(const QString& DestinationFolder, const QString& ProjectFolder);
// The warning shown when the destination is the project folder (two lines, "\r\n").
QString ProjectFolderWarningText();
// The path a walk of Folder starts from: Folder followed by "/" (the root already ends in one).
QString WalkStartOf(const QString& Folder);

} // namespace PackagePaths
