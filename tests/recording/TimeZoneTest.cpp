// Zones from rules, offsets and zone-database files, read without the
// process's TZ; the machine's zone read as the library reads it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "TempDir.h"
#include "TimeZone.h"
#include "plover/Error.h"
#include "plover/TimeText.h"
#include "plover/TimeZone.h"

namespace plover {
namespace {

// 2026-01-15 and 2026-07-15, 12:00 UTC.
constexpr int64_t kWinter = 1768478400000;
constexpr int64_t kSummer = 1784116800000;

TEST(TimeZoneTest, ReadsOffsetsAndPosixRulesAsStandardTime) {
  const struct {
    const char* rule;
    int32_t offset;
  } cases[] = {{"UTC0", 0},
               {"JST-9", 9 * 3600},
               {" +09:00 ", 9 * 3600},
               {"-0500", -5 * 3600},
               {"+9", 9 * 3600},
               {"-05:30", -19800},
               {"Z", 0},
               {"<+0330>-3:30", 12600},
               {"EST5EDT,M3.2.0,M11.1.0", -5 * 3600},  // daylight saving is never applied
               {"CET-1CEST,M3.5.0,M10.5.0/3", 3600},
               {"UTC+9", -9 * 3600}};  // POSIX counts west
  for (const auto& c : cases) {
    const TimeZone zone = TimeZone::Parse(c.rule);
    EXPECT_EQ(zone.OffsetAt(kWinter), c.offset) << c.rule;
    EXPECT_EQ(zone.OffsetAt(kSummer), c.offset) << c.rule;
    EXPECT_EQ(zone.ToUtc(zone.ToWritten(kSummer)), kSummer) << c.rule;
  }
  EXPECT_EQ(TimeZone::Parse("+09:00").Format(kWinter), "2026-01-15 21:00:00.000 UTC+09:00");
  EXPECT_EQ(TimeZone::Fixed(-19800).Format(kWinter), "2026-01-15 06:30:00.000 UTC-05:30");
}

TEST(TimeZoneTest, RefusesWhatNamesNoZone) {
  for (const char* rule : {"", "  ", "JST", "+25:00", "+09:0", "UTC+", "../../etc/passwd", "/etc/localtime",
                           "Nowhere/City", "JST-9 extra"}) {
    try {
      TimeZone::Parse(rule);
      ADD_FAILURE() << "read \"" << rule << "\"";
    } catch (const Error& error) {
      EXPECT_EQ(error.code(), ErrorCode::kBadTimeZone) << rule;
    }
  }
}

// A zone-database file: +01:00 standard with daylight saving until 2026-03-01,
// then +03:00 standard; its footer rule says +03 for later times.
std::string ZoneFile() {
  auto be32 = [](std::string& out, int64_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xff);
  };
  auto be64 = [&](std::string& out, int64_t v) {
    be32(out, v >> 32);
    be32(out, v & 0xffffffff);
  };
  const int64_t times[] = {1751328000, 1759276800, 1772323200};  // 2025-07-01, 2025-10-01, 2026-03-01
  const unsigned char index[] = {1, 0, 2};
  const int32_t offsets[] = {3600, 7200, 10800};
  const unsigned char dst[] = {0, 1, 0};
  auto block = [&](std::string& out, bool wide) {
    out += "TZif2";
    out += std::string(15, '\0');
    for (int64_t count : {0, 0, 0, 3, 3, 4}) be32(out, count);  // isut isstd leap times types chars
    for (int64_t t : times) wide ? be64(out, t) : be32(out, t);
    for (unsigned char i : index) out += static_cast<char>(i);
    for (int i = 0; i < 3; ++i) {
      be32(out, offsets[i]);
      out += static_cast<char>(dst[i]);
      out += '\0';
    }
    out += std::string("ABC", 4);
  };
  std::string bytes;
  block(bytes, false);
  block(bytes, true);
  return bytes + "\n<+03>-3\n";
}

// Points the zone database at `dir`, or back at the system's with null.
void SetTzDir(const char* dir) {
#if defined(_WIN32)
  _putenv_s("TZDIR", dir ? dir : "");
#else
  if (dir) {
    setenv("TZDIR", dir, 1);
  } else {
    unsetenv("TZDIR");
  }
#endif
}

TEST(TimeZoneTest, ReadsStandardTimeFromTheZoneDatabase) {
  test::TempDir dir;
  std::ofstream(dir.File("Test_Zone"), std::ios::binary) << ZoneFile();
  std::ofstream(dir.File("Broken"), std::ios::binary) << ZoneFile().substr(0, 60);
  SetTzDir(dir.path().c_str());
  const TimeZone zone = TimeZone::Parse("Test_Zone");
  EXPECT_THROW(TimeZone::Parse("Broken"), Error);
  SetTzDir(nullptr);
  EXPECT_EQ(zone.name(), "Test_Zone");
  const struct {
    const char* utc;
    int32_t offset;
  } cases[] = {{"2025-01-01 00:00:00", 3600},  // before the first transition: its first standard type
               {"2025-08-01 00:00:00", 3600},  // daylight saving: standard time still +01:00
               {"2025-12-01 00:00:00", 3600},
               {"2026-03-01 00:00:00", 10800},  // the new standard offset from its transition on
               {"2040-01-01 00:00:00", 10800}};
  for (const auto& c : cases) EXPECT_EQ(zone.OffsetAt(*ParseWrittenTime(c.utc)), c.offset) << c.utc;
  // A written time just after the change of offset reads as that offset.
  EXPECT_EQ(zone.ToUtc(*ParseWrittenTime("2026-03-02 03:00:00")), *ParseWrittenTime("2026-03-02 00:00:00"));
}

TEST(TimeZoneTest, TheMachinesZoneIsTheLibrarysReading) {
  const int64_t written = *ParseWrittenTime("2026-03-14 10:00:00");
  for (const auto& [tz, hours] : {std::pair<const char*, int>{"UTC0", 0}, {"EST5", -5}, {"JST-9", 9}}) {
    test::ScopedTimeZone scoped(tz);
    EXPECT_EQ(TimeZone::Machine().ToUtc(written), written - hours * 3600000LL) << tz;
    EXPECT_EQ(TimeZone::Machine().OffsetAt(written), hours * 3600) << tz;
    EXPECT_EQ(TimeZone::Parse("+01:00").ToUtc(written), written - 3600000) << tz;  // never the machine's
  }
}

}  // namespace
}  // namespace plover
