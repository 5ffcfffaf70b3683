#include "platform/LocalTime.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace plover::platform {
namespace {

// 3000-12-31 23:59:59 UTC.
constexpr int64_t kLastSecond = 32535215999LL;

// The year after the month is folded into it, as the Windows conversion
// checks it: local years before 1970 and after 3000 fail there even when the
// UTC result would lie inside the limits, and so they fail here too.
bool LocalYearInRange(const LocalTime& t) {
  const int64_t months = static_cast<int64_t>(t.year) * 12 + t.month;
  const int64_t year = (months >= 0 ? months : months - 11) / 12;
  return year >= 70 && year <= 1100;
}

int64_t Convert(const LocalTime& t) {
  if (!LocalYearInRange(t)) return -1;
  std::tm tm{};
  tm.tm_year = t.year;
  tm.tm_mon = t.month;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = 0;
#if defined(_WIN32)
  const int64_t seconds = _mktime64(&tm);
#else
  const int64_t seconds = static_cast<int64_t>(std::mktime(&tm));
#endif
  if (seconds < 0 || seconds > kLastSecond) return -1;
  return seconds;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int yearSince1900, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 1 && IsLeapYear(yearSince1900 + 1900) ? 29 : kDays[month];
}

// Consecutive samples mostly share their date and hour, and the conversion
// is costly (it may consult the zone files each time).  The start of the
// last hour converted is kept per thread and reused for times inside that
// same hour, when every member is already in range (no normalisation), the
// zone setting is unchanged and the hour has a constant offset: its first and
// last second converted 3599 seconds apart.  The result is then exactly what
// the conversion would give.
struct HourCache {
  bool valid = false;
  int year = 0, month = 0, day = 0, hour = 0;
  int64_t start = 0;
  bool hasZone = false;  // TZ was set (perhaps to an empty text)
  std::string zone;      // its value
};

thread_local HourCache cache;

// Whether the zone setting `tz` (null: TZ unset) is the cache's; compared in
// place, without a copy.
bool SameZone(const char* tz) { return tz ? cache.hasZone && cache.zone == tz : !cache.hasZone; }

}  // namespace

int64_t LocalTimeToEpoch(const LocalTime& t) {
  const bool inRange = t.month >= 0 && t.month < 12 && t.day >= 1 && t.day <= DaysInMonth(t.year, t.month) &&
                       t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 && t.second >= 0 && t.second < 60 &&
                       t.year > 69 && t.year < 1101;
  if (!inRange) return Convert(t);

  const char* tz = std::getenv("TZ");
  if (!(cache.valid && cache.year == t.year && cache.month == t.month && cache.day == t.day && cache.hour == t.hour &&
        SameZone(tz))) {
    LocalTime first = t;
    first.minute = first.second = 0;
    LocalTime last = t;
    last.minute = last.second = 59;
    const int64_t a = Convert(first);
    const int64_t b = Convert(last);
    if (a < 0 || b < 0 || b - a != 3599) {
      cache.valid = false;
      return Convert(t);
    }
    cache.valid = true;
    cache.year = t.year;
    cache.month = t.month;
    cache.day = t.day;
    cache.hour = t.hour;
    cache.start = a;
    cache.hasZone = tz != nullptr;
    cache.zone = tz ? tz : "";
  }
  return cache.start + t.minute * 60 + t.second;
}

void ReloadTimeZone() {
#if defined(_WIN32)
  _tzset();
#else
  tzset();
#endif
  cache.valid = false;
}

}  // namespace plover::platform
