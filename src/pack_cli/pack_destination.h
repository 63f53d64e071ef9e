#pragma once

#include "pack_cli/pack_options.h"

#include <QString>

// Where one pack reads and writes, once the window's destination rules have been applied.
struct PackDestination {
    QString ProjectFolder; // absolute, without "." or ".." components
    QString Output;        // absolute, with the kind's extension where the rule adds it
    bool Replaces = false; // an existing file at Output is to be replaced
};

// Applies the window's rules to the command line's paths, made absolute first: the kind's
// extension, and the refusal of an output directly in the project folder (also when another
// path leads to that folder). Also refuses a missing project or destination folder, an output
// that is a folder or a special file, and an existing output without --overwrite. Returns an
// exit code, 0 when Destination is ready, otherwise with Error saying why.
int ResolveDestination(const PackOptions& Options, PackDestination& Destination, QString& Error);

// Path made absolute as ProjectFolder; refuses it (WalkFailed, with Error saying why) when it
// is no folder. Returns an exit code, 0 when the folder is there.
int ResolveProjectFolder(const QString& Path, QString& ProjectFolder, QString& Error);

// Path made absolute against the working folder, "." and ".." components resolved by name.
QString AbsolutePath(const QString& Path);
