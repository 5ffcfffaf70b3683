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

TEST(LocalTimeToEpoch, NormalisesOutOfRangeMembersAndKeepsTheLimits) {
  ScopedTimeZone tz("JST-9");
  EXPECT_EQ(LocalTimeToEpoch(At(2016, 2, 29, 10, 0, 60)), LocalTimeToEpoch(At(2016, 2, 29, 10, 1, 0)));
  EXPECT_EQ(LocalTimeToEpoch(At(2016, 2, 30, 0, 0, 0)), LocalTimeToEpoch(At(2016, 3, 1, 0, 0, 0)));
  EXPECT_EQ(LocalTimeToEpoch(At(1970, 1, 1, 8, 59, 59)), -1);
  EXPECT_EQ(LocalTimeToEpoch(At(1970, 1, 1, 9, 0, 0)), 0);
  EXPECT_EQ(LocalTimeToEpoch(At(3000, 12, 31, 23, 59, 59)), 32535215999LL - 9 * 3600);
  // A local year after 3000 fails even where the UTC time would still fit.
  EXPECT_EQ(LocalTimeToEpoch(At(3001, 1, 1, 8, 59, 59)), -1);
  EXPECT_EQ(LocalTimeToEpoch(At(3000, 13, 1, 0, 0, 0)), -1);
}

TEST(LocalTimeToEpoch, LimitsWestOfUtc) {
  ScopedTimeZone tz("EST5");
  // Local 1969 fails although it is 1970 in UTC.
  EXPECT_EQ(LocalTimeToEpoch(At(1969, 12, 31, 20, 0, 0)), -1);
  EXPECT_EQ(LocalTimeToEpoch(At(1970, 1, 1, 0, 0, 0)), 18000);
  EXPECT_EQ(LocalTimeToEpoch(At(1970, 0, 1, 0, 0, 0)), -1);  // month 0 folds into 1969
  EXPECT_EQ(LocalTimeToEpoch(At(3000, 12, 31, 18, 59, 59)), 32535215999LL);
  EXPECT_EQ(LocalTimeToEpoch(At(3000, 12, 31, 19, 0, 0)), -1);
}

}  // namespace
}  // namespace plover::platform
