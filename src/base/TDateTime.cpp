// Conversions between calendar dates, file times and TDateTime.
#include "base/TDateTime.h"

#include <locale.h>

#include <chrono>
#include <clocale>
#include <cmath>
#include <cstdio>

namespace fsc {

namespace {

using namespace std::chrono;

constexpr sys_days Epoch = sys_days{year{1899} / December / 30};
constexpr double MillisecondsPerDay = 86400000.0;

}  // namespace

TDateTime EncodeDateTime(int y, int m, int d, int hour, int minute, int second, int ms) {
    const sys_days date = sys_days{year{y} / month{unsigned(m)} / day{unsigned(d)}};
    const double days = double((date - Epoch).count());
    const double dayMs = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + ms;
    // Before the epoch the time of day still counts forwards from midnight.
    return days >= 0 ? days + dayMs / MillisecondsPerDay : days - dayMs / MillisecondsPerDay;
}

TDateTimeParts DecodeDateTime(TDateTime value) {
    const double whole = std::trunc(value);
    long long ms = std::llround(std::fabs(value - whole) * MillisecondsPerDay);
    long long dayCount = static_cast<long long>(whole);
    if (ms >= 86400000LL) {
        ms -= 86400000LL;
        dayCount += value >= 0 ? 1 : -1;
    }
    const year_month_day ymd{Epoch + days{dayCount}};
    return {int(ymd.year()),   int(unsigned(ymd.month())), int(unsigned(ymd.day())),
            int(ms / 3600000), int(ms / 60000 % 60),       int(ms / 1000 % 60),
            int(ms % 1000)};
}

TDateTime UnixTimeToDateTime(std::time_t seconds, long nanoseconds) {
    std::tm local{};
    localtime_r(&seconds, &local);
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec, int(nanoseconds / 1000000));
}

TDateTime SystemNow() {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return UnixTimeToDateTime(now.tv_sec, now.tv_nsec);
}

std::string ShortDateString(TDateTime value) {
    const TDateTimeParts parts = DecodeDateTime(value);
    std::tm tm{};
    tm.tm_year = parts.Year - 1900;
    tm.tm_mon = parts.Month - 1;
    tm.tm_mday = parts.Day;
    locale_t userLocale = newlocale(LC_TIME_MASK, "", nullptr);
    if (userLocale == nullptr) userLocale = newlocale(LC_TIME_MASK, "C", nullptr);
    char buffer[64] = {};
    const std::size_t n = strftime_l(buffer, sizeof buffer, "%x", &tm, userLocale);
    freelocale(userLocale);
    return std::string(buffer, n);
}

std::string IsoDateTimeString(TDateTime value) {
    const TDateTimeParts parts = DecodeDateTime(value);
    char buffer[32] = {};
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", parts.Year, parts.Month,
                  parts.Day, parts.Hour, parts.Minute);
    return buffer;
}

}  // namespace fsc
