// vendrel-pack: packs a template project folder into a package from the command line.
#include "os/interrupt.h"
#include "os/process_setup.h"
#include "os/translations.h"
#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_cli.h"
#include "pack_cli/pack_options.h"

#include <QByteArrayList>
#include <QCoreApplication>

int main(int argc, char** argv) {
    // Before anything opens a file: started with its standard streams closed, the program
    // would otherwise open its package as one of them and print its report into it.
    ProcessSetup::Start();
    // Before anything is written, so that a Ctrl-C always gets the chance to clean up.
    Interrupt::Install();
    // Reaching the file-size limit then fails the write like a full disk, which is reported
    // and cleaned up, instead of killing the program.
    ProcessSetup::IgnoreFileSizeSignal();
    // Before any thread starts: the deflate workers' blocks then come from one heap.
    ProcessSetup::ShareOneHeap();
    // Taken before the application object sees them, exactly as the system passed them.
    QByteArrayList raw;
    for (int i = 1; i < argc; ++i)
        raw << QByteArray(argv[i]);
    // The application object only carries the translation; English has one too, for its
    // plurals. No event loop runs.
    QCoreApplication app(argc, argv);
    Translations::Install();
    QStringList args;
    QString error;
    const ConsoleStreams streams = ConsoleStreams::Process();
    if (!ArgumentsFromBytes(raw, args, error)) {
        std::fprintf(streams.Err, "vendrel-pack: %s\n", Printable(error).toUtf8().constData());
        return ExitCode::Usage;
    }
    return RunPackCli(args, streams);
}
