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
// after 3000-12-31 23:59:59 UTC.  Out-of-range members are normalised first,
// and the limits are judged on the UTC result alone, the same on every
// platform: west of UTC a local time late on 1969-12-31 converts, east of it
// one early on 3001-01-01 does.
//
// The zone is the process's: the conversion reads TZ (or the system zone)
// each time, so a thread that changes TZ while another converts races inside
// the C library.  Results are identical on every thread for one setting.
int64_t LocalTimeToEpoch(const LocalTime& t);

// Re-reads the time-zone setting (after a change of TZ).
void ReloadTimeZone();

}  // namespace plover::platform

#endif
