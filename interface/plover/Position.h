// Latitude and longitude texts as recorders write them, read as signed
// decimal degrees (north and east positive).
//
// Accepted forms (blanks around the parts are allowed):
//   decimal degrees, signed or with a hemisphere letter before or after:
//     35.681236   -35.681236   N35.681236   35.681236N   S 35.5
//   degrees and decimal minutes as NMEA writes them, with a hemisphere
//   letter before or after: ddmm.mmmm for latitude, dddmm.mmmm for
//   longitude, e.g. 3540.8742N, 13945.6789E.
// A number with four or more digits before its point is read as degrees and
// minutes (decimal degrees never need four); that form needs its letter.
// Anything else (an empty text, "--", a letter of the other axis, a sign
// together with a letter, minutes of 60 or more, a value out of range) is
// unreadable.
#ifndef PLOVER_POSITION_H
#define PLOVER_POSITION_H

#include <optional>
#include <string_view>

namespace plover {

std::optional<double> ParseLatitude(std::string_view text);
std::optional<double> ParseLongitude(std::string_view text);

struct Position {
  double latitude;
  double longitude;
};

// Both texts read, or nothing.
std::optional<Position> ParsePosition(std::string_view latitude, std::string_view longitude);

}  // namespace plover

#endif
