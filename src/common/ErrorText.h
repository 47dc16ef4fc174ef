// The text rule of the default error box.
#pragma once

#include <string>

namespace common {

// The message with "." appended when it is not empty and its last character
// is greater than "." (byte-wise; a double-byte last character always is).
std::string errorBoxText(const std::string& message);

} // namespace common
