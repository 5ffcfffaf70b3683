#include "platform/LocalTime.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "TimeZone.h"

namespace plover::platform {
namespace {

using test::ScopedTimeZone;

LocalTime At(int year, int month, int day, int hour, int minute, int second) {
  LocalTime t;
  t.year = year - 1900;
  t.month = month - 1;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

TEST(LocalTimeToEpoch, StandardTimeThroughADaylightSavingDay) {
  // 2016-03-27 is the spring change in this zone; standard time is UTC+1 all
  // day, so every second lies exactly 3600 s before the same UTC time.
  ScopedTimeZone tz("CET-1CEST,M3.5.0,M10.5.0/3");
  const int64_t midnightUtc = 1459036800;  // 2016-03-27 00:00:00 UTC
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 60; minute += 7) {
      for (int second : {0, 1, 30, 59}) {
        const int64_t expected = midnightUtc + hour * 3600 + minute * 60 + second - 3600;
        ASSERT_EQ(LocalTimeToEpoch(At(2016, 3, 27, hour, minute, second)), expected)
            << hour << ":" << minute << ":" << second;
      }
    }
  }
}

#if !defined(_WIN32)
// Windows reads TZ only when told to (_tzset); POSIX conversions follow it.
TEST(LocalTimeToEpoch, FollowsAChangeOfZoneWithinTheSameHour) {
  ScopedTimeZone utc("UTC0");
  EXPECT_EQ(LocalTimeToEpoch(At(2016, 2, 29, 10, 0, 0)), 1456740000);
  test::SetTzVariable("EST5");  // changed behind the platform layer's back
  EXPECT_EQ(LocalTimeToEpoch(At(2016, 2, 29, 10, 0, 1)), 1456740000 + 1 + 5 * 3600);
}
#endif

TEST(LocalTimeToEpoch, NormalisesOutOfRangeMembers) {
  ScopedTimeZone tz("JST-9");
  EXPECT_EQ(LocalTimeToEpoch(At(2016, 2, 29, 10, 0, 60)), LocalTimeToEpoch(At(2016, 2, 29, 10, 1, 0)));
  EXPECT_EQ(LocalTimeToEpoch(At(2016, 2, 30, 0, 0, 0)), LocalTimeToEpoch(At(2016, 3, 1, 0, 0, 0)));
  EXPECT_EQ(LocalTimeToEpoch(At(2016, 0, 1, 0, 0, 0)), LocalTimeToEpoch(At(2015, 12, 1, 0, 0, 0)));
  EXPECT_EQ(LocalTimeToEpoch(At(2016, 1, 0, -1, 0, 0)), LocalTimeToEpoch(At(2015, 12, 30, 23, 0, 0)));
}

// The limits hold on the UTC result, whatever the local year: 1970-01-01
// 00:00:00 UTC is the first second, 3000-12-31 23:59:59 UTC the last, in a
// zone west of UTC, one east of it and UTC itself; out-of-range members are
// folded before the limits are judged.
TEST(LocalTimeToEpoch, LimitsAreJudgedInUtc) {
  constexpr int64_t kLast = 32535215999LL;
  struct Case {
    const char* zone;
    LocalTime local;
    int64_t expected;
  };
  const Case cases[] = {
      {"UTC0", At(1969, 12, 31, 23, 59, 59), -1},
      {"UTC0", At(1970, 1, 1, 0, 0, 0), 0},
      {"UTC0", At(1969, 12, 31, 24, 0, 0), 0},
      {"UTC0", At(3000, 12, 31, 23, 59, 59), kLast},
      {"UTC0", At(3001, 1, 1, 0, 0, 0), -1},
      {"UTC0", At(3000, 12, 31, 23, 59, 60), -1},
      {"EST5", At(1969, 12, 31, 18, 59, 59), -1},
      {"EST5", At(1969, 12, 31, 19, 0, 0), 0},
      {"EST5", At(1969, 12, 31, 23, 59, 59), 17999},
      {"EST5", At(1969, 12, 31, 24, 0, 0), 18000},
      {"EST5", At(1970, 0, 31, 19, 0, 1), 1},  // month 0 folds into 1969
      {"EST5", At(3000, 12, 31, 18, 59, 59), kLast},
      {"EST5", At(3000, 12, 31, 19, 0, 0), -1},
      {"JST-9", At(1970, 1, 1, 8, 59, 59), -1},
      {"JST-9", At(1970, 1, 1, 9, 0, 0), 0},
      {"JST-9", At(1970, 1, 1, 0, 0, 0), -1},
      {"JST-9", At(3001, 1, 1, 0, 0, 0), kLast - 32399},
      {"JST-9", At(3000, 12, 31, 24, 0, 0), kLast - 32399},
      {"JST-9", At(3000, 13, 1, 8, 59, 59), kLast},  // month 13 folds into 3001
      {"JST-9", At(3001, 1, 1, 8, 59, 59), kLast},
      {"JST-9", At(3001, 1, 1, 9, 0, 0), -1},
      {"JST-9", At(3002, 1, 1, 0, 0, 0), -1},
      {"JST-9", At(1968, 12, 31, 23, 0, 0), -1},
  };
  for (const Case& c : cases) {
    ScopedTimeZone tz(c.zone);
    const LocalTime& t = c.local;
    EXPECT_EQ(LocalTimeToEpoch(t), c.expected) << c.zone << " " << t.year + 1900 << "-" << t.month + 1 << "-" << t.day
                                               << " " << t.hour << ":" << t.minute << ":" << t.second;
  }
}

}  // namespace
}  // namespace plover::platform
