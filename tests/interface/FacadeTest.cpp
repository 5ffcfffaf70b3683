// The public class as a viewer sees it: argument checks, the mapping of
// engine answers to return codes, settings, clearing and assignment.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "PloverMetaParser.h"

namespace {

TEST(FacadeChecks, BadArgumentsGiveTheirCode) {
  CMetaParser p;
  unsigned char byte = 'x', buffer[16], short283[283] = {};
  PMP_UINT64 found = 77;
  PMP_LONG count = 5;
  int n = 3;
  char out[256] = "keep";
  _SP_INFO_OSD pinfo{};
  _SLOGIN_INFO_OSD login{};
  _SF_INFO_OSD finfo{};
  _SF_INFO_OSD_MK2 finfo2{};
  _SP_INFO_OSD_MK2 pinfo2{};
  _VTT_OSD_INFO cue;
  _META_VO_SFILELIST* list = nullptr;
  const struct {
    const char* what;
    std::function<long()> call;
    long expected;
  } cases[] = {
      {"xml null", [&] { return p.inputdata_xml(nullptr, 10, "a.xml"); }, -1},
      {"binary null data is 0", [&] { return p.inputdata_binary(nullptr, 284, nullptr, 0, &pinfo); }, 0},
      {"binary null record is 0", [&] { return p.inputdata_binary(&byte, 284, nullptr, 0, nullptr); }, 0},
      {"binary 283 bytes", [&] { return p.inputdata_binary(short283, 283, nullptr, 0, &pinfo); }, -2},
      {"file null", [&] { return p.inputdata_file(nullptr, 0); }, -1},
      {"vtt null", [&] { return p.inputdata_VTT(nullptr, 10); }, -1},
      {"vtt empty", [&] { return p.inputdata_VTT(&byte, 0); }, -1},
      {"num selA 2", [&] { return p.outdata_num(0, 2, 0, buffer, 16, &found, &count); }, -1},
      {"num selB 2", [&] { return p.outdata_num(0, 0, 2, buffer, 16, &found, &count); }, -1},
      {"num null buffer", [&] { return p.outdata_num(0, 0, 0, nullptr, 16, &found, &count); }, -1},
      {"num null count", [&] { return p.outdata_num(0, 0, 0, buffer, 16, &found, nullptr); }, -1},
      {"num null found runs", [&] { return p.outdata_num(0, 0, 0, buffer, 16, nullptr, &count); }, 0},
      {"str type 6", [&] { return p.outdata_str("a.xml", 6, buffer, 16); }, -1},
      {"str type -1", [&] { return p.outdata_str("a.xml", -1, buffer, 16); }, -1},
      {"str type 5 unknown", [&] { return p.outdata_str("a.xml", 5, buffer, 16); }, 0},
      {"str null name", [&] { return p.outdata_str(nullptr, 5, buffer, 16); }, 0},
      {"pinfo sel 2", [&] { return p.outdata_pinfo_osd(0, 2, &pinfo); }, 0},
      {"pinfo empty", [&] { return p.outdata_pinfo_osd(0, 1, &pinfo); }, 0},
      {"login sel -1", [&] { return p.outdata_loginInfo_osd(0, -1, &login); }, 0},
      {"finfo null name", [&] { return p.outdata_finfo_osd(nullptr, &finfo); }, 0},
      {"mk2 finfo null name", [&] { return p.outdata_finfo_osd_mk2(nullptr, &finfo2); }, 0},
      {"mk2 pinfo sel 2", [&] { return p.outdata_pinfo_osd_mk2("a.dat", 0, 2, &pinfo2); }, 0},
      {"mk2 pinfo null name", [&] { return p.outdata_pinfo_osd_mk2(nullptr, 0, 0, &pinfo2); }, 0},
      {"file list null list", [&] { return p.GetAv3File(0, 1, nullptr, &n, "a.xml"); }, 0},
      {"file list unknown", [&] { return p.GetAv3File(0, 1, &list, &n, "unknown"); }, 0},
      {"meta name null out", [&] { return p.GetMetaFileName("x.mp4", nullptr); }, 0},
      {"meta name null name", [&] { return p.GetMetaFileName(nullptr, out); }, 0},
      {"model null", [&] { return p.GetModelTypeVinfo("a.xml", nullptr); }, -1},
      {"model unknown", [&] { return p.GetModelTypeVinfo("unknown", "M"); }, -1},
      {"rate 0", [&] { return p.GetCameraModelRate(0); }, 0},
      {"rate 6", [&] { return p.GetCameraModelRate(6); }, 0},
      {"rate 5 unset", [&] { return p.GetCameraModelRate(5); }, -1},
      {"vtt key null", [&] { return p.GetVTTData(nullptr, &cue); }, -1},
      {"vtt empty store", [&] { return p.GetVTTData("00:00:01.000", &cue); }, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(c.call(), c.expected) << c.what;
  EXPECT_EQ(found, 77u);
  EXPECT_EQ(n, 3);
  EXPECT_STREQ(out, "keep");
  ReleaseAv3FileList(nullptr);  // ignored
}

TEST(FacadeSettings, SizesSurviveClearingAndCopiesAreIndependent) {
  CMetaParser parser;
  unsigned int size = 0, size2 = 0;
  EXPECT_EQ(parser.GetOsdInfoSize(&size) + parser.GetOsdInfoSizeMk2(&size2), 2);
  EXPECT_EQ(size + size2, 128u);  // 64 each
  EXPECT_EQ(parser.GetOsdInfoSize(nullptr), 0);
  EXPECT_EQ(parser.SetOsdInfoSize(32) + parser.SetOsdInfoSizeMk2(16), 2);
  std::string track = "00:00:01.000 --> 00:00:04.000 line:84%\r\nHello\r\nWorld\r\n\r\n";
  ASSERT_EQ(parser.inputdata_VTT(reinterpret_cast<unsigned char*>(&track[0]), static_cast<PMP_ULONG>(track.size())), 0);
  parser.clear_metadata();  // keeps sizes and cues
  parser.GetOsdInfoSize(&size);
  parser.GetOsdInfoSizeMk2(&size2);
  EXPECT_EQ(size * 100 + size2, 3216u);
  _VTT_OSD_INFO cue{};
  ASSERT_EQ(parser.GetVTTData("00:00:02.000", &cue), 0);
  EXPECT_STREQ(cue.text[1], "World");
  EXPECT_EQ(cue.line, 84);

  CMetaParser copy;
  copy = parser;
  copy = copy;  // self-assignment changes nothing
  parser.SetOsdInfoSize(41);
  parser.ClearVTTData();
  EXPECT_EQ(parser.GetVTTData("00:00:02.000", &cue), -1);
  EXPECT_EQ(copy.GetVTTData("00:00:02.000", &cue), 0);
  copy.GetOsdInfoSize(&size);
  EXPECT_EQ(size, 32u);
}

}  // namespace
