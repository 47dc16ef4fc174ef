// The local clock, for the current year of two-digit years.
#pragma once

namespace common {

int currentLocalYear();

} // namespace common
