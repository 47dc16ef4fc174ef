#include "common/ErrorText.h"

namespace common {

std::string errorBoxText(const std::string& message)
{
    // Every trail byte of a double-byte character (and every UTF-8
    // continuation byte) is above ".", so testing the last byte is the same
    // as comparing the whole last character with ".".
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

} // namespace common
