#include <gtest/gtest.h>

#include "TimeZone.h"
#include "scan/Scanner.h"

namespace plover::scan {
namespace {

using test::ScopedTimeZone;

constexpr int64_t k2016_02_29_10h = 1456740000;  // 2016-02-29 10:00:00 UTC

TEST(ParseDateTime, EpochInUtcWestAndEast) {
  {
    ScopedTimeZone tz("UTC0");
    EXPECT_EQ(ParseDateTime("1970-01-01 00:00:00", false), 0);
  }
  {
    ScopedTimeZone tz("EST5");  // five hours west
    EXPECT_EQ(ParseDateTime("1970-01-01 00:00:00", false), 18000);
  }
  {
    ScopedTimeZone tz("JST-9");  // east: that local time lies before the epoch
    EXPECT_EQ(ParseDateTime("1970-01-01 00:00:00", false), 0);
    EXPECT_EQ(ParseDateTime("1970-01-01 09:00:00", false), 0);
    EXPECT_EQ(ParseDateTime("1970-01-01 09:00:01", false), 1);
  }
}

TEST(ParseDateTime, MillisecondsAndSeparatorsAreNotExamined) {
  ScopedTimeZone tz("UTC0");
  EXPECT_EQ(ParseDateTime("2016-02-29 10:00:00.250", true), k2016_02_29_10h * 1000 + 250);
  EXPECT_EQ(ParseDateTime("2016/02/29T10:00:00 250", true), k2016_02_29_10h * 1000 + 250);
  EXPECT_EQ(ParseDateTime("2016-02-29 10:00:00.250", false), k2016_02_29_10h);
  EXPECT_EQ(ParseDateTime("2016-02-29 10:00:00.-12", true), k2016_02_29_10h * 1000 - 12);
}

TEST(ParseDateTime, LocalTimeIsStandardTime) {
  // A zone with daylight saving: a summer time is still read as standard time.
  ScopedTimeZone tz("CET-1CEST,M3.5.0,M10.5.0/3");
  EXPECT_EQ(ParseDateTime("2016-07-01 12:00:00", false), 1467374400 - 3600);
  EXPECT_EQ(ParseDateTime("2016-01-01 12:00:00", false), 1451649600 - 3600);
}

TEST(ParseDateTime, FieldsReadLikeAtolAndNormalise) {
  ScopedTimeZone tz("UTC0");
  // Month 13 rolls into the next year; a field without digits counts as 0.
  EXPECT_EQ(ParseDateTime("2015-13-01 00:00:00", false), ParseDateTime("2016-01-01 00:00:00", false));
  EXPECT_EQ(ParseDateTime("2016-01-01 xx:00:00", false), 1451606400);
  EXPECT_EQ(ParseDateTime("2016-01-01 1x:00:00", false), 1451606400 + 3600);
}

TEST(ParseDateTime, LimitsOnTheUtcTime) {
  struct Case {
    const char* zone;
    const char* text;
    int64_t expected;
  };
  const Case cases[] = {
      {"UTC0", "1969-12-31 23:59:59", 0},
      {"UTC0", "1969-12-31 24:00:01", 1},
      {"UTC0", "3000-12-31 23:59:59", 32535215999LL},
      {"UTC0", "3001-01-01 00:00:00", 0},
      {"EST5", "1969-12-31 19:00:01", 1},  // local 1969, UTC 1970
      {"EST5", "1969-12-31 18:59:59", 0},
      {"EST5", "3000-12-31 18:59:59", 32535215999LL},
      {"EST5", "3000-12-31 19:00:00", 0},
      {"JST-9", "1970-01-01 08:59:59", 0},
      {"JST-9", "3001-01-01 08:59:59", 32535215999LL},  // local 3001, UTC 3000
      {"JST-9", "3000-13-01 08:59:59", 32535215999LL},
      {"JST-9", "3001-01-01 09:00:00", 0},
      {"UTC0", "abcdefghijklmnopqrs", 0},  // year 0
  };
  for (const Case& c : cases) {
    ScopedTimeZone tz(c.zone);
    EXPECT_EQ(ParseDateTime(c.text, false), c.expected) << c.zone << " " << c.text;
  }
  ScopedTimeZone tz("EST5");
  EXPECT_EQ(ParseDateTime("1969-12-31 19:00:01.250", true), 1250);
}

}  // namespace
}  // namespace plover::scan
