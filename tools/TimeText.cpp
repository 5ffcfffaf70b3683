#include "TimeText.h"

#include <cstdio>

#include "plover/TimeZone.h"

namespace plovermeta {

std::optional<uint64_t> ParseLocalTime(const std::string& text) {
  const std::optional<int64_t> written = plover::ParseWrittenTime(text);
  if (!written) return std::nullopt;
  const int64_t utc = plover::TimeZone::Machine().ToUtc(*written);
  if (utc < 0) return std::nullopt;
  return static_cast<uint64_t>(utc);
}

std::string FormatLocal(uint64_t epochMs) { return plover::TimeZone::Machine().Format(static_cast<int64_t>(epochMs)); }

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
