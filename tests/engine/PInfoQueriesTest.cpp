#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TimeZone.h"
#include "engine/MetadataEngine.h"
#include "engine/PInfoParser.h"
#include "engine/PInfoQueries.h"
#include "scan/Scanner.h"

namespace plover {
namespace {

using test::ScopedTimeZone;

constexpr uint64_t kAt0 = 1456740000000;  // 2016-02-29 10:00:00.000 in UTC
constexpr uint64_t kAt1 = kAt0 + 1000;

class PInfoQueries : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string section =
        "<P-Info>\r\n"
        "<Index no=\"12\">\r\n<TS>2016/02/29 10:00:00.000</TS>\r\n<G-STAT>0101</G-STAT>\r\n"
        "<GPS><Latitude>N35.1</Latitude><Longitude>E139.2</Longitude></GPS>\r\n"
        "<Radar><Speed id=\"1\">10</Speed><Speed id=\"4\">40</Speed></Radar>\r\n</Index>\r\n"
        "<Index no=\"x\">\r\n<TS>2016/02/29 10:00:01.000</TS>\r\n<Own>" +
        std::string(64, 'o') + "</Own>\r\n</Index>\r\n</P-Info>";
    ASSERT_TRUE(parse_pinfo(engine, "rec.xml", section.data(), static_cast<uint32_t>(section.size()), 0, 0));
    ASSERT_EQ(engine.samples.size(), 2u);
  }

  // Which sample a display query picks: its time, or 0 for none.
  uint64_t Pick(uint64_t time, int sel) {
    _SP_INFO_OSD record{};
    return outdata_pinfo_osd(engine, time, sel, &record) ? record.sampleTime : 0;
  }

  ScopedTimeZone zone{"UTC0"};
  MetadataEngine engine;
};

TEST_F(PInfoQueries, SeekAtBeforeBetweenAndAfterSamples) {
  const struct {
    uint64_t time;
    int sel;
    uint64_t picked;
  } cases[] = {{kAt0, 0, kAt0},     {kAt0, 1, kAt0},  {kAt0 + 500, 0, kAt1}, {kAt0 + 500, 1, kAt0},
               {kAt0 - 1, 0, kAt0}, {kAt0 - 1, 1, 0}, {kAt1 + 1, 0, 0},      {kAt1 + 1, 1, kAt1}};
  for (const auto& c : cases) EXPECT_EQ(Pick(c.time, c.sel), c.picked) << c.time << " " << c.sel;
}

// Wanted and stored fields are copied; a null field or a missing text leaves
// the caller's buffer alone.
TEST_F(PInfoQueries, DisplayRecordCopiesWhatIsWantedAndStored) {
  char own[64] = "#", speed[64] = "#", gStat[64] = "#";
  _SP_INFO_OSD record{};
  record.own = own;
  record.speed[0] = speed;
  record.gStat = gStat;
  ASSERT_TRUE(outdata_pinfo_osd(engine, kAt0, 0, &record));
  EXPECT_EQ(std::string(own) + "|" + speed + "|" + gStat, "#|10|0101");
  EXPECT_EQ(record.sampleTime, kAt0);
  ASSERT_TRUE(outdata_pinfo_osd(engine, kAt1, 0, &record));
  EXPECT_STREQ(own, "");  // 64 characters do not fit 64 bytes with the NUL
}

TEST_F(PInfoQueries, NumberQueryOnSamples) {
  unsigned char buffer[512];
  PMP_UINT64 found = 7;
  PMP_LONG count = 7;
  const int32_t length = outdata_num(engine, kAt0 + 1, 0, 1, buffer, sizeof buffer, &found, &count);
  const std::string text(reinterpret_cast<char*>(buffer), static_cast<size_t>(length));
  EXPECT_EQ(text.substr(0, 32), "<Index no=\"12\">\r\n<TS>2016/02/29 ");
  EXPECT_EQ(text.substr(text.size() - 8), "</Index>");
  EXPECT_EQ(found * 100 + static_cast<uint64_t>(count), kAt0 * 100 + 12);
  EXPECT_GT(outdata_num(engine, kAt0 + 1, 0, 0, buffer, sizeof buffer, &found, &count), length);
  EXPECT_EQ(found * 100 + static_cast<uint64_t>(count), kAt1 * 100);  // number attribute without digits
  // A small buffer still gives the full length; a null foundTime is skipped.
  EXPECT_EQ(outdata_num(engine, kAt0, 0, 0, buffer, 4, nullptr, &count), length);
  EXPECT_EQ(outdata_num(engine, kAt1 + 1, 0, 0, buffer, sizeof buffer, &found, &count), 0);
}

TEST_F(PInfoQueries, NumberQueryOnLogIns) {
  engine.logins[100].text = "<Login>A</Login>";
  engine.logins[200].text = "<Login>B</Login>";
  unsigned char buffer[32];
  std::memset(buffer, '#', sizeof buffer);
  PMP_UINT64 found = 7;
  PMP_LONG count = 7;
  EXPECT_EQ(outdata_num(engine, 150, 1, 1, buffer, 15, &found, &count), 16);  // one byte short
  EXPECT_EQ(buffer[0] + found + static_cast<uint64_t>(count), '#' + 14u);
  EXPECT_EQ(outdata_num(engine, 150, 1, 1, buffer, 16, &found, &count), 16);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 17), "<Login>A</Login>#");
  EXPECT_EQ(found * 10 + static_cast<uint64_t>(count), 1000u);
  const uint64_t high = (uint64_t{1} << 32) | 200;
  EXPECT_EQ(outdata_num(engine, high, 1, 1, buffer, sizeof buffer, &found, nullptr), 16);
  EXPECT_EQ(found, 100u);  // not an exact hit: the entry before
  EXPECT_EQ(outdata_num(engine, high, 1, 0, buffer, sizeof buffer, &found, &count), 16);
  EXPECT_EQ(found, 200u);
  EXPECT_EQ(outdata_num(engine, 201, 1, 0, buffer, sizeof buffer, &found, &count), 0);
}

}  // namespace
}  // namespace plover
