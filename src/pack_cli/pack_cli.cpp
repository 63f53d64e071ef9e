#include "pack_cli/pack_cli.h"

#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_check.h"
#include "pack_cli/pack_destination.h"
#include "pack_cli/pack_exclusions.h"
#include "pack_cli/pack_options.h"
#include "pack_cli/pack_report.h"
#include "pack_cli/pack_run.h"
#include "pack_cli/package_test.h"

#include <QCoreApplication>

namespace {

int usageError(const ConsoleStreams& Streams, const QString& Error) {
    //: Second line of every usage error of vendrel-pack; keep the command as it is.
    const QString hint =
        QCoreApplication::translate("PackCli", "Try 'vendrel-pack --help' for more information.");
    const QString text = QStringLiteral("vendrel-pack: %1\n%2\n").arg(Printable(Error), hint);
    std::fputs(text.toUtf8().constData(), Streams.Err);
    return ExitCode::Usage;
}

int show(const ConsoleStreams& Streams, const QString& Text) {
    std::fputs(Text.toUtf8().constData(), Streams.Out);
    std::fflush(Streams.Out);
    return ExitCode::Success;
}

} // namespace

int RunPackCli(const QStringList& Args, const ConsoleStreams& Streams) {
    PackOptions options;
    QString error;
    if (!ParseOptions(Args, options, error))
        return usageError(Streams, error);
    switch (options.Action) {
    case PackAction::Help:
        return show(Streams, HelpText());
    case PackAction::Version:
        return show(Streams, VersionText());
    case PackAction::ListKinds:
        return show(Streams, KindsText());
    case PackAction::Check:
    case PackAction::Test:
    case PackAction::Pack:
        break;
    }
    // The patterns typed are checked before anything else is looked at.
    Exclusions patterns;
    if (AddOptionExclusions(options, patterns, error) != ExitCode::Success)
        return usageError(Streams, error);
    if (options.Action == PackAction::Check)
        return PackCheck(options, Streams, patterns).Run();
    if (options.Action == PackAction::Test)
        return TestPackage(options, Streams, patterns);
    PackReport report(Streams, options.Quiet);
    PackDestination destination;
    const int refused = ResolveDestination(options, destination, error);
    if (refused != ExitCode::Success) {
        report.Error(error);
        return refused;
    }
    const int unread = AddIgnoreFile(destination.ProjectFolder, patterns, error);
    if (unread != ExitCode::Success) {
        report.Error(error);
        return unread;
    }
    // The pack goes on without a line it cannot use, as the window does, but says so.
    for (const Exclusions::BadLine& bad : patterns.BadLines())
        report.Error(IgnoredLineText(bad));
    PackRun run(destination, KindOf(options.Kind), report);
    run.Exclude(patterns);
    run.SetLevel(options.Level);
    run.SetEntryTime(options.Date);
    return run.Run();
}
