// Message patterns: "%s" marks where a name or a reason goes.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace common {

// Fills each "%s" of `pattern` with the next argument; a "%s" left without
// an argument stays as it is.
std::string formatMessage(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace common
