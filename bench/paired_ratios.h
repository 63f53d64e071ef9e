#pragma once

#include "figures.h"

#include <QList>
#include <QString>

// One command's wall time over another's, taken round by round (both ran one after the other
// in the same round, so both met the same load) and summed up by the median.
struct PairedRatio {
    QString Name;      // "vendrel-pack / zip"
    double Median = 0; // median over the rounds where both succeeded
    double Low = 0;    // the lowest and highest ratio of a round
    double High = 0;
    int Pairs = 0;        // rounds where both succeeded
    double Target = 0;    // the most the ratio may be on this tree; 0 when it has none
    double OtherLoad = 0; // median load of the other processes during both, in cores
};

// The ratios the benchmark reports for Tree, from Rounds[round][command]; a ratio whose
// commands never both succeeded is left out.
QList<PairedRatio> PairedRatios(const QString& Tree, const QList<QList<CommandFigures>>& Rounds);

// One command's figures over its runs: the median wall time, CPU time and other load; the
// first failure's figures when a run failed.
CommandFigures MedianFigures(const QList<CommandFigures>& Runs);
