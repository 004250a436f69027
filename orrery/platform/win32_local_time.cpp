#include "orrery/platform/win32_local_time.h"

#include "orrery/platform/calendar_time.h"

namespace orrery {

std::tm TmFromSystemTime(const SYSTEMTIME& parts)
{
    return CalendarTime(parts.wYear, parts.wMonth, parts.wDay, parts.wHour, parts.wMinute, parts.wSecond,
                        parts.wDayOfWeek);
}

std::tm LocalTimeNow()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return TmFromSystemTime(now);
}

}  // namespace orrery
