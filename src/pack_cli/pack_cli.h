#pragma once

#include "pack_cli/pack_report.h"

#include <QStringList>

// Runs vendrel-pack with Args (the arguments after the program name), writing to Streams;
// returns the exit status (see exit_codes.h).
int RunPackCli(const QStringList& Args, const ConsoleStreams& Streams);
