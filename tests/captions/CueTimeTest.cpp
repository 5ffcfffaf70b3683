// Cue times: the fixed hh:mm:ss.ttt form, read as the scanf format
// "%03d:%02d:%02d.%03d" reads it.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "captions/CueTime.h"

namespace {

using plover::ParseCueTime;

TEST(CueTime, ReadsTheFixedFormAndItsLooseVariants) {
  EXPECT_EQ(ParseCueTime("999:59:59.999"), 3599999999);
  EXPECT_EQ(ParseCueTime(" \t1:2:3.4"), 3723004);     // short numbers, leading white space
  EXPECT_EQ(ParseCueTime("-1:00:00.000"), -3600000);  // signs count toward the width
  EXPECT_EQ(ParseCueTime("1234:00:00.000"), -1);      // 4th hour digit stops at ':'
  EXPECT_EQ(ParseCueTime("00:01.000"), -1);           // no hours
}

TEST(CueTime, RangeFormStopsAtItsEndAndAtNul) {
  const char text[] = "00:00:01.234567";
  EXPECT_EQ(ParseCueTime(text, 12), 1234);
  EXPECT_EQ(ParseCueTime(text, 10), 1002);
  EXPECT_EQ(ParseCueTime(text, 8), -1);
  EXPECT_EQ(ParseCueTime(std::string("00:00:0\0001.000", 12).data(), 12), -1);
}

// The hand-written reader agrees with sscanf on random texts made of the
// characters that matter.
TEST(CueTime, AgreesWithScanfOnRandomTexts) {
  const char alphabet[] = "0123456789::..+- \t\n";
  std::mt19937 random(12345);
  std::uniform_int_distribution<size_t> pick(0, sizeof alphabet - 2);
  for (unsigned round = 0; round < 200000; ++round) {
    char text[13] = {};
    // Mostly well-formed texts with a few bytes changed, to reach deep.
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", round % 100, round % 60, round % 61, round % 1000);
    for (int change = round % 4; change >= 0; --change) text[pick(random) % 12] = alphabet[pick(random)];
    int h = 0, m = 0, s = 0, ms = 0;
    const int64_t expected = std::sscanf(text, "%03d:%02d:%02d.%03d", &h, &m, &s, &ms) == 4
                                 ? ((static_cast<int64_t>(h) * 60 + m) * 60 + s) * 1000 + ms
                                 : -1;
    ASSERT_EQ(ParseCueTime(text, 12), expected) << '"' << text << '"';
    ASSERT_EQ(ParseCueTime(text), expected) << '"' << text << '"';
  }
}

}  // namespace
