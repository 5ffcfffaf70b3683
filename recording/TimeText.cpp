#include "plover/TimeText.h"

#include <cstdio>

#include "recording/Civil.h"

namespace plover {

namespace {

// Reads exactly `count` digits at `pos`.
bool Digits(std::string_view text, size_t pos, size_t count, int& value) {
  if (pos + count > text.size()) return false;
  value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

// The digits at the columns of "YYYY?MM?DD?hh?mm?ss" and, with `withMillis`,
// "?mmm"; nothing when one is not a digit or the date is not valid.
std::optional<int64_t> ReadColumns(std::string_view text, bool withMillis) {
  Civil c;
  int year = 0;
  if (!Digits(text, 0, 4, year) || !Digits(text, 5, 2, c.month) || !Digits(text, 8, 2, c.day) ||
      !Digits(text, 11, 2, c.hour) || !Digits(text, 14, 2, c.minute) || !Digits(text, 17, 2, c.second)) {
    return std::nullopt;
  }
  if (withMillis && !Digits(text, 20, 3, c.milli)) return std::nullopt;
  c.year = year;
  if (year < 1970 || c.month < 1 || c.month > 12 || c.day < 1 || c.day > DaysInMonth(year, c.month) || c.hour > 23 ||
      c.minute > 59 || c.second > 59) {
    return std::nullopt;
  }
  return MsFromCivil(c);
}

std::string Format(const char* pattern, const Civil& c) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, static_cast<long long>(c.year), c.month, c.day, c.hour, c.minute, c.second,
                c.milli);
  return text;
}

}  // namespace

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int64_t year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int64_t DaysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto yoe = static_cast<unsigned>(year - era * 400);
  const unsigned doy =
      (153 * static_cast<unsigned>(month + (month > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(day) - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

Civil CivilFromMs(int64_t ms) {
  int64_t days = ms / 86400000;
  int64_t rest = ms % 86400000;
  if (rest < 0) {
    rest += 86400000;
    --days;
  }
  Civil c;
  int64_t z = days + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  c.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  c.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  c.year = static_cast<int64_t>(yoe) + era * 400 + (c.month <= 2);
  c.hour = static_cast<int>(rest / 3600000);
  c.minute = static_cast<int>(rest / 60000 % 60);
  c.second = static_cast<int>(rest / 1000 % 60);
  c.milli = static_cast<int>(rest % 1000);
  return c;
}

int64_t MsFromCivil(const Civil& c) {
  return ((DaysFromCivil(c.year, c.month, c.day) * 24 + c.hour) * 60 + c.minute) * 60000 +
         static_cast<int64_t>(c.second) * 1000 + c.milli;
}

std::optional<int64_t> ParseWrittenTime(std::string_view text) {
  if (text.size() != 19 && text.size() != 23) return std::nullopt;
  const bool dateSeparators = (text[4] == '-' && text[7] == '-') || (text[4] == '/' && text[7] == '/');
  if (!dateSeparators || (text[10] != ' ' && text[10] != 'T') || text[13] != ':' || text[16] != ':') {
    return std::nullopt;
  }
  if (text.size() == 23 && text[19] != '.') return std::nullopt;
  return ReadColumns(text, text.size() == 23);
}

std::optional<int64_t> ParseStampTime(std::string_view text) {
  if (text.size() >= 23) {
    if (auto ms = ReadColumns(text, true)) return ms;
  }
  if (text.size() >= 19) return ReadColumns(text, false);
  return std::nullopt;
}

std::string FormatWritten(int64_t writtenMs) {
  return Format("%04lld-%02d-%02d %02d:%02d:%02d.%03d", CivilFromMs(writtenMs));
}

std::string FormatUtc(int64_t utcMs) { return Format("%04lld-%02d-%02dT%02d:%02d:%02d.%03dZ", CivilFromMs(utcMs)); }

std::optional<uint64_t> ParsePlayTime(std::string_view text) {
  const size_t firstColon = text.find(':');
  if (firstColon == std::string_view::npos || firstColon < 1 || firstColon > 3) return std::nullopt;
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

std::string FormatPlayTime(uint64_t ms, bool comma) {
  char text[48];
  std::snprintf(text, sizeof text, "%02llu:%02u:%02u%c%03u", static_cast<unsigned long long>(ms / 3600000),
                static_cast<unsigned>(ms / 60000 % 60), static_cast<unsigned>(ms / 1000 % 60), comma ? ',' : '.',
                static_cast<unsigned>(ms % 1000));
  return text;
}

}  // namespace plover
