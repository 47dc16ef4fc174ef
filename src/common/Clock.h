// The current year, which places two-digit years and dates typed without a
// year. The application reads the local clock once, in its context
// (app::AppContext, cli::CliContext), and hands the year to the core;
// nothing in the core reads the clock. Tests pin it.
#pragma once

#include <functional>

namespace common {

// The local clock's year (platform implementation).
int currentLocalYear();

// How a long-lived part of the core (the workbook connection) asks for the
// year each time it needs one.
using CurrentYear = std::function<int()>;

inline CurrentYear fixedYear(int year)
{
    return [year] { return year; };
}

} // namespace common
