#include "pack_cli/pack_destination.h"

#include "os/folder_listing.h"
#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_report.h"
#include "packing/package_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

using namespace FolderListing;

namespace {

Entry classify(const QString& Path) {
    return Classify(QFile::encodeName(Path.isEmpty() ? QStringLiteral("/") : Path));
}

QString isFolderText() {
    //: vendrel-pack error; %1 is the output path in quotes, which names a folder.
    return QCoreApplication::translate("PackDestination", "%1 is a folder");
}

int refuse(QString& Error, const QString& Text) {
    Error = Text;
    return ExitCode::Refused;
}

// What is at the output path now, and whether the run may replace it.
int checkExisting(const PackOptions& Options, PackDestination& Destination, QString& Error) {
    const Entry existing = classify(Destination.Output);
    // A link counts as there even when it leads nowhere: it is what would be replaced.
    const bool exists = existing.IsLink || (existing.Kind != EntryKind::Missing &&
                                            existing.Kind != EntryKind::Unreachable);
    if (!exists)
        return ExitCode::Success;
    const QString quoted = QLatin1Char('"') + Printable(Destination.Output) + QLatin1Char('"');
    if (existing.Kind == EntryKind::Folder)
        return refuse(Error, isFolderText().arg(quoted));
    // A link is replaced itself, as the window deletes it; devices and pipes never are.
    if (!existing.IsLink && existing.Kind == EntryKind::Special)
        //: vendrel-pack error; %1 is the output path in quotes (a device or a pipe).
        return refuse(Error,
                      QCoreApplication::translate("PackDestination", "%1 is not an ordinary file")
                          .arg(quoted));
    if (!Options.Overwrite)
        //: vendrel-pack error; %1 is the output path in quotes. --overwrite is an option,
        //: never translated.
        return refuse(
            Error, QCoreApplication::translate("PackDestination",
                                               "%1 already exists; use --overwrite to replace it")
                       .arg(quoted));
    Destination.Replaces = true;
    return ExitCode::Success;
}

} // namespace

QString AbsolutePath(const QString& Path) {
    return QDir::cleanPath(QDir::current().absoluteFilePath(Path));
}

int ResolveProjectFolder(const QString& Path, QString& ProjectFolder, QString& Error) {
    ProjectFolder = AbsolutePath(Path);
    if (classify(ProjectFolder).Kind == EntryKind::Folder)
        return ExitCode::Success;
    //: vendrel-pack error; %1 is the project folder's path.
    Error = QCoreApplication::translate("PackDestination", "Project folder not found: \"%1\"")
                .arg(Printable(ProjectFolder));
    return ExitCode::WalkFailed;
}

int ResolveDestination(const PackOptions& Options, PackDestination& Destination, QString& Error) {
    Destination = PackDestination();
    const int project =
        ResolveProjectFolder(Options.ProjectFolder, Destination.ProjectFolder, Error);
    if (project != ExitCode::Success)
        return project;
    // A path that ends in "/" names a folder, which cannot become a package.
    if (Options.Output.endsWith(QLatin1Char('/')))
        return refuse(Error, isFolderText().arg(QLatin1Char('"') + Printable(Options.Output) +
                                                QLatin1Char('"')));
    const TemplateKind& kind = KindOf(Options.Kind);
    Destination.Output = PackagePaths::WithDefaultExtension(AbsolutePath(Options.Output),
                                                            QString::fromLatin1(kind.Extension));
    const QString folder = PackagePaths::FolderOfOutput(Destination.Output);
    if (PackagePaths::DestinationIsProject(folder, Destination.ProjectFolder))
        return refuse(Error, PackagePaths::ProjectFolderWarningText().replace(
                                 QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (classify(folder).Kind != EntryKind::Folder)
        //: vendrel-pack error; %1 is the folder the package was to be written into.
        return refuse(Error, QCoreApplication::translate("PackDestination",
                                                         "Destination folder not found: \"%1\"")
                                 .arg(folder.isEmpty() ? QStringLiteral("/") : Printable(folder)));
    return checkExisting(Options, Destination, Error);
}
