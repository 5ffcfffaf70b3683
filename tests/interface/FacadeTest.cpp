// The public class as a viewer sees it: argument checks in their order, the
// mapping of engine answers to return codes, settings and assignment.
#include <gtest/gtest.h>

#include <cstring>

#include "PloverMetaParser.h"

namespace {

TEST(FacadeSettings, OsdInfoSizesStartAt64AndAcceptAnyValue) {
  CMetaParser parser;
  unsigned int size = 0;
  EXPECT_EQ(parser.GetOsdInfoSize(&size), 1);
  EXPECT_EQ(size, 64u);
  EXPECT_EQ(parser.GetOsdInfoSizeMk2(&size), 1);
  EXPECT_EQ(size, 64u);
  EXPECT_EQ(parser.GetOsdInfoSize(nullptr), 0);
  EXPECT_EQ(parser.GetOsdInfoSizeMk2(nullptr), 0);

  EXPECT_EQ(parser.SetOsdInfoSize(0), 1);
  EXPECT_EQ(parser.SetOsdInfoSizeMk2(128), 1);
  parser.GetOsdInfoSize(&size);
  EXPECT_EQ(size, 0u);
  parser.GetOsdInfoSizeMk2(&size);
  EXPECT_EQ(size, 128u);
}

TEST(FacadeSettings, ClearingKeepsOsdInfoSizesAndRates) {
  CMetaParser parser;
  parser.SetOsdInfoSize(32);
  parser.SetOsdInfoSizeMk2(16);
  parser.clear_metadata();
  parser.ClearVTTData();
  unsigned int size = 0;
  parser.GetOsdInfoSize(&size);
  EXPECT_EQ(size, 32u);
  parser.GetOsdInfoSizeMk2(&size);
  EXPECT_EQ(size, 16u);
  EXPECT_EQ(parser.GetCameraModelRate(1), -1);
}

TEST(FacadeSettings, CameraModelRateIndexOutsideOneToFiveIsZero) {
  CMetaParser parser;
  EXPECT_EQ(parser.GetCameraModelRate(0), 0);
  EXPECT_EQ(parser.GetCameraModelRate(6), 0);
  EXPECT_EQ(parser.GetCameraModelRate(-1), 0);
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(parser.GetCameraModelRate(i), -1) << i;
}

TEST(FacadeChecks, IntakeRejectsNullAndEmptyArguments) {
  CMetaParser parser;
  unsigned char byte = 0;
  _SP_INFO_OSD record;
  std::memset(&record, 0, sizeof record);
  EXPECT_EQ(parser.inputdata_xml(nullptr, 10, "a.xml"), -1);
  // A rejected argument of inputdata_binary is 0, not -1.
  EXPECT_EQ(parser.inputdata_binary(nullptr, 284, nullptr, 0, &record), 0);
  EXPECT_EQ(parser.inputdata_binary(&byte, 284, nullptr, 0, nullptr), 0);
  EXPECT_EQ(parser.inputdata_file(nullptr, 0), -1);
  EXPECT_EQ(parser.inputdata_VTT(nullptr, 10), -1);
  EXPECT_EQ(parser.inputdata_VTT(&byte, 0), -1);
}

TEST(FacadeChecks, ShortBinaryRecordIsAnEngineFailure) {
  CMetaParser parser;
  unsigned char data[283] = {};
  _SP_INFO_OSD record;
  std::memset(&record, 0, sizeof record);
  EXPECT_EQ(parser.inputdata_binary(data, sizeof data, nullptr, 0, &record), -2);
}

TEST(FacadeChecks, OutdataNumChecksSelectorsAndPointers) {
  CMetaParser parser;
  unsigned char buffer[16];
  PMP_UINT64 found = 77;
  PMP_LONG count = 5;
  EXPECT_EQ(parser.outdata_num(0, 2, 0, buffer, sizeof buffer, &found, &count), -1);
  EXPECT_EQ(parser.outdata_num(0, -1, 0, buffer, sizeof buffer, &found, &count), -1);
  EXPECT_EQ(parser.outdata_num(0, 0, 2, buffer, sizeof buffer, &found, &count), -1);
  EXPECT_EQ(parser.outdata_num(0, 0, 0, nullptr, sizeof buffer, &found, &count), -1);
  EXPECT_EQ(parser.outdata_num(0, 0, 0, buffer, sizeof buffer, &found, nullptr), -1);
  // A null foundTime is not checked here: the query runs and finds nothing.
  EXPECT_EQ(parser.outdata_num(0, 0, 0, buffer, sizeof buffer, nullptr, &count), 0);
  EXPECT_EQ(parser.outdata_num(0, 1, 1, buffer, sizeof buffer, &found, &count), 0);
  EXPECT_EQ(found, 77u);
  EXPECT_EQ(count, 5);
}

TEST(FacadeChecks, OutdataStrChecksTypeBeforeLookup) {
  CMetaParser parser;
  unsigned char buffer[16];
  EXPECT_EQ(parser.outdata_str("a.xml", 6, buffer, sizeof buffer), -1);
  EXPECT_EQ(parser.outdata_str("a.xml", -1, buffer, sizeof buffer), -1);
  EXPECT_EQ(parser.outdata_str("a.xml", 0, nullptr, sizeof buffer), -1);
  for (PMP_LONG type = 0; type <= 5; ++type) EXPECT_EQ(parser.outdata_str("unknown", type, buffer, 16), 0);
}

TEST(FacadeChecks, DisplayQueriesAnswerZeroForBadArguments) {
  CMetaParser parser;
  _SF_INFO_OSD finfo;
  _SP_INFO_OSD pinfo;
  _SLOGIN_INFO_OSD login;
  _SF_INFO_OSD_MK2 finfo2;
  _SP_INFO_OSD_MK2 pinfo2;
  std::memset(&finfo, 0, sizeof finfo);
  std::memset(&pinfo, 0, sizeof pinfo);
  std::memset(&login, 0, sizeof login);
  std::memset(&finfo2, 0, sizeof finfo2);
  std::memset(&pinfo2, 0, sizeof pinfo2);

  EXPECT_EQ(parser.outdata_finfo_osd("a.xml", nullptr), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd(0, 0, nullptr), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd(0, 2, &pinfo), 0);
  EXPECT_EQ(parser.outdata_loginInfo_osd(0, 0, nullptr), 0);
  EXPECT_EQ(parser.outdata_loginInfo_osd(0, -1, &login), 0);
  EXPECT_EQ(parser.outdata_finfo_osd_mk2("a.dat", nullptr), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2("a.dat", 0, 0, nullptr), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2(nullptr, 0, 0, &pinfo2), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2("a.dat", 0, 2, &pinfo2), 0);

  // Unchecked null names are answered like unknown ones.
  EXPECT_EQ(parser.outdata_finfo_osd(nullptr, &finfo), 0);
  EXPECT_EQ(parser.outdata_finfo_osd_mk2(nullptr, &finfo2), 0);
  EXPECT_EQ(parser.outdata_str(nullptr, 5, reinterpret_cast<unsigned char*>(&finfo), 4), 0);
  // Empty engines find nothing.
  EXPECT_EQ(parser.outdata_pinfo_osd(0, 1, &pinfo), 0);
  EXPECT_EQ(parser.outdata_loginInfo_osd(0, 1, &login), 0);
  EXPECT_EQ(parser.outdata_pinfo_osd_mk2("a.dat", 0, 1, &pinfo2), 0);
}

TEST(FacadeChecks, FileListAndNameLookupsRejectNulls) {
  CMetaParser parser;
  _META_VO_SFILELIST* list = nullptr;
  int count = 3;
  char out[256] = "keep";
  EXPECT_EQ(parser.GetAv3File(0, 1, nullptr, &count, "a.xml"), 0);
  EXPECT_EQ(parser.GetAv3File(0, 1, &list, nullptr, "a.xml"), 0);
  EXPECT_EQ(parser.GetAv3File(0, 1, &list, &count, nullptr), 0);
  EXPECT_EQ(parser.GetAv3File(0, 1, &list, &count, "unknown"), 0);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(parser.GetMetaFileName("x.mp4", nullptr), 0);
  EXPECT_EQ(parser.GetMetaFileName(nullptr, out), 0);
  EXPECT_STREQ(out, "keep");
  EXPECT_EQ(parser.GetModelTypeVinfo(nullptr, "M"), -1);
  EXPECT_EQ(parser.GetModelTypeVinfo("a.xml", nullptr), -1);
  EXPECT_EQ(parser.GetModelTypeVinfo("unknown", "M"), -1);
  ReleaseAv3FileList(nullptr);  // ignored
}

TEST(FacadeChecks, CaptionLookupRejectsNulls) {
  CMetaParser parser;
  _VTT_OSD_INFO record;
  EXPECT_EQ(parser.GetVTTData(nullptr, &record), -1);
  EXPECT_EQ(parser.GetVTTData("00:00:01.000", nullptr), -1);
  EXPECT_EQ(parser.GetVTTData("00:00:01.000", &record), -1);  // empty store
}

TEST(FacadeAssignment, CopiesStateIntoIndependentEngines) {
  CMetaParser source;
  source.SetOsdInfoSize(40);
  source.SetOsdInfoSizeMk2(50);
  {
    CMetaParser target;
    target = source;
    target = target;  // self-assignment changes nothing
    unsigned int size = 0;
    target.GetOsdInfoSize(&size);
    EXPECT_EQ(size, 40u);
    target.GetOsdInfoSizeMk2(&size);
    EXPECT_EQ(size, 50u);
    source.SetOsdInfoSize(41);
    target.GetOsdInfoSize(&size);
    EXPECT_EQ(size, 40u);
  }  // the target's destruction leaves the source's engines alone
  unsigned int size = 0;
  EXPECT_EQ(source.GetOsdInfoSize(&size), 1);
  EXPECT_EQ(size, 41u);
}

}  // namespace
