#pragma once

#include <cstdio>

// What the program needs to know about the terminal behind one of its streams.
namespace Terminal {

// True when stream is connected to a terminal.
bool IsTerminal(FILE* stream);
// The number of columns of the terminal behind stream; 0 when it cannot be told.
int Columns(FILE* stream);

} // namespace Terminal
