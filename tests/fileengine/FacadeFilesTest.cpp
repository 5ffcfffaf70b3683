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

const char* kInfo = "<F-Name>CAM1.MP4</F-Name><TZoneInfo gmt=\"+09:00\"/><Agency>City</Agency>";

std::string Sample(int second, const char* latitude) {
  return "<TS>2016/02/29 10:00:0" + std::to_string(second) + "</TS><GPS><Latitude>" + latitude +
         "</Latitude></GPS><Radar><Target>" + std::to_string(second) + "</Target></Radar>";
}

struct Buffers {
  char text[8][64] = {};
  _SP_INFO_OSD_MK2 record{};
  Buffers() {
    char** fields[] = {&record.ts,  &record.gStat,    &record.latitude,    &record.longitude,
                       &record.own, &record.radarOwn, &record.radarTarget, &record.fileName};
    for (int i = 0; i < 8; ++i) *fields[i] = text[i];
  }
};

TEST(FileFacade, ContainerThenTextFile) {
  ScopedTimeZone zone("JST-9");
  TempDir dir;
  ASSERT_FALSE(dir.path().empty());
  ContainerWriter writer;
  writer.AddFileInfo(kInfo);
  writer.AddData({{1, {{ContainerItem::kSample, Sample(1, "N35.1"), std::nullopt}}},
                  {3, {{ContainerItem::kSample, Sample(3, "N35.3"), std::nullopt}}}});
  const std::string container = dir.File("c.dat");
  ASSERT_TRUE(WriteFile(container, writer.Finish()));
  const std::string text = dir.File("t.xml");
  ASSERT_TRUE(WriteFile(text, MakeTextFile(kInfo, {{5, Sample(5, "N35.5")}})));

  CMetaParser parser;
  EXPECT_EQ(parser.inputdata_file(nullptr, 0), -1);
  EXPECT_EQ(parser.inputdata_file(container.c_str(), 2), -2);
  ASSERT_EQ(parser.inputdata_file(container.c_str(), 0), 0);
  EXPECT_EQ(parser.inputdata_file(container.c_str(), 0), -2);
  EXPECT_EQ(parser.inputdata_file(text.c_str(), 1), -2);

  Buffers b;
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(container.c_str(), 2, 1, &b.record), 1);
  EXPECT_STREQ(b.record.ts, "2016/02/29 10:00:01");
  EXPECT_STREQ(b.record.latitude, "N35.1");
  EXPECT_STREQ(b.record.radarTarget, "1");
  EXPECT_STREQ(b.record.fileName, container.c_str());
  EXPECT_EQ(b.record.sampleTime, 1456707601);  // 01:00:01 UTC
  EXPECT_EQ(b.record.indexNumber, 1u);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(container.c_str(), 2, 0, &b.record), 1);
  EXPECT_EQ(b.record.indexNumber, 3u);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(container.c_str(), 4, 0, &b.record), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(container.c_str(), 4, 2, &b.record), 0);

  char name[64] = {}, gmt[64] = {}, agency[64] = "untouched", zoneText[64] = "untouched";
  _SF_INFO_OSD_MK2 info{};
  info.fileName = name;
  info.timeZoneGmt = gmt;
  info.agency = agency;
  info.timeZone = zoneText;
  EXPECT_EQ(parser.outdata_finfo_osd_mk2(nullptr, &info), 0);
  EXPECT_EQ(parser.outdata_finfo_osd_mk2(container.c_str(), nullptr), 0);
  ASSERT_EQ(parser.outdata_finfo_osd_mk2(container.c_str(), &info), 1);
  EXPECT_STREQ(name, "CAM1.MP4");
  EXPECT_STREQ(gmt, "+09:00");
  EXPECT_STREQ(agency, "City");
  EXPECT_STREQ(zoneText, "untouched");

  EXPECT_EQ(parser.SetOsdInfoSizeMk2(8), 1);
  parser.clear_metadata();
  unsigned int size = 0;
  EXPECT_EQ(parser.GetOsdInfoSizeMk2(&size), 1);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(parser.outdata_finfo_osd_mk2(container.c_str(), &info), 0);

  ASSERT_EQ(parser.inputdata_file(text.c_str(), 1), 0);
  std::strcpy(b.record.latitude, "old");
  ASSERT_EQ(parser.outdata_pinfo_osd_mk2(text.c_str(), 5, 1, &b.record), 1);
  EXPECT_EQ(b.record.ts[0], '\0');           // 19 characters do not fit 8 bytes
  EXPECT_STREQ(b.record.latitude, "N35.5");  // 5 characters do
  EXPECT_EQ(b.record.indexNumber, 5u);

  CMetaParser copy;
  copy = parser;  // copies are independent
  parser.clear_metadata();
  EXPECT_EQ(copy.outdata_pinfo_osd_mk2(text.c_str(), 5, 1, &b.record), 1);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(text.c_str(), 5, 1, &b.record), 0);
}

}  // namespace
}  // namespace plover::test
