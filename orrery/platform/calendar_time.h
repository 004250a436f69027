// A local time as std::tm from the calendar's own numbers: the in-memory
// machine's clock and the tests' fixed dates.
#pragma once

#include <ctime>

namespace orrery {

// year as written (2024), month 1 to 12, weekday 0 (Sunday) to 6.
inline std::tm CalendarTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                            int weekday = 0)
{
    std::tm time = {};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_wday = weekday;
    return time;
}

}  // namespace orrery
