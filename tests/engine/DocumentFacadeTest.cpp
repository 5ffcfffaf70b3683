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
  s += "<GPS>\r\n<Latitude>" + lat + "</Latitude>\r\n<Longitude>E139.7</Longitude>\r\n<Own>12</Own>\r\n</GPS>\r\n";
  s += "<Radar>\r\n";
  for (int n = 1; n <= 5; ++n) s += "<Speed id=\"" + Num(n) + "\">" + Num(10 * n) + "</Speed>\r\n";
  s += "</Radar>\r\n";
  if (no == "1") s += "<CAM-STAT c1 model=\"RB-TN61\" rec=\"1\"/>\r\n<CAM-STAT c2 model=\"OTHER\" rec=\"0\"/>\r\n";
  return s + "</Index>\r\n";
}

std::string Document() {
  std::string doc = "<?xml version=\"1.0\"?>\r\n<Metadata>\r\n" + VInfo("REC-9");
  const std::string logins = Login("2023-11-15 08:00:00", "Ann") + "\r\n" + Login("2023-11-15 08:00:00", "Bob") +
                             "\r\n" + Login("2023-11-15 09:00:00", "Cid");
  const std::string files =
      File("1", "v", "cam1-b.mp4", "2023-11-15 08:30:00") + File("1", "v", "cam1-a.mp4", "2023-11-15 08:00:00") +
      File("2", "x", "cam2.mp4", "2023-11-15 08:00:00") + File("1", "a", "mic1.wav", "2023-11-15 08:00:00");
  doc += FInfo(FullSettings("S3", "ON") + LoginInfo(logins) + FileList(files));
  // With the speed trigger on input 15, sample 2 differs from sample 1 only
  // in character 15 of its status row and is dropped.
  doc += "<P-Info>\r\n" + Index("1", "08:00:00.000", std::string(24, '0'), "N35.1") +
         Index("2", "08:00:01.000", std::string(14, '0') + "1" + std::string(9, '0'), "N35.2") +
         Index("3", "08:00:02.000", "1" + std::string(23, '0'), "N35.3") + "</P-Info>\r\n";
  return doc + "<AVHash>av-hash</AVHash>\r\n<METAHash>meta-hash</METAHash>\r\n</Metadata>\r\n";
}

class DocumentFacade : public ::testing::Test {
 protected:
  void SetUp() override {
    doc = Document();
    ASSERT_EQ(
        parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), static_cast<PMP_ULONG>(doc.size()), "meta.xml"),
        0);
  }
  ScopedTimeZone utc{"UTC0"};
  CMetaParser parser;
  std::string doc;
};

TEST_F(DocumentFacade, SettingsSectionsAndDevice) {
  EXPECT_EQ(parser.inputdata_xml(nullptr, 10, "x"), -1);
  EXPECT_EQ(parser.inputdata_xml(reinterpret_cast<unsigned char*>(&doc[0]), 10, nullptr), -2);  // refused
  SettingsRecord settingsOut;
  _SF_INFO_OSD& settings = settingsOut.record;
  ASSERT_EQ(parser.outdata_finfo_osd("meta.xml", &settings), 1);
  EXPECT_STREQ(settings.cameraId, "UNIT-0042");
  EXPECT_STREQ(settings.gpiRefTrigger[14], "S3");
  EXPECT_STREQ(settings.fov[4], "fov5");
  EXPECT_STREQ(settings.recordingAudioBps[2], "abps3");
  EXPECT_EQ(parser.outdata_finfo_osd("other.xml", &settings), 0);

  std::vector<unsigned char> out(doc.size() + 1);
  const PMP_ULONG size = static_cast<PMP_ULONG>(out.size());
  EXPECT_EQ(parser.outdata_str("meta.xml", 5, out.data(), size), static_cast<PMP_LONG>(doc.size()));
  EXPECT_EQ(std::string(out.begin(), out.end() - 1), doc);
  const char* sections[] = {"<V-Info>", "<P-Info>", "<F-Info>", "<AVHash>av-hash</AVHash>",
                            "<METAHash>meta-hash</METAHash>"};
  for (PMP_LONG type = 0; type < 5; ++type) {
    const PMP_LONG n = parser.outdata_str("meta.xml", type, out.data(), size);
    ASSERT_GT(n, 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out.data()), std::strlen(sections[type])), sections[type]);
    EXPECT_EQ(doc.find(std::string(reinterpret_cast<char*>(out.data()), static_cast<size_t>(n))) == std::string::npos,
              false);
  }
  EXPECT_EQ(parser.outdata_str("meta.xml", 6, out.data(), size), -1);
  EXPECT_EQ(parser.outdata_str(nullptr, 2, out.data(), size), 0);

  EXPECT_EQ(parser.GetModelTypeVinfo("meta.xml", "REC-9"), 1);
  EXPECT_EQ(parser.GetModelTypeVinfo("meta.xml", "REC-8"), 0);
  EXPECT_EQ(parser.GetModelTypeVinfo("other.xml", "REC-9"), -1);
  EXPECT_EQ(parser.GetCameraModelRate(1), 0);  // a listed model
  EXPECT_EQ(parser.GetCameraModelRate(2), 1);
  EXPECT_EQ(parser.GetCameraModelRate(3), -1);
}

