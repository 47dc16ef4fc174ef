// What the POSIX implementations share about failed system calls. Only the
// files of this folder include it.
#pragma once

#include "common/Error.h"

#include <string>

namespace common::posix {

// The Windows code for an errno value of a failed call on `path` (the path is
// needed to tell a missing file, 2, from a missing folder on its way, 3).
int windowsCodeFromErrno(int errnoValue, const std::string& path);

// The system's description of an errno value, without the trailing spaces,
// line breaks and periods that would clash with a message around it.
std::string systemErrorText(int errnoValue);

// The I/O error of a call on `path` that failed with `errnoValue`: the
// Windows code and the system's text.
Error errnoError(int errnoValue, const std::string& path);

} // namespace common::posix
