#pragma once

#include <QString>

// True when Name can be one folder or file name inside a package. Packages are installed on
// desktops whose paths use "\" and drive letters, so a name is refused when it holds "\"
// (it would split into folders there, or climb out with "..\"), ":" (a drive such as "C:",
// or a hidden stream of another file), any of < > " | ? *, or a control character; when it
// ends in "." or " " (dropped there, so two names would meet as one); and when it is a
// device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any case, with or without an
// extension).
bool IsPortableEntryName(const QString& Name);
