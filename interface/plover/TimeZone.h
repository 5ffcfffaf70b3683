// The zone a recording's times are read in.
//
// Recorders write local wall-clock times, as standard time (no daylight-saving
// shift).  A "written" time here is such a wall clock counted in milliseconds
// from 1970-01-01 00:00:00 of the same wall clock: 2026-03-14 10:00:00 is
// written 1773482400000 in every zone.  A zone turns it into a UTC instant.
//
// A TimeZone is an immutable value: copies share their rules, and one zone may
// be used on several threads at once.  Nothing here reads or changes the
// process's TZ, except Machine(), which reads times the way the C library
// does with the process's TZ.
#ifndef PLOVER_TIMEZONE_H
#define PLOVER_TIMEZONE_H

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace plover {

class TimeZone {
 public:
  // UTC.
  TimeZone();
  static TimeZone Utc();
  // A fixed offset east of UTC in seconds (east positive: +09:00 is 32400).
  static TimeZone Fixed(int32_t offsetSeconds);
  // A zone rule as recordings name it:
  //   - a POSIX TZ text: "UTC0", "JST-9", "EST5EDT,M3.2.0,M11.1.0", "<+0330>-3:30"
  //     (only its standard-time part counts);
  //   - an IANA name: "Asia/Tokyo", "Europe/Berlin", read from the zone
  //     database (TZDIR, else /usr/share/zoneinfo), standard time of the
  //     moment asked;
  //   - an offset: "+09:00", "-0500", "+9", "UTC+09:00", "GMT-5", "Z".
  // Throws Error(kBadTimeZone) for anything else.
  static TimeZone Parse(std::string_view rule);
  // The process's zone as the C library reads it (TZ, else the system's),
  // taken as standard time: what the metadata library keys its times by.
  static TimeZone Machine();

  // The text the zone was made from ("UTC", "+09:00", "Asia/Tokyo", "machine").
  const std::string& name() const;
  bool IsMachine() const;

  // The standard-time offset east of UTC, in seconds, at a UTC instant.
  int32_t OffsetAt(int64_t utcMs) const;
  // A written time (see above) as a UTC instant in milliseconds.
  int64_t ToUtc(int64_t writtenMs) const;
  // A UTC instant as the wall clock of this zone (a written time).
  int64_t ToWritten(int64_t utcMs) const;
  // "2026-03-14 10:00:00.000 UTC+01:00": the instant in this zone, with its offset.
  std::string Format(int64_t utcMs) const;

  struct Rules;  // how the offset is found: fixed, POSIX, zone database or machine

 private:
  explicit TimeZone(std::shared_ptr<const Rules> rules);
  std::shared_ptr<const Rules> rules_;
};

}  // namespace plover

#endif
