#include "plover/TimeZone.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "platform/LocalTime.h"
#include "plover/Error.h"
#include "plover/TimeText.h"
#include "recording/Civil.h"

namespace plover {

// Offsets in seconds east of UTC.  A zone from the zone database keeps the
// standard offset that starts at each transition, in time order.
struct TimeZone::Rules {
  enum class Kind { kFixed, kTable, kMachine } kind = Kind::kFixed;
  std::string name;
  int32_t offset = 0;            // kFixed; kTable: before the first transition
  std::vector<int64_t> starts;   // kTable: UTC seconds
  std::vector<int32_t> offsets;  // kTable: from starts[i] on
  std::optional<int32_t> later;  // kTable: after the last transition (the file's POSIX rule)
};

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n')) {
    text.remove_suffix(1);
  }
  return text;
}

// Two digits at `at`, or nothing.
std::optional<int> TwoDigits(std::string_view text, size_t at) {
  if (at + 2 > text.size() || !IsDigit(text[at]) || !IsDigit(text[at + 1])) return std::nullopt;
  return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// "h" or "hh", then ":mm" and ":ss", or with `packed` also "hhmm", at `pos`:
// seconds; moves `pos` past it.
std::optional<int32_t> ReadClock(std::string_view text, size_t& pos, bool packed) {
  size_t at = pos;
  int hours = 0;
  while (at < text.size() && at - pos < 2 && IsDigit(text[at])) hours = hours * 10 + (text[at++] - '0');
  if (at == pos) return std::nullopt;
  int minutes = 0, seconds = 0;
  if (packed && at - pos == 2 && TwoDigits(text, at)) {
    minutes = *TwoDigits(text, at);
    at += 2;
  } else if (at < text.size() && text[at] == ':') {
    const std::optional<int> m = TwoDigits(text, at + 1);
    if (!m) return std::nullopt;
    minutes = *m;
    at += 3;
    if (at < text.size() && text[at] == ':') {
      const std::optional<int> s = TwoDigits(text, at + 1);
      if (!s) return std::nullopt;
      seconds = *s;
      at += 3;
    }
  }
  if (hours > 24 || minutes > 59 || seconds > 59) return std::nullopt;
  pos = at;
  return hours * 3600 + minutes * 60 + seconds;
}

// "+09:00", "-0500", "+9", "-05:30": seconds east of UTC.
std::optional<int32_t> ReadOffset(std::string_view text) {
  if (text.empty() || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  size_t pos = 1;
  const std::optional<int32_t> clock = ReadClock(text, pos, true);
  if (!clock || pos != text.size()) return std::nullopt;
  return text[0] == '-' ? -*clock : *clock;
}

// The standard-time part of a POSIX TZ text ("JST-9", "<+0330>-3:30",
// "CET-1CEST,M3.5.0,M10.5.0/3"): seconds east of UTC.  The daylight-saving
// part after it is not read.
std::optional<int32_t> ReadPosixStandard(std::string_view text) {
  size_t pos = 0;
  if (!text.empty() && text[0] == '<') {
    pos = text.find('>');
    if (pos == std::string_view::npos || pos < 4) return std::nullopt;
    ++pos;
  } else {
    while (pos < text.size() && IsAlpha(text[pos])) ++pos;
    if (pos < 3) return std::nullopt;
  }
  bool west = true;  // POSIX counts hours west of UTC
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) west = text[pos++] == '+';
  const std::optional<int32_t> clock = ReadClock(text, pos, false);
  if (!clock) return std::nullopt;
  // A daylight-saving name may follow; anything else may not.
  if (pos < text.size() && !IsAlpha(text[pos]) && text[pos] != '<' && text[pos] != ',') return std::nullopt;
  return west ? -*clock : *clock;
}

uint32_t Big32(const std::string& bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3]));
}

int64_t Big64(const std::string& bytes, size_t at) {
  return static_cast<int64_t>(static_cast<uint64_t>(Big32(bytes, at)) << 32 | Big32(bytes, at + 4));
}

