#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// What one benchmark run does, from its command line.
struct BenchOptions {
    QStringList Trees;             // tree names, in the order they are packed
    QHash<QString, QString> Given; // tree name -> existing folder to pack instead
    QString TreeRoot;              // where trees are generated and kept ("" temporary)
    QString WorkFolder;            // where archives are written ("" temporary)
    bool Zip = true;               // compare with zip when it is installed
    QString PackProgram;           // the vendrel-pack executable ("" none)
    bool Verify = false;           // test every archive with `unzip -tq`
    bool Window = true;            // pack every tree through the window too
    int Runs = 1;                  // rounds of the command-line packers per tree
    bool Features = false;         // also time --check, --test and --level against their references
    QString Timer; // "precise" or "coarse": switch the window's timer first (experiment)
};

// Reads the benchmark's command line (Arguments[0] is the program); prints the help and
// exits for --help. False, with Error set, when the command line is wrong.
bool ParseOptions(const QStringList& Arguments, BenchOptions& Options, QString& Error);
