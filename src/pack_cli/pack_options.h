#pragma once

#include "packing/template_kind.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks for.
enum class PackAction { Pack, Check, Test, Help, Version, ListKinds };

struct PackOptions {
    PackAction Action = PackAction::Pack;
    KindCode Kind = KindCode::DZT;
    // --kind was given: a check without it checks for every kind, a test takes its naming.
    bool KindGiven = false;
    QString ProjectFolder;
    QString Output;
    QString Package; // --test: the package to read
    bool Quiet = false;
    bool Overwrite = false;
    bool Verbose = false; // --check lists the paths of what a pack leaves out
    // The compression level: -1 zlib's default (stretches deflate cannot shrink stored), 0
    // every entry stored, 1 to 9 deflate at that level.
    int Level = -1;
    // The instant every entry is stamped with (--date, else SOURCE_DATE_EPOCH), in seconds
    // since 1970 UTC; none stamps the time of the run.
    std::optional<qint64> Date;
    // --exclude patterns, each checked to be usable, and --exclude-from files, in the order
    // given; both add to the project's .vendrelignore.
    QStringList Excludes;
    QStringList ExcludeFrom;
};

// Reads the arguments that follow the program name, and for a pack SOURCE_DATE_EPOCH unless
// --date is given. False, with Error saying what is wrong, for a usage error. --help,
// --version and --list-kinds win over everything else but an unknown option or a bad value.
bool ParseOptions(const QStringList& Args, PackOptions& Options, QString& Error);

// The kind whose code is Text, in any case ("dzt", "DZT", "Dzt").
std::optional<KindCode> KindFromText(const QString& Text);

// Turns the raw program arguments (argv without the program name) into text. False, with
// Error naming the argument, when one is not valid UTF-8: it could not name its file again.
bool ArgumentsFromBytes(const QByteArrayList& Raw, QStringList& Args, QString& Error);

// The --help text.
QString HelpText();
// The --list-kinds text: one line per kind, code, extension, how entries are named, title.
QString KindsText();
// The --version text.
QString VersionText();
