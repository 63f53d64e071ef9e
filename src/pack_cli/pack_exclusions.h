#pragma once

#include "pack_cli/pack_options.h"
#include "packing/exclusions.h"

#include <QString>

// Adds the patterns of --exclude and of each --exclude-from file to Patterns. Returns an exit
// code: 0, or Usage with Error naming the file that cannot be read or the line that cannot be
// used (the user typed them: a pattern left unused would pack what they meant to leave out).
[[nodiscard]] int AddOptionExclusions(const PackOptions& Options, Exclusions& Patterns,
                                      QString& Error);

// Adds the patterns of ProjectFolder's .vendrelignore, when there is one, to Patterns. Returns
// an exit code: 0, or IoFailed with Error saying why the file cannot be read.
[[nodiscard]] int AddIgnoreFile(const QString& ProjectFolder, Exclusions& Patterns, QString& Error);

// The warning about a line of the .vendrelignore that cannot be used and is skipped:
// ".vendrelignore line N: REASON; the line is ignored".
QString IgnoredLineText(const Exclusions::BadLine& Bad);
