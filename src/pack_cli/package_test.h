#pragma once

#include "pack_cli/pack_options.h"
#include "pack_cli/pack_report.h"
#include "packing/exclusions.h"

// vendrel-pack --test: reads Options.Package as an installer would, checks its names by the
// packing rules and its kind's naming, compares it with Options.ProjectFolder when given, and
// prints a line per problem and a closing line. Returns the exit code: 0 intact (and
// matching), 6 damaged, unsafe or different, 5 unreadable or no zip, 4 when the project
// folder cannot be walked as a pack walks it. The folder's .vendrelignore and Patterns (the
// --exclude options) leave out of the comparison what a pack with them leaves out.
[[nodiscard]] int TestPackage(const PackOptions& Options, const ConsoleStreams& Streams,
                              const Exclusions& Patterns = {});
