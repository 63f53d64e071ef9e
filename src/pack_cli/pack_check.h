#pragma once

#include "pack_cli/pack_options.h"
#include "pack_cli/pack_report.h"
#include "packing/exclusions.h"
#include "packing/folder_walk.h"

#include <QString>
#include <QStringList>

#include <array>

// vendrel-pack --check: the walk a pack would make, with every file opened as the pack opens
// it, but collecting: each problem a pack would stop at gets a line of its own, in walk
// order, on standard output; then a note for each kind of entry a pack leaves out on
// purpose (with --verbose, their paths), the lines of the .vendrelignore a pack skips, and a
// closing line with the files, the entries the package would hold and whether it is ready
// to pack. Nothing is written.
class PackCheck : public WalkObserver {
  public:
    // Patterns are the --exclude options; the project's .vendrelignore is added to them.
    PackCheck(const PackOptions& Options, const ConsoleStreams& Streams,
              const Exclusions& Patterns = {});

    // Checks the project folder; returns the exit status a pack would end with for the walk:
    // 0 when it would go through, WalkFailed when it would be refused, Interrupted when
    // stopped.
    int Run();

    void Problem(const WalkProblem& Found) override;
    void LeftOut(WalkNote Note, const QString& Path) override;

  private:
    void printNotes();
    void printSummary(const QString& projectFolder, qsizetype filesFound, qsizetype entries,
                      qint64 bytes, qsizetype problems);
    void print(FILE* stream, const QString& text);

    PackOptions m_options;
    ConsoleStreams m_streams;
    Exclusions m_patterns;
    std::array<qsizetype, 4> m_leftOut{};
    std::array<QStringList, 4> m_leftOutPaths;
};
