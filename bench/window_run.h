#pragma once

#include "figures.h"

#include <QString>

// Packs Folder into the archive OutputPath the way a user of the window does: an offscreen
// Form1 over a BenchPlatform, "Browse" answered with Folder, "Generate DZT File" pressed, and
// the run left to the window's event loop and the Zipper's 16 ms timer. Measures the run
// with a StepProbe and the process's resident memory against the idle window's.
// TimerType "precise" or "coarse" switches the window's timer to that type first, as an
// experiment; "" leaves it as the program has it.
WindowFigures PackThroughWindow(const QString& Folder, const QString& OutputPath,
                                const QString& TimerType);

// The child process that packs one tree: "vendrel-bench --window-run FOLDER OUTPUT [TIMER]".
// Prints
// the figures as one line of JSON; exit code 0 when the run ended in "Success".
int WindowRunMain(int argc, char** argv);

struct Tree;

// Runs PackThroughWindow in a child process, a fresh one per tree so that the idle window's
// memory is that of a newly started window, and reads back its figures. Error is set when
// the child printed no figures.
WindowFigures RunWindowChild(const Tree& Tree, const QString& ArchivePath, const QString& TimerType,
                             QString& Error);
