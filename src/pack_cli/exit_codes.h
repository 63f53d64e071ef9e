#pragma once

// What vendrel-pack's exit status means; scripts rely on these numbers.
namespace ExitCode {

constexpr int Success = 0;
// The command line is wrong: unknown option, missing or unknown kind, wrong argument count.
constexpr int Usage = 2;
// The destination was refused: it is the project folder, it exists and --overwrite was not
// given, it is a folder or a special file, or its folder does not exist.
constexpr int Refused = 3;
// The project folder cannot be packed: it is missing, a folder in it cannot be listed or
// holds too many entries, a name cannot go into a package, or it holds too many files.
constexpr int WalkFailed = 4;
// A file could not be read, or the package could not be written or put in place; for --test,
// the package cannot be read at all (missing, unreadable, or no zip archive).
constexpr int IoFailed = 5;
// vendrel-pack --test: the package is damaged, holds a name that is unsafe to unpack or does
// not follow its kind's naming, or differs from the project folder it was compared with.
constexpr int PackageFaulty = 6;
// Stopped by Ctrl-C (SIGINT), SIGTERM or SIGHUP; nothing was written.
constexpr int Interrupted = 130;

} // namespace ExitCode
