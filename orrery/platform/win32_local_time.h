// The machine's local time as the portable code takes it: a std::tm.
#pragma once

#include <windows.h>

#include <ctime>

namespace orrery {

// The fields of a SYSTEMTIME, to the second, with the day of the week.
std::tm TmFromSystemTime(const SYSTEMTIME& parts);

// The local time now.
std::tm LocalTimeNow();

}  // namespace orrery
