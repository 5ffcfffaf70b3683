#include "TimeText.h"

#include <cstdio>
#include <ctime>

namespace plovermeta {

namespace {

// Reads exactly `count` digits at `pos`.
bool Digits(const std::string& text, size_t pos, size_t count, int& value) {
  if (pos + count > text.size()) return false;
  value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// The proleptic Gregorian date of a day count since 1970-01-01.
void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

struct Civil {
  int64_t year;
  unsigned month, day, hour, minute, second, milli;
};

Civil CivilFromEpochMs(int64_t ms) {
  int64_t days = ms / 86400000;
  int64_t rest = ms % 86400000;
  if (rest < 0) {
    rest += 86400000;
    --days;
  }
  Civil c{};
  CivilFromDays(days, c.year, c.month, c.day);
  c.hour = static_cast<unsigned>(rest / 3600000);
  c.minute = static_cast<unsigned>(rest / 60000 % 60);
  c.second = static_cast<unsigned>(rest / 1000 % 60);
  c.milli = static_cast<unsigned>(rest % 1000);
  return c;
}

// Local standard time's offset from UTC in seconds at the instant `epochS`:
// the UTC wall clock of that instant read back as local standard time.
int64_t StandardOffsetSeconds(int64_t epochS) {
  const Civil c = CivilFromEpochMs(epochS * 1000);
  std::tm tm{};
  tm.tm_year = static_cast<int>(c.year - 1900);
  tm.tm_mon = static_cast<int>(c.month) - 1;
  tm.tm_mday = static_cast<int>(c.day);
  tm.tm_hour = static_cast<int>(c.hour);
  tm.tm_min = static_cast<int>(c.minute);
  tm.tm_sec = static_cast<int>(c.second);
  tm.tm_isdst = 0;
  const std::time_t asLocal = std::mktime(&tm);
  if (asLocal == static_cast<std::time_t>(-1)) return 0;
  return epochS - static_cast<int64_t>(asLocal);
}

std::string Format(const char* pattern, const Civil& c) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, static_cast<long long>(c.year), c.month, c.day, c.hour, c.minute, c.second,
                c.milli);
  return text;
}

}  // namespace

std::optional<uint64_t> ParseLocalTime(const std::string& text) {
  // Columns: YYYY-MM-DD hh:mm:ss[.mmm]
  if (text.size() != 19 && text.size() != 23) return std::nullopt;
  int year, month, day, hour, minute, second, milli = 0;
  const bool dateSeparators = (text[4] == '-' && text[7] == '-') || (text[4] == '/' && text[7] == '/');
  if (!dateSeparators || (text[10] != ' ' && text[10] != 'T') || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  if (!Digits(text, 0, 4, year) || !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day) ||
      !Digits(text, 11, 2, hour) || !Digits(text, 14, 2, minute) || !Digits(text, 17, 2, second)) {
    return std::nullopt;
  }
  if (text.size() == 23 && (text[19] != '.' || !Digits(text, 20, 3, milli))) return std::nullopt;
  if (month < 1 || month > 12 || day < 1 || hour > 23 || minute > 59 || second > 59) return std::nullopt;
  static const int kDaysInMonth[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  if (day > kDaysInMonth[month - 1] || (month == 2 && day == 29 && !leap)) return std::nullopt;
  if (year < 1970) return std::nullopt;

  // Read as the library reads document times: local time taken as standard
  // time.
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = 0;
  const std::time_t utc = std::mktime(&tm);
  if (utc == static_cast<std::time_t>(-1) || utc < 0) return std::nullopt;
  return static_cast<uint64_t>(utc) * 1000 + static_cast<uint64_t>(milli);
}

std::optional<uint64_t> ParsePlayTime(const std::string& text) {
  const size_t firstColon = text.find(':');
  if (firstColon == std::string::npos || firstColon < 1 || firstColon > 3) return std::nullopt;
  int hours, minutes, seconds, milli = 0;
  if (!Digits(text, 0, firstColon, hours) || !Digits(text, firstColon + 1, 2, minutes) ||
      text.size() < firstColon + 6 || text[firstColon + 3] != ':' || !Digits(text, firstColon + 4, 2, seconds)) {
    return std::nullopt;
  }
  const size_t end = firstColon + 6;
  if (text.size() != end) {
    if (text.size() != end + 4 || (text[end] != '.' && text[end] != ',') || !Digits(text, end + 1, 3, milli)) {
      return std::nullopt;
    }
  }
  if (minutes > 59 || seconds > 59) return std::nullopt;
  return ((static_cast<uint64_t>(hours) * 60 + static_cast<uint64_t>(minutes)) * 60 + static_cast<uint64_t>(seconds)) *
             1000 +
         static_cast<uint64_t>(milli);
}

std::string FormatUtc(uint64_t epochMs) {
  return Format("%04lld-%02u-%02uT%02u:%02u:%02u.%03uZ", CivilFromEpochMs(static_cast<int64_t>(epochMs)));
}

std::string FormatLocal(uint64_t epochMs) {
  const auto ms = static_cast<int64_t>(epochMs);
  const int64_t offset = StandardOffsetSeconds(ms / 1000);
  std::string text = Format("%04lld-%02u-%02u %02u:%02u:%02u.%03u", CivilFromEpochMs(ms + offset * 1000));
  const int64_t magnitude = offset < 0 ? -offset : offset;
  char zone[32];
  std::snprintf(zone, sizeof zone, " UTC%c%02d:%02d", offset < 0 ? '-' : '+', static_cast<int>(magnitude / 3600),
                static_cast<int>(magnitude / 60 % 60));
  return text + zone;
}

std::string FormatPlayTime(uint64_t ms, bool comma) {
  char text[48];
  std::snprintf(text, sizeof text, "%02llu:%02u:%02u%c%03u", static_cast<unsigned long long>(ms / 3600000),
                static_cast<unsigned>(ms / 60000 % 60), static_cast<unsigned>(ms / 1000 % 60), comma ? ',' : '.',
                static_cast<unsigned>(ms % 1000));
  return text;
}

std::string FormatDuration(uint64_t ms) {
  const uint64_t seconds = ms / 1000;
  char text[64];
  if (seconds == 0) {
    std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000.0);
  } else if (seconds < 60) {
    std::snprintf(text, sizeof text, "%llu s", static_cast<unsigned long long>(seconds));
  } else if (seconds < 3600) {
    std::snprintf(text, sizeof text, "%llu min %llu s", static_cast<unsigned long long>(seconds / 60),
                  static_cast<unsigned long long>(seconds % 60));
  } else {
    std::snprintf(text, sizeof text, "%llu h %llu min %llu s", static_cast<unsigned long long>(seconds / 3600),
                  static_cast<unsigned long long>(seconds / 60 % 60), static_cast<unsigned long long>(seconds % 60));
  }
  return text;
}

}  // namespace plovermeta
