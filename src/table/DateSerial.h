// A workbook's date serials and the system's date-time values. The system
// counts days from 1899-12-30 (the fraction the time of day). A workbook of
// the 1900 date system counts from the same day, except that it holds a
// 29 February 1900 that never was: its serials below 60 are one day short.
// A workbook of the 1904 system counts from 1904-01-01, 1462 days later.
#pragma once

namespace table {

// The system's date-time value of a workbook's serial.
inline double dateOfSerial(double serial, bool dateSystem1904)
{
    if (dateSystem1904)
        return serial + 1462.0;
    return serial >= 0.0 && serial < 60.0 ? serial + 1.0 : serial;
}

// The workbook's serial for a system date-time value: dateOfSerial run backwards.
inline double serialOfDate(double value, bool dateSystem1904)
{
    if (dateSystem1904)
        return value - 1462.0;
    return value >= 1.0 && value < 61.0 ? value - 1.0 : value;
}

} // namespace table