// A zone-database file (TZif): its transitions with the standard offset from
// each on.  Nothing when the bytes are not such a file.
std::optional<TimeZone::Rules> ReadZoneFile(const std::string& bytes) {
  constexpr size_t kHeader = 44;
  if (bytes.size() < kHeader || bytes.compare(0, 4, "TZif") != 0) return std::nullopt;
  auto block = [&](size_t at, size_t timeSize, size_t& end) -> std::optional<TimeZone::Rules> {
    if (at + kHeader > bytes.size()) return std::nullopt;
    const uint64_t isut = Big32(bytes, at + 20), isstd = Big32(bytes, at + 24), leap = Big32(bytes, at + 28),
                   times = Big32(bytes, at + 32), types = Big32(bytes, at + 36), chars = Big32(bytes, at + 40);
    const uint64_t size = times * timeSize + times + types * 6 + chars + leap * (timeSize + 4) + isstd + isut;
    if (types == 0 || times > 100000 || types > 256 || at + kHeader + size > bytes.size()) return std::nullopt;
    const size_t timesAt = at + kHeader;
    const size_t indexAt = timesAt + times * timeSize;
    const size_t typesAt = indexAt + times;
    end = static_cast<size_t>(at + kHeader + size);
    auto typeOffset = [&](size_t type) { return static_cast<int32_t>(Big32(bytes, typesAt + type * 6)); };
    auto typeDst = [&](size_t type) { return bytes[typesAt + type * 6 + 4] != 0; };
    TimeZone::Rules rules;
    rules.kind = TimeZone::Rules::Kind::kTable;
    // Before the first transition: the first standard type.
    size_t first = 0;
    while (first < types && typeDst(first)) ++first;
    rules.offset = typeOffset(first < types ? first : 0);
    int32_t standard = rules.offset;
    for (size_t i = 0; i < times; ++i) {
      const auto type = static_cast<unsigned char>(bytes[indexAt + i]);
      if (type >= types) return std::nullopt;
      if (!typeDst(type)) standard = typeOffset(type);
      rules.starts.push_back(timeSize == 8 ? Big64(bytes, timesAt + i * 8)
                                           : static_cast<int32_t>(Big32(bytes, timesAt + i * 4)));
      rules.offsets.push_back(standard);
    }
    return rules;
  };
  size_t end = 0;
  std::optional<TimeZone::Rules> rules = block(0, 4, end);
  if (rules && bytes[4] >= '2') {
    std::optional<TimeZone::Rules> wide = block(end, 8, end);
    if (!wide) return std::nullopt;
    rules = std::move(wide);
    // The footer: "\n<POSIX TZ>\n" for times after the last transition.
    if (end < bytes.size() && bytes[end] == '\n') {
      const size_t close = bytes.find('\n', end + 1);
      if (close != std::string::npos)
        rules->later = ReadPosixStandard(std::string_view(bytes).substr(end + 1, close - end - 1));
    }
  }
  return rules;
}

std::optional<TimeZone::Rules> ReadZoneDatabase(std::string_view name) {
  // Names are relative paths of letters, digits and "/_-+"; never "..".
  if (name.empty() || name.front() == '/' || name.find("..") != std::string_view::npos) return std::nullopt;
  for (const char c : name) {
    if (!IsAlpha(c) && !IsDigit(c) && c != '/' && c != '_' && c != '-' && c != '+') return std::nullopt;
  }
  const char* dir = std::getenv("TZDIR");
  const std::string path =
      std::string(dir != nullptr && *dir != '\0' ? dir : "/usr/share/zoneinfo") + "/" + std::string(name);
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ReadZoneFile(bytes);
}

platform::LocalTime ToLocalTime(const Civil& c) {
  platform::LocalTime t;
  t.year = static_cast<int>(c.year - 1900);
  t.month = c.month - 1;
  t.day = c.day;
  t.hour = c.hour;
  t.minute = c.minute;
  t.second = c.second;
  return t;
}

}  // namespace

TimeZone::TimeZone() : TimeZone(Utc()) {}

TimeZone::TimeZone(std::shared_ptr<const Rules> rules) : rules_(std::move(rules)) {}

TimeZone TimeZone::Utc() {
  static const std::shared_ptr<const Rules> utc = [] {
    auto rules = std::make_shared<Rules>();
    rules->name = "UTC";
    return rules;
  }();
  return TimeZone(utc);
}

