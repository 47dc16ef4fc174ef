#include "common/Terminal.h"

#include "common/platform/WinApi.h"

namespace common {

// A console answers GetConsoleMode; a file, a pipe or the NUL device does not.
bool standardErrorIsTerminal()
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
}

} // namespace common
