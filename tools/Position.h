// Latitude and longitude texts as recorders write them.
//
// Accepted forms (blanks around the parts are allowed):
//   decimal degrees, signed or with a hemisphere letter before or after:
//     35.681236   -35.681236   N35.681236   35.681236N   S 35.5
//   degrees and decimal minutes as NMEA writes them, with a hemisphere
//   letter before or after: ddmm.mmmm for latitude, dddmm.mmmm for
//   longitude, e.g. 3540.8742N, 13945.6789E.
// A number with four or more digits before its point is read as degrees and
// minutes (decimal degrees never need four); that form needs its letter.
// Anything else (an empty text, a letter of the other axis, a sign together
// with a letter, minutes of 60 or more, a value out of range) is unreadable.
#ifndef PLOVERMETA_POSITION_H
#define PLOVERMETA_POSITION_H

#include <optional>
#include <string>

namespace plovermeta {

// Signed decimal degrees: north and east positive.
std::optional<double> ParseLatitude(const std::string& text);
std::optional<double> ParseLongitude(const std::string& text);

struct Position {
  double latitude;
  double longitude;
};

// Both texts read, or nothing.
std::optional<Position> ParsePosition(const std::string& latitude, const std::string& longitude);

}  // namespace plovermeta

#endif
