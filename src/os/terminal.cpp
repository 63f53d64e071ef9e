#include "os/terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace Terminal {

bool IsTerminal(FILE* stream) {
    return stream && ::isatty(::fileno(stream)) == 1;
}

int Columns(FILE* stream) {
    struct winsize size {};
    if (!stream || ::ioctl(::fileno(stream), TIOCGWINSZ, &size) != 0)
        return 0;
    return size.ws_col;
}

} // namespace Terminal
