// Calendar arithmetic on the proleptic Gregorian calendar, without the C
// library's time functions.
#ifndef PLOVER_RECORDING_CIVIL_H
#define PLOVER_RECORDING_CIVIL_H

#include <cstdint>

namespace plover {

struct Civil {
  int64_t year = 1970;
  int month = 1, day = 1, hour = 0, minute = 0, second = 0, milli = 0;
};

// Days since 1970-01-01 of a date (month 1 to 12).
int64_t DaysFromCivil(int64_t year, int month, int day);
// A count of milliseconds since 1970-01-01 00:00:00 as a calendar time.
Civil CivilFromMs(int64_t ms);
// The other way round.
int64_t MsFromCivil(const Civil& c);
bool IsLeapYear(int64_t year);
int DaysInMonth(int64_t year, int month);

}  // namespace plover

#endif
