#pragma once

#include <QString>

#include <array>
#include <cstddef>

// How the names inside a package are formed from a file's path below the project folder.
enum class ArchiveNaming {
    FolderNamed, // project folder name, "\", relative path, file name
    Relative,    // relative path, file name
    DotRelative, // ".\", relative path, file name
};

enum class KindCode { DZEP, DZT, DZTR, DZS, DZM, DZP };

// One of the six template package kinds: its window controls and its file side.
struct TemplateKind {
    KindCode Code;
    const char* CodeText;
    const char* Button;
    const char* ButtonCaption;
    const char* Frame;
    const char* FrameCaption;
    const char* FilterDescription;
    const char* FilterPattern;
    const char* Extension;
    const char* InitialFolder;
    ArchiveNaming Naming;
};

// The six kinds, in the fixed order in which the window always sets their buttons.
const std::array<TemplateKind, 6>& TemplateKinds();

// The row of one kind.
const TemplateKind& KindOf(KindCode Code);

// A caption or file-type description of the table in the user's language.
QString KindText(const char* Text);
