// Times as the tool reads and writes them.
//
// A recording's times are read in its own zone (the recording's rule, or
// --tz), as standard time, and every time the tool prints carries its UTC
// offset, so that no text depends on the machine it is read on.  Whatever
// the tool prints can be given back to it.
#ifndef PLOVERMETA_TIMETEXT_H
#define PLOVERMETA_TIMETEXT_H

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "plover/TimeText.h"
#include "plover/TimeZone.h"

namespace plovermeta {

using plover::FormatPlayTime;
using plover::FormatUtc;

// A clock time: "YYYY-MM-DD hh:mm:ss" ('/' in the date or 'T' before the
// time allowed) with 0 to 3 fractional digits (".5" is half a second),
// optionally followed by a zone: "Z", "UTC", "UTC+01:00", "+01:00", "GMT-5"
// or any rule plover::TimeZone::Parse reads.  Without one it is read in
// `zone`.  The UTC instant in milliseconds, or nothing.
std::optional<int64_t> ParseClockTime(std::string_view text, const plover::TimeZone& zone);

// A play time "hh:mm:ss" with 0 to 3 fractional digits: milliseconds.
std::optional<uint64_t> ParsePlayTime(std::string_view text);

// A duration for people: "2 min 59 s", "1 h 0 min 5 s", "0.5 s".
std::string FormatDuration(uint64_t ms);

}  // namespace plovermeta

#endif
