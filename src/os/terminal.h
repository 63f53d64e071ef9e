#pragma once

#include <cstdio>

// What the program needs to know about the terminal behind one of its streams.
namespace Terminal {

// True when Stream is connected to a terminal.
bool IsTerminal(FILE* Stream);
// The number of columns of the terminal behind Stream; 0 when it cannot be told.
int Columns(FILE* Stream);

} // namespace Terminal