TimeZone TimeZone::Fixed(int32_t offsetSeconds) {
  auto rules = std::make_shared<Rules>();
  rules->offset = offsetSeconds;
  const int32_t magnitude = offsetSeconds < 0 ? -offsetSeconds : offsetSeconds;
  char name[32];
  std::snprintf(name, sizeof name, "%c%02d:%02d", offsetSeconds < 0 ? '-' : '+', magnitude / 3600, magnitude / 60 % 60);
  rules->name = name;
  return TimeZone(std::move(rules));
}

TimeZone TimeZone::Machine() {
  static const std::shared_ptr<const Rules> machine = [] {
    auto rules = std::make_shared<Rules>();
    rules->kind = Rules::Kind::kMachine;
    rules->name = "machine";
    return rules;
  }();
  return TimeZone(machine);
}

TimeZone TimeZone::Parse(std::string_view rule) {
  const std::string_view text = Trim(rule);
  if (text == "Z" || text == "UTC" || text == "GMT") return Utc();
  std::optional<int32_t> offset = ReadOffset(text);
  if (!offset) offset = ReadPosixStandard(text);
  if (offset) {
    TimeZone zone = Fixed(*offset);
    auto rules = std::make_shared<Rules>(*zone.rules_);
    rules->name = std::string(text);
    return TimeZone(std::move(rules));
  }
  if (std::optional<Rules> table = ReadZoneDatabase(text)) {
    table->name = std::string(text);
    return TimeZone(std::make_shared<Rules>(std::move(*table)));
  }
  throw Error(ErrorCode::kBadTimeZone, "the time zone \"" + std::string(rule) +
                                           "\" does not read: give an offset such as +09:00, a POSIX TZ text such "
                                           "as JST-9, or a name of the zone database such as Asia/Tokyo");
}

const std::string& TimeZone::name() const { return rules_->name; }

bool TimeZone::IsMachine() const { return rules_->kind == Rules::Kind::kMachine; }

int32_t TimeZone::OffsetAt(int64_t utcMs) const {
  const Rules& r = *rules_;
  const int64_t seconds = utcMs >= 0 ? utcMs / 1000 : -((999 - utcMs) / 1000);
  switch (r.kind) {
    case Rules::Kind::kFixed:
      return r.offset;
    case Rules::Kind::kTable: {
      const auto after = std::upper_bound(r.starts.begin(), r.starts.end(), seconds);
      if (after == r.starts.begin()) return r.offset;
      if (after == r.starts.end() && r.later) return *r.later;
      return r.offsets[static_cast<size_t>(after - r.starts.begin()) - 1];
    }
    case Rules::Kind::kMachine: {
      // The UTC wall clock of the instant read back as local standard time.
      const int64_t asLocal = platform::LocalTimeToEpoch(ToLocalTime(CivilFromMs(seconds * 1000)));
      return asLocal < 0 ? 0 : static_cast<int32_t>(seconds - asLocal);
    }
  }
  return 0;
}

int64_t TimeZone::ToUtc(int64_t writtenMs) const {
  if (rules_->kind == Rules::Kind::kMachine) {
    // Exactly the library's own reading of a local time.
    const Civil c = CivilFromMs(writtenMs);
    const int64_t seconds = platform::LocalTimeToEpoch(ToLocalTime(c));
    if (seconds >= 0) return seconds * 1000 + c.milli;
  }
  // The offset at the instant itself: found from a first guess, then checked.
  int64_t utc = writtenMs - static_cast<int64_t>(OffsetAt(writtenMs)) * 1000;
  for (int i = 0; i < 2; ++i) {
    const int64_t again = writtenMs - static_cast<int64_t>(OffsetAt(utc)) * 1000;
    if (again == utc) break;
    utc = again;
  }
  return utc;
}

int64_t TimeZone::ToWritten(int64_t utcMs) const { return utcMs + static_cast<int64_t>(OffsetAt(utcMs)) * 1000; }

std::string TimeZone::Format(int64_t utcMs) const {
  const int32_t offset = OffsetAt(utcMs);
  const int32_t magnitude = offset < 0 ? -offset : offset;
  char zone[32];
  std::snprintf(zone, sizeof zone, " UTC%c%02d:%02d", offset < 0 ? '-' : '+', magnitude / 3600, magnitude / 60 % 60);
  return FormatWritten(utcMs + static_cast<int64_t>(offset) * 1000) + zone;
}

}  // namespace plover
