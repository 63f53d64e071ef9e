#pragma once

#include "bench_options.h"
#include "figures.h"
#include "trees.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A command-line packer the window's run is compared with on every tree. It runs in the
// tree's folder and writes one archive.
struct CommandColumn {
    QString Name;              // heading in the report
    QString Program;           // absolute path; empty when the packer is not available
    QString Missing;           // why Program is empty
    QString ArchiveSuffix;     // extension of the archive it writes
    bool Reference = false;    // the window and the other packers are compared with this one
    bool WritesArchive = true; // false for the tree-reading floor, which writes nothing
    QString InputOf = {};      // reads the archive the column of this name wrote in the round
    bool KeepArchive = false;  // the archive stays for a later column of the round
    // Timed in this process instead of a program: true when it succeeded.
    std::function<bool(const QString& TreePath)> InProcess = {};
    std::function<void()> AfterClock = {}; // undoes what InProcess kept, once it is timed
    // The arguments that pack TreePath into ArchivePath (or read ArchivePath, with InputOf).
    std::function<QStringList(const QString& TreePath, const QString& ArchivePath)> Arguments = {};
};

// The packers compared with the window: `zip -r -6` when installed, and `vendrel-pack` when
// built with the bench or given; then both pinned to one core, the time
// to read the tree (`tar cf - . | cat`), `7z -tzip -mx=5` and `bsdtar --format zip` when
// installed. A new comparison is one more entry here.
QList<CommandColumn> CommandColumns(const BenchOptions& Options);

// With --features: vendrel-pack --check and its walk in this process against a pack's walk,
// --test against unzip -tq and 7z t on the package vendrel-pack wrote, --level 1 and 9
// against the default level, and zip -9.
QList<CommandColumn> FeatureColumns(const BenchOptions& Options);

// Where Column writes its archive of Tree in OutputFolder.
QString ArchivePath(const CommandColumn& Column, const Tree& Tree, const QString& OutputFolder);

// Runs Column on Tree, writing into OutputFolder, and times it from start to exit. With
// Verify the archive is tested with `unzip -tq`. The archive is removed afterwards.
CommandFigures RunCommand(const CommandColumn& Column, const Tree& Tree,
                          const QString& OutputFolder, bool Verify);

// What `unzip -tq` says of Archive: "unzip -t ok", "no unzip" when it is not installed, or
// the failure with unzip's own words.
QString VerifyArchive(const QString& Archive);
