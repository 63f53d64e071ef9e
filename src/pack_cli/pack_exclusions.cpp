#include "pack_cli/pack_exclusions.h"

#include "pack_cli/exit_codes.h"
#include "packing/package_paths.h"

#include <QCoreApplication>

#include <cerrno>

namespace {

QString quoted(const QString& Path) {
    return QLatin1Char('"') + Path + QLatin1Char('"');
}

} // namespace

int AddOptionExclusions(const PackOptions& Options, Exclusions& Patterns, QString& Error) {
    // Checked when the options were read; Add refuses nothing here.
    for (const QString& pattern : Options.Excludes) {
        if (!Patterns.Add(pattern))
            return ExitCode::Usage;
    }
    for (const QString& file : Options.ExcludeFrom) {
        const qsizetype badBefore = Patterns.BadLines().size();
        int error = 0;
        switch (Patterns.AddFile(file, &error)) {
        case Exclusions::FileStatus::Missing:
            error = ENOENT;
            [[fallthrough]];
        case Exclusions::FileStatus::Failed:
            //: vendrel-pack error. --exclude-from is an option, never translated; %1 is the
            //: file given, %2 the system's reason.
            Error = QCoreApplication::translate("PackExclusions", "--exclude-from %1: %2")
                        .arg(quoted(file), qt_error_string(error));
            return ExitCode::Usage;
        case Exclusions::FileStatus::Read:
            break;
        }
        if (Patterns.BadLines().size() > badBefore) {
            const Exclusions::BadLine& bad = Patterns.BadLines().at(badBefore);
            //: vendrel-pack error. --exclude-from is an option, never translated; %1 is the
            //: file given, %2 a line number, %3 why the line cannot be used.
            Error = QCoreApplication::translate("PackExclusions", "--exclude-from %1 line %2: %3")
                        .arg(quoted(file), QString::number(bad.Line), bad.Reason);
            return ExitCode::Usage;
        }
    }
    return ExitCode::Success;
}

int AddIgnoreFile(const QString& ProjectFolder, Exclusions& Patterns, QString& Error) {
    int error = 0;
    if (Patterns.AddIgnoreFile(ProjectFolder, &error) != Exclusions::FileStatus::Failed)
        return ExitCode::Success;
    //: vendrel-pack error; %1 is the path of the project's .vendrelignore file, %2 the
    //: system's reason. Packing it without its patterns would pack what it leaves out.
    Error = QCoreApplication::translate("PackExclusions", "cannot read %1: %2")
                .arg(quoted(PackagePaths::WalkStartOf(ProjectFolder) + IgnoreFileName),
                     qt_error_string(error));
    return ExitCode::IoFailed;
}

QString IgnoredLineText(const Exclusions::BadLine& Bad) {
    //: vendrel-pack warning; %1 is the file's name (.vendrelignore), %2 a line number, %3 why
    //: the line cannot be used. The pack goes on without the line.
    return QCoreApplication::translate("PackExclusions", "%1 line %2: %3; the line is ignored")
        .arg(IgnoreFileName, QString::number(Bad.Line), Bad.Reason);
}
