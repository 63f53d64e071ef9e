#pragma once

#include "figures.h"
#include "paired_ratios.h"
#include "trees.h"

#include <QList>
#include <QString>
#include <QTextStream>

// Everything measured on one tree.
struct TreeResult {
    ::Tree Tree;
    WindowFigures Window;
    QString WindowError;            // the window run gave no figures
    QString WindowCheck;            // what `unzip -t` said of the window's archive (with --verify)
    QList<CommandFigures> Commands; // medians over the rounds
    bool WindowRan = true;          // false with --no-window
    int Rounds = 1;                 // rounds of the command-line packers
    QList<PairedRatio> Ratios;
};

// The targets the window's run is held to.
namespace Targets {
constexpr double WallOverFloor = 1.05;
constexpr double LongestStepMs = SlowStepMs;
constexpr double ResidentAboveIdleMiB = 8;
// The tree whose run the memory target applies to (the one 1 GiB file).
inline const QString MemoryTree = QStringLiteral("huge");
} // namespace Targets

// The machine and the software the figures were taken on.
void PrintMachine(QTextStream& Out);
// The figures of one tree, as soon as they are known.
void PrintTree(QTextStream& Out, const TreeResult& Result);
// One table of every tree, and which targets were met. Returns the number missed.
int PrintSummary(QTextStream& Out, const QList<TreeResult>& Results);
