// Both file forms end to end through the exported class, as a viewer uses it.
#include <gtest/gtest.h>

#include <string>

#include "ContainerWriter.h"
#include "PloverMetaParser.h"
#include "TempDir.h"
#include "TimeZone.h"

namespace plover::test {
namespace {

const char* kInfo = "<F-Name>CAM1.MP4</F-Name><TZoneInfo gmt=\"+09:00\"/>";

std::string Sample(int second, const char* latitude) {
  return "<TS>2016/02/29 10:00:0" + std::to_string(second) + "</TS><GPS><Latitude>" + latitude + "</Latitude></GPS>";
}

TEST(FileFacade, ContainerThenTextFile) {
  ScopedTimeZone zone("JST-9");
  TempDir dir;
  ContainerWriter writer;
  writer.AddFileInfo(kInfo);
  writer.AddData({{1, {{ContainerItem::kSample, Sample(1, "N35.1")}}}});
  const std::string container = dir.File("c.dat"), text = dir.File("t.xml");
  ASSERT_TRUE(WriteFile(container, writer.Finish()));
  ASSERT_TRUE(WriteFile(text, MakeTextFile(kInfo, {{5, Sample(5, "N35.5")}})));

  CMetaParser parser;
  EXPECT_EQ(parser.inputdata_file(container.c_str(), 2), -2);
  ASSERT_EQ(parser.inputdata_file(container.c_str(), 0), 0);
  EXPECT_EQ(parser.inputdata_file(text.c_str(), 1), -2);  // the form stays until cleared
  char ts[64] = {}, latitude[64] = {}, gmt[64] = {}, zoneText[64] = "untouched";
  _SP_INFO_OSD_MK2 sample{};
  sample.ts = ts;
  sample.latitude = latitude;
  ASSERT_EQ(parser.outdata_pinfo_osd_mk2(container.c_str(), 2, 1, &sample), 1);
  EXPECT_STREQ(latitude, "N35.1");
  EXPECT_EQ(sample.sampleTime, 1456707601);  // 01:00:01 UTC
  _SF_INFO_OSD_MK2 info{};
  info.timeZoneGmt = gmt;
  info.timeZone = zoneText;
  ASSERT_EQ(parser.outdata_finfo_osd_mk2(container.c_str(), &info), 1);
  EXPECT_EQ(std::string(gmt) + zoneText, "+09:00untouched");

  EXPECT_EQ(parser.SetOsdInfoSizeMk2(8), 1);
  parser.clear_metadata();  // forgets the files and the form, keeps the size
  EXPECT_EQ(parser.outdata_finfo_osd_mk2(container.c_str(), &info), 0);
  ASSERT_EQ(parser.inputdata_file(text.c_str(), 1), 0);
  CMetaParser copy;
  copy = parser;  // copies are independent
  parser.clear_metadata();
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(text.c_str(), 5, 1, &sample), 0);
  ASSERT_EQ(copy.outdata_pinfo_osd_mk2(text.c_str(), 5, 1, &sample), 1);
  EXPECT_EQ(ts[0], '\0');           // 19 characters do not fit 8 bytes
  EXPECT_STREQ(latitude, "N35.5");  // 5 characters do
}

}  // namespace
}  // namespace plover::test
