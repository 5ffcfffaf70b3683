// Captions through the public class: argument checks and what the clear
// operations and assignment do to the cues.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "PloverMetaParser.h"

namespace {

const std::string kTrack =
    "WEBVTT\r\n\r\n00:00:01.000 --> 00:00:04.000 align:middle line:84%\r\nHello\r\nWorld\r\n\r\n";

long Load(CMetaParser& parser, std::string track) {
  return parser.inputdata_VTT(reinterpret_cast<unsigned char*>(&track[0]), static_cast<PMP_ULONG>(track.size()));
}

TEST(CaptionFacade, ArgumentChecks) {
  CMetaParser parser;
  unsigned char byte = 'x';
  EXPECT_EQ(parser.inputdata_VTT(nullptr, 10), -1);
  EXPECT_EQ(parser.inputdata_VTT(&byte, 0), -1);
  _VTT_OSD_INFO record;
  EXPECT_EQ(parser.GetVTTData("00:00:02.000", &record), -1);  // nothing handed in yet
  EXPECT_EQ(parser.inputdata_VTT(&byte, 1), 0);
  EXPECT_EQ(parser.GetVTTData(nullptr, &record), -1);
  EXPECT_EQ(parser.GetVTTData("00:00:02.000", nullptr), -1);
  EXPECT_EQ(parser.GetVTTData("00:02.000", &record), -1);
}

TEST(CaptionFacade, CuesSurviveClearMetadataButNotClearVTTData) {
  CMetaParser parser;
  ASSERT_EQ(Load(parser, kTrack), 0);
  parser.clear_metadata();
  _VTT_OSD_INFO record;
  std::memset(&record, 0, sizeof record);
  ASSERT_EQ(parser.GetVTTData("00:00:02.000", &record), 0);
  EXPECT_EQ(record.lineCount, 2);
  EXPECT_STREQ(record.text[1], "World");
  EXPECT_EQ(record.line, 84);

  CMetaParser copy;
  copy = parser;
  parser.ClearVTTData();
  EXPECT_EQ(parser.GetVTTData("00:00:02.000", &record), -1);
  EXPECT_EQ(copy.GetVTTData("00:00:02.000", &record), 0);
}

}  // namespace
