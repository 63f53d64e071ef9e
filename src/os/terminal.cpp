#include "os/terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace Terminal {

bool IsTerminal(FILE* Stream) {
    return Stream && ::isatty(::fileno(Stream)) == 1;
}

int Columns(FILE* Stream) {
    struct winsize size {};
    if (!Stream || ::ioctl(::fileno(Stream), TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}

} // namespace Terminal
