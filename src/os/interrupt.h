#pragma once

// A request to stop, from Ctrl-C or the system, noticed by the run at its next step so that
// it can remove its temporary file before it ends.
namespace Interrupt {

// Catches SIGINT, SIGTERM and SIGHUP as a stop request, and ignores SIGPIPE: a reader of
// the per-file lines that goes away must not kill a run halfway through its package.
void Install();
// True once a stop has been asked for.
bool Requested();

} // namespace Interrupt
