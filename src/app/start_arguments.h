#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The window program's command line, `vendrel [FOLDER]`, with --help and --version, which
// answer on the terminal instead of opening the window.
namespace StartArguments {

// What main does next.
enum class Outcome { OpenWindow, Exit };

// Answers --help and --version on standard output before anything needs a display: Exit,
// with the status in ExitStatus, when the command line asks for one of them.
Outcome AnswerOnTerminal(int& Argc, char** Argv, int& ExitStatus);

// Reads the arguments the application object left (Qt's own options taken out, the program
// first): OpenWindow, with the folder argument in Folder (none when none is given), or Exit
// after a usage error on standard error, with its status in ExitStatus.
Outcome ReadFolderArgument(const QStringList& Arguments, std::optional<QString>& Folder,
                           int& ExitStatus);

} // namespace StartArguments
