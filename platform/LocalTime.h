// Local-time conversion shared by every reader of calendar texts.
#ifndef PLOVER_PLATFORM_LOCALTIME_H
#define PLOVER_PLATFORM_LOCALTIME_H

#include <cstdint>

namespace plover::platform {

// Broken-down local time, members as in struct tm (year since 1900, month
// 0-11).  Out-of-range members are normalised (month 12 rolls into the next
// year).  The time is taken as standard time: no daylight-saving shift.
struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Seconds since 1970-01-01 00:00:00 UTC for a local time of the machine's
// time zone (TZ), or -1 when the result lies before 1970-01-01 00:00:00 UTC or
// after 3000-12-31 23:59:59 UTC, or when the local year (with the month
// folded in) lies before 1970 or after 3000.  Windows' _mktime64 draws these
// limits; the POSIX build draws the same ones.
int64_t LocalTimeToEpoch(const LocalTime& t);

// Re-reads the time-zone setting (after a change of TZ).
void ReloadTimeZone();

}  // namespace plover::platform

#endif
