// Both file forms end to end through the exported class, as a viewer uses it.
#include <gtest/gtest.h>

#include <cstring>
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
  writer.AddData(
      {{1, {{ContainerItem::kSample, Sample(1, "N35.1")}}}, {3, {{ContainerItem::kSample, Sample(3, "N35.3")}}}});
  const std::string container = dir.File("c.dat"), text = dir.File("t.xml");
  ASSERT_TRUE(WriteFile(container, writer.Finish()));
  ASSERT_TRUE(WriteFile(text, MakeTextFile(kInfo, {{5, Sample(5, "N35.5")}})));

  CMetaParser parser;
  EXPECT_EQ(parser.inputdata_file(container.c_str(), 2), -2);
  ASSERT_EQ(parser.inputdata_file(container.c_str(), 0), 0);
  EXPECT_EQ(parser.inputdata_file(container.c_str(), 0), -2);
  EXPECT_EQ(parser.inputdata_file(text.c_str(), 1), -2);

  char ts[64] = {}, latitude[64] = {}, fileName[64] = {};
  _SP_INFO_OSD_MK2 sample{};
  sample.ts = ts;
  sample.latitude = latitude;
  sample.fileName = fileName;
  ASSERT_EQ(parser.outdata_pinfo_osd_mk2(container.c_str(), 2, 1, &sample), 1);
  EXPECT_STREQ(ts, "2016/02/29 10:00:01");
  EXPECT_STREQ(latitude, "N35.1");
  EXPECT_STREQ(fileName, container.c_str());
  EXPECT_EQ(sample.sampleTime, 1456707601);  // 01:00:01 UTC
  EXPECT_EQ(sample.indexNumber, 1u);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(container.c_str(), 4, 0, &sample), 0);

  char name[64] = {}, gmt[64] = {}, zoneText[64] = "untouched";
  _SF_INFO_OSD_MK2 info{};
  info.fileName = name;
  info.timeZoneGmt = gmt;
  info.timeZone = zoneText;
  EXPECT_EQ(parser.outdata_finfo_osd_mk2(nullptr, &info), 0);
  ASSERT_EQ(parser.outdata_finfo_osd_mk2(container.c_str(), &info), 1);
  EXPECT_STREQ(name, "CAM1.MP4");
  EXPECT_STREQ(gmt, "+09:00");
  EXPECT_STREQ(zoneText, "untouched");

  EXPECT_EQ(parser.SetOsdInfoSizeMk2(8), 1);
  parser.clear_metadata();  // forgets the files and the form, keeps the size
  EXPECT_EQ(parser.outdata_finfo_osd_mk2(container.c_str(), &info), 0);
  ASSERT_EQ(parser.inputdata_file(text.c_str(), 1), 0);
  ASSERT_EQ(parser.outdata_pinfo_osd_mk2(text.c_str(), 5, 1, &sample), 1);
  EXPECT_EQ(ts[0], '\0');           // 19 characters do not fit 8 bytes
  EXPECT_STREQ(latitude, "N35.5");  // 5 characters do

  CMetaParser copy;
  copy = parser;  // copies are independent
  parser.clear_metadata();
  EXPECT_EQ(copy.outdata_pinfo_osd_mk2(text.c_str(), 5, 1, &sample), 1);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(text.c_str(), 5, 1, &sample), 0);
}

}  // namespace
}  // namespace plover::test