TEST_F(DocumentFacade, SamplesAndLogins) {
  SampleRecord sampleOut;
  _SP_INFO_OSD& sample = sampleOut.record;
  const uint64_t halfPast = (k0800 * 1000) + 500;
  ASSERT_EQ(parser.outdata_pinfo_osd(halfPast, 0, &sample), 1);
  EXPECT_STREQ(sample.latitude, "N35.3");  // sample 2 was dropped by the speed trigger
  EXPECT_EQ(sample.sampleTime, k0800 * 1000 + 2000);
  ASSERT_EQ(parser.outdata_pinfo_osd(halfPast, 1, &sample), 1);
  EXPECT_STREQ(sample.latitude, "N35.1");
  EXPECT_STREQ(sample.longitude, "E139.7");
  EXPECT_STREQ(sample.own, "12");
  EXPECT_STREQ(sample.speed[4], "50");
  EXPECT_STREQ(sample.gStat, std::string(24, '0').c_str());
  EXPECT_STREQ(sample.ts, "2023/11/15 08:00:00.000");
  EXPECT_STREQ(sample.fileName, "meta.xml");

  std::vector<unsigned char> text(4096);
  PMP_UINT64 found = 0;
  PMP_LONG count = -1;
  const PMP_LONG n = parser.outdata_num(halfPast, 0, 0, text.data(), 4096, &found, &count);
  ASSERT_GT(n, 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(text.data()), 16), "<Index no=\"3\">\r\n");
  EXPECT_EQ(count, 3);
  EXPECT_EQ(found, k0800 * 1000 + 2000);
  const std::string joined = Login("2023-11-15 08:00:00", "Ann") + "\r\n" + Login("2023-11-15 08:00:00", "Bob");
  EXPECT_EQ(parser.outdata_num(k0800 + 60, 1, 1, text.data(), 4096, &found, &count),
            static_cast<PMP_LONG>(joined.size()));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(text.data()), joined.size()), joined);

  LoginRecordOut loginOut;
  _SLOGIN_INFO_OSD& login = loginOut.record;
  ASSERT_EQ(parser.outdata_loginInfo_osd(k0800 + 60, 1, &login), 1);
  EXPECT_STREQ(login.firstName[0], "Ann");
  EXPECT_EQ(login.loginTime, k0800);
  ASSERT_EQ(parser.outdata_loginInfo_osd(k0800 + 60, 0, &login), 1);
  EXPECT_STREQ(login.firstName[0], "Cid");
  EXPECT_STREQ(login.officerId[0], "ID-Cid");
}

TEST_F(DocumentFacade, FilesSizesAndClearing) {
  _META_VO_SFILELIST* list = nullptr;
  int count = 0;
  ASSERT_EQ(parser.GetAv3File(0, 1, &list, &count, "meta.xml"), 1);
  ASSERT_EQ(count, 2);
  EXPECT_STREQ(list[0].fileName, "cam1-a.mp4");
  EXPECT_STREQ(list[1].fileName, "cam1-b.mp4");
  ReleaseAv3FileList(list);
  EXPECT_EQ(parser.GetAv3File(0, 1, nullptr, &count, "meta.xml"), 0);

  char name[256];
  for (const char* file : {"cam1-a.mp4", "cam2.mp4", "mic1.wav"}) {
    std::memset(name, '#', sizeof name);
    ASSERT_EQ(parser.GetMetaFileName(file, name), 1) << file;
    EXPECT_STREQ(name, "meta.xml");
  }
  EXPECT_EQ(parser.GetMetaFileName("cam9.mp4", name), 0);
  EXPECT_EQ(parser.GetMetaFileName(nullptr, name), 0);

  unsigned int size = 0;
  ASSERT_EQ(parser.SetOsdInfoSize(5), 1);
  SampleRecord sampleOut;
  _SP_INFO_OSD& sample = sampleOut.record;
  ASSERT_EQ(parser.outdata_pinfo_osd(0, 0, &sample), 1);
  EXPECT_STREQ(sample.latitude, "");  // "N35.1" needs 6 bytes
  EXPECT_STREQ(sample.ts, "");

  parser.clear_metadata();
  ASSERT_EQ(parser.GetOsdInfoSize(&size), 1);
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(parser.GetCameraModelRate(1), 0);
  _SF_INFO_OSD settings{};
  _SLOGIN_INFO_OSD login{};
  EXPECT_EQ(parser.outdata_finfo_osd("meta.xml", &settings), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd(0, 0, &sample), 0);
  EXPECT_EQ(parser.outdata_loginInfo_osd(0, 0, &login), 0);
  EXPECT_EQ(parser.GetAv3File(0, 1, &list, &count, "meta.xml"), 0);
  EXPECT_EQ(parser.GetMetaFileName("cam1-a.mp4", name), 0);
  EXPECT_EQ(parser.GetModelTypeVinfo("meta.xml", "REC-9"), -1);
}

}  // namespace
