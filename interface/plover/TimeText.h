// Time texts: times as recorders write them, UTC instants, play times.
#ifndef PLOVER_TIMETEXT_H
#define PLOVER_TIMETEXT_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plover {

// A written time (see TimeZone.h) from "YYYY-MM-DD hh:mm:ss[.mmm]" (also
// with '/' in the date or 'T' before the time; 1970 or later); nothing when
// the text is not such a time.
std::optional<int64_t> ParseWrittenTime(std::string_view text);
// A time stamp as samples carry it, read at its columns the way the library
// reads it: "YYYY?MM?DD?hh?mm?ss" and, when it follows, "?mmm", separators
// not examined; nothing when the digits do not make a valid date and time.
std::optional<int64_t> ParseStampTime(std::string_view text);

// "2026-03-14 10:00:00.000": a written time.
std::string FormatWritten(int64_t writtenMs);
// "2026-03-14T10:00:00.000Z": a UTC instant.
std::string FormatUtc(int64_t utcMs);

// A play time "hh:mm:ss[.ttt]" (hours of one to three digits, '.' or ','):
// milliseconds.
std::optional<uint64_t> ParsePlayTime(std::string_view text);
// "hh:mm:ss.ttt" (WebVTT) or, with `comma`, "hh:mm:ss,ttt" (SRT).
std::string FormatPlayTime(uint64_t ms, bool comma = false);

}  // namespace plover

#endif
