#include "pack_cli/pack_check.h"

#include "os/interrupt.h"
#include "pack_cli/exit_codes.h"
#include "pack_cli/pack_destination.h"
#include "pack_cli/pack_exclusions.h"
#include "packing/pack_job.h"
#include "packing/template_kind.h"

#include <QCoreApplication>

namespace {

QString quoted(const QString& Path) {
    return QLatin1Char('"') + Path + QLatin1Char('"');
}

QString noteText(WalkNote Note, qsizetype Count) {
    const int n = int(Count);
    switch (Note) {
    case WalkNote::Hidden:
        //: vendrel-pack --check: a note, not a problem. %n is a count.
        return QCoreApplication::translate(
            "PackCheck", "Note: %n hidden entries (names that begin with \".\") left out", nullptr,
            n);
    case WalkNote::Special:
        //: vendrel-pack --check: a note, not a problem. %n is a count.
        return QCoreApplication::translate(
            "PackCheck", "Note: %n named pipes, sockets or devices skipped", nullptr, n);
    case WalkNote::LinkLoop:
        //: vendrel-pack --check: a note, not a problem. %n is a count of symbolic links that
        //: lead back to a folder the walk is in, which would make it endless.
        return QCoreApplication::translate(
            "PackCheck", "Note: %n links back into a folder being walked not followed", nullptr, n);
    case WalkNote::Excluded:
        //: vendrel-pack --check: a note, not a problem. %n is a count of files and folders
        //: that match a pattern of .vendrelignore, --exclude or --exclude-from (a folder
        //: counts once, with everything in it).
        return QCoreApplication::translate(
            "PackCheck", "Note: %n entries left out by exclusion patterns", nullptr, n);
    }
    return QString();
}

} // namespace

PackCheck::PackCheck(const PackOptions& Options, const ConsoleStreams& Streams,
                     const Exclusions& Patterns)
    : m_options(Options), m_streams(Streams), m_patterns(Patterns) {}

int PackCheck::Run() {
    QString projectFolder;
    QString error;
    const int found = ResolveProjectFolder(m_options.ProjectFolder, projectFolder, error);
    if (found != ExitCode::Success) {
        print(m_streams.Err, QStringLiteral("vendrel-pack: ") + error);
        return found;
    }
    const int unread = AddIgnoreFile(projectFolder, m_patterns, error);
    if (unread != ExitCode::Success) {
        print(m_streams.Err, QStringLiteral("vendrel-pack: ") + error);
        return unread;
    }
    // Without a kind, the walk is the Express Project one: the same files and names as every
    // kind, and the project folder's own name checked too, as only that kind needs it.
    const TemplateKind& kind = KindOf(m_options.KindGiven ? m_options.Kind : KindCode::DZEP);
    PackJob job(projectFolder, kind.Naming);
    job.Collect(this);
    job.Exclude(m_patterns);
    job.SetStopCheck([] { return Interrupt::Requested(); });
    // Each file is opened as the pack opens it, then closed: nothing is read.
    const PackJob::Outcome outcome = job.Walk([](ZipFile, SourceReader&) {});
    if (outcome == PackJob::Outcome::Stopped) {
        //: vendrel-pack --check after Ctrl-C.
        print(m_streams.Err, QStringLiteral("vendrel-pack: ") +
                                 QCoreApplication::translate("PackCheck", "Check canceled"));
        return ExitCode::Interrupted;
    }
    if (!m_options.Quiet) {
        printNotes();
        printSummary(projectFolder, job.FilesFound(), job.FilesTaken(), job.BytesTaken(),
                     job.Problems());
    }
    return outcome == PackJob::Outcome::Walked ? ExitCode::Success : ExitCode::WalkFailed;
}

void PackCheck::Problem(const WalkProblem& Found) {
    QString line = quoted(Found.Path) + QStringLiteral(": ") + Found.Reason;
    // Only the Express Project kind starts its entries with the project folder's name.
    if (Found.What == WalkProblem::Kind::ProjectName && !m_options.KindGiven)
        //: vendrel-pack --check, after a problem with the project folder's own name. DZEP is
        //: a kind code, never translated.
        line += QCoreApplication::translate(
            "PackCheck", " (only for DZEP packages, whose entries begin with the folder's name)");
    print(m_streams.Out, line);
}

void PackCheck::LeftOut(WalkNote Note, const QString& Path) {
    const auto index = std::size_t(Note);
    ++m_leftOut[index];
    if (m_options.Verbose)
        m_leftOutPaths[index] << Path;
}

void PackCheck::printNotes() {
    // A pack skips these lines without failing: notes, not problems.
    for (const Exclusions::BadLine& bad : m_patterns.BadLines())
        //: vendrel-pack --check: a note, not a problem; %1 says which line of .vendrelignore
        //: cannot be used and why, and that it is ignored.
        print(m_streams.Out,
              QCoreApplication::translate("PackCheck", "Note: %1").arg(IgnoredLineText(bad)));
    for (const WalkNote note :
         {WalkNote::Excluded, WalkNote::Hidden, WalkNote::Special, WalkNote::LinkLoop}) {
        const auto index = std::size_t(note);
        if (m_leftOut[index] == 0)
            continue;
        print(m_streams.Out, noteText(note, m_leftOut[index]));
        for (const QString& path : std::as_const(m_leftOutPaths[index]))
            print(m_streams.Out, QStringLiteral("  ") + quoted(path));
    }
}

void PackCheck::printSummary(const QString& projectFolder, qsizetype filesFound, qsizetype entries,
                             qint64 bytes, qsizetype problems) {
    //: vendrel-pack --check's closing line, part %2 below: %n is a count of files.
    const QString files =
        QCoreApplication::translate("PackCheck", "%n files found", nullptr, int(filesFound));
    //: vendrel-pack --check's closing line, part %3 below: %n is a count of entries.
    const QString held =
        QCoreApplication::translate("PackCheck", "%n entries", nullptr, int(entries));
    //: vendrel-pack --check's closing line, its end: the folder can be packed as it is.
    const QString ready = QCoreApplication::translate("PackCheck", "ready to pack");
    //: vendrel-pack --check's closing line, its end: %n is a count of problems.
    const QString notReady =
        QCoreApplication::translate("PackCheck", "%n problems", nullptr, int(problems));
    //: vendrel-pack --check's closing line. %1 is the project folder, %2 the files found,
    //: %3 the entries the package would hold, %4 their size, %5 "ready to pack" or the
    //: problems.
    const QString summary = QCoreApplication::translate(
        "PackCheck", "Checked %1: %2; the package would hold %3 (%4); %5");
    // One substitution for all, so that a "%" in the path is never taken for a placeholder.
    print(m_streams.Out,
          summary.arg(quoted(projectFolder), files, held, PackReport::HumanBytes(bytes),
                      problems == 0 ? ready : notReady));
}

void PackCheck::print(FILE* stream, const QString& text) {
    // Every line is one line: the names in it must neither break it nor drive the terminal.
    std::fputs((Printable(text) + QLatin1Char('\n')).toUtf8().constData(), stream);
    std::fflush(stream);
}
