// One realistic document with every section, handed in and questioned
// through the public interface only.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DocumentSamples.h"
#include "PloverMetaParser.h"
#include "SettingsRecord.h"
#include "TimeZone.h"

namespace {

using namespace plover::test;

constexpr uint64_t k0800 = 1700035200;  // 2023-11-15 08:00:00 in UTC

std::string Index(const std::string& no, const std::string& time, const std::string& gstat, const std::string& lat) {
  std::string s = "<Index no=\"" + no + "\">\r\n<TS>2023/11/15 " + time + "</TS>\r\n<G-STAT>" + gstat + "</G-STAT>\r\n";
  s += "<GPS>\r\n<Latitude>" + lat +
       "</Latitude>\r\n<Own>12</Own>\r\n</GPS>\r\n<Radar>\r\n<Speed id=\"5\">50</Speed>\r\n</Radar>\r\n";
  if (no == "1") s += "<CAM-STAT c1 model=\"RB-TN61\"/>\r\n<CAM-STAT c2 model=\"OTHER\"/>\r\n";
  return s + "</Index>\r\n";
}

// With the speed trigger on input 15, sample 2 differs from sample 1 only in
// character 15 of its status row and is dropped.
std::string Document() {
  const std::string logins = Login("2023-11-15 08:00:00", "Ann") + "\r\n" + Login("2023-11-15 08:00:00", "Bob") +
                             "\r\n" + Login("2023-11-15 09:00:00", "Cid");
  const std::string files =
      File("1", "v", "cam1-b.mp4", "2023-11-15 08:30:00") + File("1", "v", "cam1-a.mp4", "2023-11-15 08:00:00") +
      File("2", "x", "cam2.mp4", "2023-11-15 08:00:00") + File("1", "a", "mic1.wav", "2023-11-15 08:00:00");
  return "<?xml version=\"1.0\"?>\r\n<Metadata>\r\n" + VInfo("REC-9") +
         FInfo(FullSettings("S3", "ON") + LoginInfo(logins) + FileList(files)) + "<P-Info>\r\n" +
         Index("1", "08:00:00.000", std::string(24, '0'), "N35.1") +
         Index("2", "08:00:01.000", std::string(14, '0') + "1" + std::string(9, '0'), "N35.2") +
         Index("3", "08:00:02.000", "1" + std::string(23, '0'), "N35.3") +
         "</P-Info>\r\n<AVHash>av-hash</AVHash>\r\n<METAHash>meta-hash</METAHash>\r\n</Metadata>\r\n";
}

TEST(DocumentFacade, EverySectionThroughThePublicClass) {
  ScopedTimeZone utc{"UTC0"};
  CMetaParser parser;
  std::string doc = Document();
  ASSERT_EQ(parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), static_cast<PMP_ULONG>(doc.size()), "m"),
            0);
  EXPECT_EQ(parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), 10, nullptr), -2);
  std::vector<unsigned char> out(doc.size());
  const auto size = static_cast<PMP_ULONG>(out.size());
  const char* sections[] = {"<V-Info>", "<P-Info>", "<F-Info>", "<AVHash>av-hash</AVHash>", "<METAHash>meta-hash"};
  for (PMP_LONG type = 0; type < 5; ++type) {
    ASSERT_GT(parser.outdata_str("m", type, out.data(), size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data()), std::strlen(sections[type])), sections[type]);
  }
  EXPECT_EQ(parser.GetCameraModelRate(1) * 10 + parser.GetCameraModelRate(2), 1);  // a listed model, another

  SampleRecord sample;
  const uint64_t halfPast = k0800 * 1000 + 500;
  ASSERT_EQ(parser.outdata_pinfo_osd(halfPast, 0, &sample.record), 1);
  EXPECT_STREQ(sample.record.latitude, "N35.3");  // sample 2 was dropped
  EXPECT_EQ(sample.record.sampleTime, k0800 * 1000 + 2000);
  LoginRecordOut login;
  ASSERT_EQ(parser.outdata_loginInfo_osd(k0800 + 60, 0, &login.record), 1);
  EXPECT_STREQ(login.record.officerId[0], "ID-Cid");
  _META_VO_SFILELIST* list = nullptr;
  int files = 0;
  char name[256];
  SettingsRecord settings;

  ASSERT_EQ(parser.SetOsdInfoSize(5), 1);
  ASSERT_EQ(parser.outdata_pinfo_osd(0, 0, &sample.record), 1);
  EXPECT_STREQ(sample.record.latitude, "");  // "N35.1" needs 6 bytes
  parser.clear_metadata();
  EXPECT_EQ(parser.GetCameraModelRate(1), 0);  // rates stay
  EXPECT_EQ(parser.outdata_finfo_osd("m", &settings.record), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd(0, 0, &sample.record), 0);
  EXPECT_EQ(parser.outdata_loginInfo_osd(0, 0, &login.record), 0);
  EXPECT_EQ(parser.GetAv3File(0, 1, &list, &files, "m"), 0);
  EXPECT_EQ(parser.GetMetaFileName("cam1-a.mp4", name), 0);
  EXPECT_EQ(parser.GetModelTypeVinfo("m", "REC-9"), -1);
}

}  // namespace
