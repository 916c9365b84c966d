// Dates as the stored formats and the journal keep them: days since 1899-12-30, 0 = never.
#pragma once

#include <ctime>
#include <string>

namespace fsc {

using TDateTime = double;

// Local calendar date and time to a TDateTime (no range checks beyond the calendar's).
TDateTime EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                         int millisecond = 0);
struct TDateTimeParts {
    int Year, Month, Day, Hour, Minute, Second, Millisecond;
};
TDateTimeParts DecodeDateTime(TDateTime value);

// Seconds since the Unix epoch, seen in the local time zone as file dates are shown.
TDateTime UnixTimeToDateTime(std::time_t seconds, long nanoseconds = 0);
// The current local date and time; code that must be testable asks an IClock instead.
TDateTime SystemNow();

// The date in the system's short date format (the user's LC_TIME locale).
std::string ShortDateString(TDateTime value);
// "2026-12-07 14:30": the same in every locale, and sorted as text it is sorted by time.
std::string IsoDateTimeString(TDateTime value);

}  // namespace fsc
