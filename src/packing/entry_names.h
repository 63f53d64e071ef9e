#pragma once

#include <QString>

// Why a name cannot be one folder or file name inside a package, or None when it can.
enum class NameFault {
    None,
    Empty,
    Backslash,     // "\" separates folders inside a package
    Colon,         // ":" names a drive or a stream
    Reserved,      // one of < > " | ? *
    Control,       // a control character (U+0001-U+001F)
    TrailingDot,   // dropped where the package is installed
    TrailingSpace, // the same
    Device,        // CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9
};

// A name's fault with the character or device name it concerns.
struct NameCheck {
    NameFault Fault = NameFault::None;
    QChar Character; // for Backslash, Colon, Reserved and Control: the first such character
    QString Device;  // for Device: the device's name in capitals
};

// Checks Name as one folder or file name inside a package. Packages are installed on
// desktops whose paths use "\" and drive letters, so a name is refused when it holds "\"
// (it would split into folders there, or climb out with "..\"), ":" (a drive such as "C:",
// or a hidden stream of another file), any of < > " | ? *, or a control character; when it
// ends in "." or " " (dropped there, so two names would meet as one); and when it is a
// device name (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, in any case, with or without an
// extension).
NameCheck CheckEntryName(const QString& Name);

// True when Name can be one folder or file name inside a package (CheckEntryName finds no
// fault).
bool IsPortableEntryName(const QString& Name);

// Why a name with the fault Check cannot go into a package, in words for the template's author.
QString NameFaultText(const NameCheck& Check);
