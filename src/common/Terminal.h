// Whether the program's output goes to a terminal (a person watching) or to
// a file or pipe.
#pragma once

namespace common {

bool standardErrorIsTerminal();

} // namespace common
