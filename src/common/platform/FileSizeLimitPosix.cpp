#include "common/FileSizeLimit.h"

#include <csignal>

namespace common {

void letFileSizeLimitFailWrites()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace common
