#include "orrery/platform/win32_local_time.h"

namespace orrery {

std::tm TmFromSystemTime(const SYSTEMTIME& parts)
{
    std::tm local = {};
    local.tm_year = parts.wYear - 1900;
    local.tm_mon = parts.wMonth - 1;
    local.tm_mday = parts.wDay;
    local.tm_hour = parts.wHour;
    local.tm_min = parts.wMinute;
    local.tm_sec = parts.wSecond;
    local.tm_wday = parts.wDayOfWeek;
    return local;
}

std::tm LocalTimeNow()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return TmFromSystemTime(now);
}

}  // namespace orrery
