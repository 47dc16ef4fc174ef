// Windows has no file-size limit that ends a process: a write that does not
// fit fails with its error, which is all the POSIX half arranges.
#include "common/FileSizeLimit.h"

namespace common {

void letFileSizeLimitFailWrites() {}

} // namespace common
