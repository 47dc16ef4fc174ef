// A file-size limit (ulimit -f) met by a write: on POSIX the system sends
// SIGXFSZ, whose default action ends the process without a word. Both
// programs ignore it at start, so that the write fails instead and the
// running action ends with its I/O error, what was written before kept.
#pragma once

namespace common {

// Call once at the start of main(). Nothing to do where no such signal exists.
void letFileSizeLimitFailWrites();

} // namespace common
