#include "Terminal.h"

#include <unistd.h>

bool IsTerminal(std::FILE* stream) {
    return stream != nullptr && ::isatty(::fileno(stream)) == 1;
}
