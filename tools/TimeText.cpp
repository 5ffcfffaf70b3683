#include "TimeText.h"

#include <cstdio>

#include "plover/Error.h"

namespace plovermeta {

namespace {

// Reads ".f" with 0 to 3 digits at `at` (nothing there is 0 ms); moves `at`
// past it.  False for a point followed by more than three digits.
bool ReadFraction(std::string_view text, size_t& at, int64_t& ms) {
  ms = 0;
  if (at >= text.size() || text[at] != '.') return true;
  int scale = 100;
  for (++at; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, scale /= 10) {
    if (scale == 0) return false;
    ms += (text[at] - '0') * scale;
  }
  return true;
}

}  // namespace

std::optional<int64_t> ParseClockTime(std::string_view text, const plover::TimeZone& zone) {
  if (text.size() < 19) return std::nullopt;
  const std::optional<int64_t> written = plover::ParseWrittenTime(text.substr(0, 19));
  size_t at = 19;
  int64_t ms = 0;
  if (!written || !ReadFraction(text, at, ms)) return std::nullopt;
  while (at < text.size() && text[at] == ' ') ++at;
  const std::string_view rule = text.substr(at);
  if (rule.empty()) return zone.ToUtc(*written + ms);
  if (rule == "UTC" || rule == "GMT") return *written + ms;
  // "UTC+01:00" as the tool prints it is an offset east of UTC, not a POSIX
  // rule (where "UTC+1" would lie west).
  std::string_view offset = rule;
  if ((rule.substr(0, 3) == "UTC" || rule.substr(0, 3) == "GMT") && rule.size() > 3 &&
      (rule[3] == '+' || rule[3] == '-')) {
    offset = rule.substr(3);
  }
  try {
    return plover::TimeZone::Parse(offset).ToUtc(*written + ms);
  } catch (const plover::Error&) {
    return std::nullopt;
  }
}

std::optional<uint64_t> ParsePlayTime(std::string_view text) {
  const size_t point = text.find('.');
  if (point == std::string_view::npos) return plover::ParsePlayTime(text);
  size_t at = point;
  int64_t ms = 0;
  if (!ReadFraction(text, at, ms) || at != text.size()) return std::nullopt;
  const std::optional<uint64_t> whole = plover::ParsePlayTime(text.substr(0, point));
  if (!whole) return std::nullopt;
  return *whole + static_cast<uint64_t>(ms);
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
