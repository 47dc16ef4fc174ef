#include "common/Terminal.h"

#include <unistd.h>

namespace common {

bool standardErrorIsTerminal()
{
    return ::isatty(STDERR_FILENO) == 1;
}

} // namespace common
