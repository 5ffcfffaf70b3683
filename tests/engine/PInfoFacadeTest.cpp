// Samples through the exported class: a document in; display texts, sample
// text and camera model rates out, until the store is cleared.
#include <gtest/gtest.h>

#include <string>

#include "PloverMetaParser.h"
#include "TimeZone.h"

namespace {

constexpr PMP_UINT64 kTen = 1456707600000;  // 2016-02-29 10:00:00.000 at nine hours east

TEST(PInfoFacade, DocumentSamplesAnswerUntilCleared) {
  plover::test::ScopedTimeZone zone("JST-9");
  CMetaParser parser;
  std::string document =
      "<P-Info>\r\n<Index no=\"3\">\r\n<TS>2016/02/29 10:00:00.000</TS>\r\n<GPS><Latitude>N35</Latitude></GPS>\r\n"
      "<CAM-STAT c2=\"1\" model=\"TD481\"/>\r\n</Index>\r\n"
      "<Index no=\"4\">\r\n<TS>2016/02/29 10:00:00.100</TS>\r\n</Index>\r\n</P-Info>";
  ASSERT_EQ(parser.inputdata_xml(reinterpret_cast<unsigned char*>(&document[0]),
                                 static_cast<PMP_ULONG>(document.size()), "rec.xml"),
            0);
  char latitude[64] = "", name[64] = "";
  _SP_INFO_OSD record = {};
  record.latitude = latitude;
  record.fileName = name;
  EXPECT_EQ(parser.outdata_pinfo_osd(kTen + 50, 0, &record), 1);
  EXPECT_EQ(record.sampleTime, kTen + 100);
  EXPECT_STREQ(latitude, "N35");  // carried from the first sample
  EXPECT_STREQ(name, "rec.xml");
  unsigned char text[512];
  PMP_UINT64 found = 0;
  PMP_LONG count = 0;
  EXPECT_GT(parser.outdata_num(kTen + 50, 0, 1, text, sizeof text, &found, &count), 0);
  EXPECT_EQ(found, kTen);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(parser.GetCameraModelRate(2), 0);

  parser.clear_metadata();
  EXPECT_EQ(parser.outdata_pinfo_osd(kTen, 1, &record), 0);
  EXPECT_EQ(parser.GetCameraModelRate(2), 0);
}

}  // namespace
