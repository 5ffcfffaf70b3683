// Inputs built to make a reader hold far more than it was given.  Each test
// measures the bytes the library holds (peak, through operator new) against
// the input's size.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ContainerWriter.h"
#include "MemoryCounter.h"
#include "PloverMetaParser.h"
#include "TempDir.h"
#include "TimeZone.h"

namespace {

using plover::test::ContainerItem;
using plover::test::ContainerRecord;
using plover::test::ContainerWriter;
using plover::test::PeakBytes;
using plover::test::ResetPeak;

std::string Time(int second) {
  char text[48];
  std::snprintf(text, sizeof text, "2016/02/29 10:%02d:%02d.000", (second / 60) % 60, second % 60);
  return text;
}

// Peak bytes held while `body` runs, over what was held before.
template <typename Body>
std::size_t PeakGrowth(Body body) {
  const std::size_t before = plover::test::BytesInUse();
  ResetPeak();
  body();
  return PeakBytes() - before;
}

TEST(HostileInput, StatusRowCarriedIntoEverySampleIsStoredOnce) {
  plover::test::ScopedTimeZone tz("UTC0");
  const std::string row(10 * 1000 * 1000, '0');
  std::string doc = "<P-Info>\r\n<Index no=\"0\"><TS>" + Time(0) + "</TS><G-STAT>" + row + "</G-STAT></Index>\r\n";
  for (int i = 1; i < 2000; ++i) doc += "<Index no=\"" + std::to_string(i) + "\"><TS>" + Time(i) + "</TS></Index>\r\n";
  doc += "</P-Info>";

  CMetaParser parser;
  const std::size_t growth =
      PeakGrowth([&] { parser.inputdata_xml(reinterpret_cast<unsigned char*>(doc.data()), doc.size(), "row.xml"); });
  // The stored copy of the document, the carried element and its display
  // text: a few times the input, not 2000 times the row.
  EXPECT_LT(growth, 4 * doc.size());

  std::string gstat(row.size() + 1, 'x');
  _SP_INFO_OSD record;
  std::memset(&record, 0, sizeof record);
  record.gStat = &gstat[0];
  parser.SetOsdInfoSize(static_cast<unsigned>(gstat.size()));
  ASSERT_EQ(parser.outdata_pinfo_osd(1456740000000ULL + 1999000, 1, &record), 1);
  EXPECT_EQ(std::strlen(record.gStat), row.size());
}

TEST(HostileInput, LoginsOfOneTimeGrowLinearly) {
  plover::test::ScopedTimeZone tz("UTC0");
  const std::string login =
      "<Login time=\"2016-02-29 10:00:00\"><Officers><Officer id=\"1\"><First>Ann</First><O-ID>7</O-ID>"
      "</Officer></Officers></Login>\r\n";
  std::string doc = "<F-Info><LoginInfo>\r\n";
  for (int i = 0; i < 100000; ++i) doc += login;
  doc += "</LoginInfo></F-Info>";

  CMetaParser parser;
  const std::size_t growth =
      PeakGrowth([&] { parser.inputdata_xml(reinterpret_cast<unsigned char*>(doc.data()), doc.size(), "logins.xml"); });
  // The joined text, one parsed record per log-in and the document copy.
  EXPECT_LT(growth, 12 * doc.size());

  std::string text(doc.size(), '\0');
  PMP_UINT64 found = 0;
  PMP_LONG count = -1;
  const PMP_LONG length = parser.outdata_num(1456740000ULL, 1, 0, reinterpret_cast<unsigned char*>(&text[0]),
                                             static_cast<PMP_ULONG>(text.size()), &found, &count);
  EXPECT_EQ(static_cast<std::size_t>(length), 100000 * (login.size() - 2) + 99999 * 2);
}

TEST(HostileInput, ContainerClaimingHugePayloadsAllocatesLittle) {
  ContainerWriter writer;
  writer.AddFileInfo("<F-Name>A.MP4</F-Name>");
  writer.AddChunk("HSPR", std::string(60, '\0'), 0xFFFFFFF0u);  // file information of almost 4 GiB
  writer.AddData({ContainerRecord(1, {ContainerItem(ContainerItem::kSample, "<TS>x</TS>", 0xFFFFFFF0u)})});
  writer.AddData({ContainerRecord(2, {ContainerItem(ContainerItem::kSample, "", 0x7FFFFFFFu)})});
  const std::string file = writer.Finish();
  plover::test::TempDir dir;
  ASSERT_TRUE(plover::test::WriteFile(dir.File("huge.dat"), file));

  CMetaParser parser;
  const std::size_t growth = PeakGrowth([&] { parser.inputdata_file(dir.File("huge.dat").c_str(), 0); });
  EXPECT_LT(growth, 1024 * 1024 + 4 * file.size());
}

TEST(HostileInput, AMillionArrowsStayWithinAFewTimesTheTrack) {
  std::string track = "WEBVTT\r\n\r\n";
  for (int i = 0; i < 1000000; ++i) track += " -->";  // times that do not scan: one entry
  for (int i = 0; i < 100000; ++i) {
    char cue[96];
    std::snprintf(cue, sizeof cue, "%02d:%02d:%02d.%03d --> %02d:%02d:%02d.%03d\r\nA\r\n\r\n", i / 3600000,
                  (i / 60000) % 60, (i / 1000) % 60, i % 1000, i / 3600000, (i / 60000) % 60, (i / 1000) % 60,
                  i % 1000);
    track += cue;
  }
  CMetaParser parser;
  const std::size_t growth =
      PeakGrowth([&] { parser.inputdata_VTT(reinterpret_cast<unsigned char*>(track.data()), track.size()); });
  EXPECT_LT(growth, 8 * track.size());

  _VTT_OSD_INFO record;
  std::memset(&record, 0, sizeof record);
  ASSERT_EQ(parser.GetVTTData("00:00:50.000", &record), 0);
  EXPECT_EQ(record.lineCount, 1);
  EXPECT_STREQ(record.text[0], "A");
}

}  // namespace
