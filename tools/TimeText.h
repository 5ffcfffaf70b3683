// Times as the tool reads and writes them.
//
// The tool reads a recording's times the way the library keys them: local
// wall-clock times in the machine's time zone, as standard time, in
// milliseconds since 1970-01-01 00:00:00 UTC.  It reads --at/--from/--to the
// same way and prints every time of its own with its UTC offset, so that no
// text depends on where it is read.
#ifndef PLOVERMETA_TIMETEXT_H
#define PLOVERMETA_TIMETEXT_H

#include <cstdint>
#include <optional>
#include <string>

#include "plover/TimeText.h"

namespace plovermeta {

using plover::FormatPlayTime;
using plover::FormatUtc;
using plover::ParsePlayTime;

// "YYYY-MM-DD hh:mm:ss[.mmm]" (also with '/' in the date or 'T' before the
// time) as local standard time: milliseconds since the epoch, or nothing when
// the text is not such a time or lies before 1970.
std::optional<uint64_t> ParseLocalTime(const std::string& text);

// Milliseconds since the epoch as local standard time with its offset:
// "2026-03-14 10:00:00.000 UTC+01:00".
std::string FormatLocal(uint64_t epochMs);

// A duration for people: "2 min 59 s", "1 h 0 min 5 s", "0.5 s".
std::string FormatDuration(uint64_t ms);

}  // namespace plovermeta

#endif
