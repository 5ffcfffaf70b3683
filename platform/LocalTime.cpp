#include "platform/LocalTime.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string>

namespace plover::platform {
namespace {

// 3000-12-31 23:59:59 UTC.
constexpr int64_t kLastSecond = 32535215999LL;

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar
// (month 1-12), and back.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * mp + 2) / 5 + 1;
  month = mp < 10 ? mp + 3 : mp - 9;
  year = yearOfEra + era * 400 + (month <= 2);
}

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

// Folds out-of-range members into their neighbours (second 60 into the next
// minute, hour 24 into the next day, month 12 into the next year), exactly
// as the C library's conversion does, but in 64-bit arithmetic.
LocalTime Normalise(const LocalTime& t) {
  const int64_t months = static_cast<int64_t>(t.year) * 12 + t.month;
  const int64_t year = FloorDiv(months, 12) + 1900;
  const int64_t month = months - FloorDiv(months, 12) * 12 + 1;
  const int64_t seconds = (DaysFromCivil(year, month, 1) + t.day - 1) * 86400 + static_cast<int64_t>(t.hour) * 3600 +
                          static_cast<int64_t>(t.minute) * 60 + t.second;
  const int64_t days = FloorDiv(seconds, 86400);
  const int64_t inDay = seconds - days * 86400;
  int64_t y = 0, m = 0, d = 0;
  CivilFromDays(days, y, m, d);
  LocalTime n;
  // Years far outside the limits fail anyway; kept from overflowing int.
  n.year = static_cast<int>(std::min<int64_t>(std::max<int64_t>(y, 0), 100000) - 1900);
  n.month = static_cast<int>(m - 1);
  n.day = static_cast<int>(d);
  n.hour = static_cast<int>(inDay / 3600);
  n.minute = static_cast<int>(inDay / 60 % 60);
  n.second = static_cast<int>(inDay % 60);
  return n;
}

#if defined(_WIN32)
// _mktime64 refuses local years (after folding the month) before 1970 and
// after 3000, although such a local time may lie inside the limits in UTC.
// Its standard-time conversion adds one fixed bias, and the calendar repeats
// every 400 years, so those years are converted 400 years nearer and shifted
// back.
constexpr int kShiftYears = 400;
constexpr int64_t kShiftSeconds = 146097LL * 86400;

int64_t PlatformConvert(std::tm& tm) {
  int64_t shift = 0;
  if (tm.tm_year < 71) {
    tm.tm_year += kShiftYears;
    shift = -kShiftSeconds;
  } else if (tm.tm_year > 1099) {
    tm.tm_year -= kShiftYears;
    shift = kShiftSeconds;
  }
  const int64_t seconds = _mktime64(&tm);
  return seconds == -1 ? -1 : seconds + shift;
}
#else
int64_t PlatformConvert(std::tm& tm) { return static_cast<int64_t>(std::mktime(&tm)); }
#endif

// The limits are judged on the UTC result, after normalisation: a local time
// late on 1969-12-31 west of UTC, or early on 3001-01-01 east of it, may lie
// inside them.  No zone is a day or more away from UTC, so local years
// before 1969 or after 3001 cannot.
int64_t Convert(const LocalTime& raw) {
  const LocalTime t = Normalise(raw);
  if (t.year < 69 || t.year > 1101) return -1;
  std::tm tm{};
  tm.tm_year = t.year;
  tm.tm_mon = t.month;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = 0;
  const int64_t seconds = PlatformConvert(tm);
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
