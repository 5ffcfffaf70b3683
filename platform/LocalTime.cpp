#include "platform/LocalTime.h"

#include <ctime>

namespace plover::platform {
namespace {
// 3000-12-31 23:59:59 UTC.
constexpr int64_t kLastSecond = 32535215999LL;
}  // namespace

int64_t LocalTimeToEpoch(const LocalTime& t) {
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

void ReloadTimeZone() {
#if defined(_WIN32)
  _tzset();
#else
  tzset();
#endif
}

}  // namespace plover::platform
