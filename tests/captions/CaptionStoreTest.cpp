// Cue intake and lookup of the caption store.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "captions/CaptionStore.h"

namespace {

using plover::CaptionStore;

void Load(CaptionStore& store, const std::string& track) {
  // Exactly sized, so that a read past the end shows under the sanitizers.
  const std::vector<unsigned char> bytes(track.begin(), track.end());
  ASSERT_EQ(store.inputdata_VTT(bytes.data(), static_cast<uint32_t>(bytes.size())), 0);
}

std::string ReadTrack(const char* name) {
  std::ifstream in(std::string(PLOVER_TEST_DATA_DIR) + "/vtt/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Time(uint64_t t) { return t == CaptionStore::kEndMarker ? "*" : std::to_string(t); }

// Every entry as "key: start-end aALIGN pPOSITION lLINE text/size ...", with
// "*" for the largest key, entries separated by " | ".
std::string Dump(const CaptionStore& store) {
  std::string out;
  for (const auto& [key, cue] : store.cues()) {
    if (!out.empty()) out += " | ";
    out += Time(key) + ": " + Time(cue.startTime) + "-" + Time(cue.endTime) + " a" + std::to_string(cue.align) + " p" +
           std::to_string(cue.position) + " l" + std::to_string(cue.line);
    for (const plover::CueLine& line : cue.lines) out += " " + line.text + "/" + std::to_string(line.size);
  }
  return out;
}

std::string DumpOf(const std::string& track) {
  CaptionStore store;
  Load(store, track);
  return Dump(store);
}

std::string Timing(const char* start, const char* end, const char* settings = "") {
  return std::string(start) + " --> " + end + settings + "\r\n";
}

TEST(CaptionIntake, SettingsValues) {
  const struct {
    const char* settings;
    const char* expected;
  } cases[] = {
      {"", "a0 p0 l0"},
      {" align:end", "a2 p0 l0"},
      {" align:middle", "a1 p0 l0"},   // at the end of the line: the CR belongs to the value
      {" align:xmiddle", "a0 p0 l0"},  // 8 characters with the CR
      {" align:xend position:5%", "a2 p5 l0"},
      {" line:0% position:100%", "a0 p100 l0"},
      {"  position:% line: 7%", "a0 p0 l7"},
      {" position:-3%line:+9%", "a0 p-3 l9"},
      // Outside the format, read as no setting: over 3 characters, no "%" on
      // the line (the one on the text line below does not count).
      {" position:1000% line:12345%", "a0 p0 l0"},
      {" position:50", "a0 p0 l0"},
      {" line:50 align:end", "a2 p0 l0"},
  };
  for (const auto& c : cases) {
    const std::string dump = DumpOf(Timing("00:00:01.000", "00:00:02.000", c.settings) + "5%\r\n\r\n");
    EXPECT_EQ(dump.substr(0, dump.find(" 5%")), std::string("1000: 1000-2000 ") + c.expected) << c.settings;
  }
}

TEST(CaptionIntake, LineLimits) {
  std::string track = Timing("00:00:01.000", "00:00:02.000");
  for (int i = 0; i < 20; ++i) track += std::to_string(i) + "\r\n";
  track += "\r\n" + Timing("00:00:03.000", "00:00:04.000") + std::string(300, 'x') + "\r\n\r\n";
  CaptionStore store;
  Load(store, track);
  const std::vector<plover::CueLine>& lines = store.cues().at(1000).lines;
  ASSERT_EQ(lines.size(), 17u);  // the 18th line and later are dropped
  EXPECT_EQ(lines.back().text, "16");
  const plover::CueLine& wide = store.cues().at(3000).lines.at(0);
  EXPECT_EQ(wide.text, std::string(255, 'x'));
  EXPECT_EQ(wide.size, 256);
}

TEST(CaptionIntake, KeysStartTimesAndTheEndMarker) {
  CaptionStore store;
  Load(store, "WEBVTT\r\n\r\nNo cues here.\r\n");
  EXPECT_EQ(Dump(store), "*: 0-0 a0 p0 l0");

  // Same start: the later cue wins, also across tracks; the first marker stays.
  Load(store, Timing("00:00:01.000", "00:00:02.000") + "first\r\n\r\n" + Timing("00:00:01.000", "00:00:09.000") +
                  "second\r\n\r\n");
  Load(store, Timing("00:00:05.000", "00:00:06.000") + "later\r\n\r\n");
  EXPECT_EQ(Dump(store), "1000: 1000-9000 a0 p0 l0 second/7 | 5000: 5000-6000 a0 p0 l0 later/6 | *: 0-0 a0 p0 l0");

  // A start that does not scan (no hours) takes the marker's place; an end
  // that does not scan lasts forever.
  store.ClearVTTData();
  Load(store, "\r\n\r\n00:07.000 --> 00:08.000\r\nshort\r\n\r\n" + Timing("00:00:07.000", "later") + "x\r\n\r\n");
  EXPECT_EQ(Dump(store), "7000: 7000-* a0 p0 l0 x/2 | *: *-* a0 p0 l0 short/6");
}

// Whole tracks and what they store.  Where a text ends: at the next timing
// line (an identifier before it becomes the last line), at an empty line, and
// at the end of the data before a line's LF.  Arrows too close to either end
// of the data: the missing time is -1, and nothing outside the data is read.
TEST(CaptionIntake, TracksAndWhatTheyStore) {
  const struct {
    std::string track;
    const char* expected;
  } cases[] = {
      {"WEBVTT\r\n\r\n" + Timing("00:00:01.000", "00:00:04.000", " align:middle line:84%") + "Hello\r\nWorld\r\n\r\n",
       "1000: 1000-4000 a1 p0 l84 Hello/6 World/6 | *: 1000-4000 a1 p0 l84 Hello/6 World/6"},
      {Timing("00:00:01.000", "00:00:02.000") + "one\r\ntwo\r\nid\r\n" + Timing("00:00:03.000", "00:00:04.000") +
           "three\r\n\r\nafter empty\r\n" + Timing("00:00:05.000", "00:00:06.000") + "no LF at the end",
       "1000: 1000-2000 a0 p0 l0 one/4 two/4 id/3 | 3000: 3000-4000 a0 p0 l0 three/6 | "
       "5000: 5000-6000 a0 p0 l0 | *: 5000-6000 a0 p0 l0"},
      // A NUL inside a line ends what is handed out, not the stored length.
      {Timing("00:00:01.000", "00:00:02.000") + std::string("ab\0cd\r\n\r\n", 9),
       "1000: 1000-2000 a0 p0 l0 ab/6 | *: 1000-2000 a0 p0 l0 ab/6"},
      {" --> 00:00:02.000\r\nx\r\n", "*: *-2000 a0 p0 l0 x/2"},
      {"00:00:01.000 --> 00:00:02.00", "1000: 1000-* a0 p0 l0 | *: 1000-* a0 p0 l0"},
      {"00:00:01.000 --> 00:00:02.000 align:en", "1000: 1000-2000 a0 p0 l0 | *: 1000-2000 a0 p0 l0"},
      {"00:00:01.000 --> 00:00:02.000 line:9", "1000: 1000-2000 a0 p0 l0 | *: 1000-2000 a0 p0 l0"},
      {"00:00:01.000 -->", "*: 0-0 a0 p0 l0"},  // no byte after the separator: not a cue
      {" -->\r\n -->", "*: *-* a0 p0 l0"},
      // Written by other tools: BOM, NOTE and STYLE blocks, cue identifiers.
      {ReadTrack("crlf_blocks.vtt"),
       "1000: 1000-3500 a2 p10 l90 Hello/6 | 4000: 4000-6000 a0 p0 l0 Two/4 lines/6 | "
       "*: 4000-6000 a0 p0 l0 Two/4 lines/6"},
      // LF-only lines each lose their last byte, and an empty line does not
      // end the text, which runs on to the next timing line.
      {ReadTrack("lf_only.vtt"),
       "1000: 1000-2000 a0 p0 l50 Hello ther/11 | 3000: 3000-4000 a0 p0 l0 By/3 | *: 3000-4000 a0 p0 l0 By/3"},
      // vertical:, size:, line-left, center, a value with no "%".
      {ReadTrack("other_settings.vtt"),
       "1000: 1000-2000 a0 p50 l0 Side/5 | 3000: 3000-4000 a2 p0 l-5 Low/4 | *: 3000-4000 a2 p0 l-5 Low/4"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.track);
    EXPECT_EQ(DumpOf(c.track), c.expected);
  }
}

// ---- Lookup ----

// A record whose every byte is 0x5A, to see what a lookup wrote.
struct Record : _VTT_OSD_INFO {
  Record() { std::memset(static_cast<_VTT_OSD_INFO*>(this), 0x5A, sizeof(_VTT_OSD_INFO)); }
  bool Untouched() const {
    const Record fresh;
    return std::memcmp(static_cast<const _VTT_OSD_INFO*>(this), static_cast<const _VTT_OSD_INFO*>(&fresh),
                       sizeof(_VTT_OSD_INFO)) == 0;
  }
};

class CaptionLookup : public ::testing::Test {
 protected:
  void SetUp() override {
    Load(store, Timing("00:00:01.000", "00:00:04.000", " align:end position:30%") + "first\r\n\r\n" +
                    Timing("00:00:05.000", "00:00:08.000") + "second\r\nline two\r\n\r\n");
  }
  int32_t Lookup(const char* key) { return store.GetVTTData(key, &record); }
  CaptionStore store;
  Record record;
};

TEST_F(CaptionLookup, LatestCueAtOrBeforeTheTimeWithInclusiveEnds) {
  const struct {
    const char* key;
    int lines;  // -1: nothing written
  } cases[] = {{"00:00:00.500", -1}, {"00:00:01.000", 1},  {"00:00:02.000", 1},
               {"00:00:04.000", 1},  {"00:00:04.500", -1}, {"00:00:05.000", 2},
               {"00:00:08.000", 2},  {"00:00:09.000", -1}, {"-01:00:00.000", -1}};
  for (const auto& c : cases) {
    record = Record();
    EXPECT_EQ(Lookup(c.key), 0) << c.key;
    EXPECT_EQ(c.lines < 0 ? -1 : record.lineCount, c.lines) << c.key;
    EXPECT_EQ(record.Untouched(), c.lines < 0) << c.key;
  }
  Lookup("00:00:02.000");
  EXPECT_STREQ(record.text[0], "first");
  EXPECT_EQ(record.textSize[0] * 1000 + record.align * 100 + record.position + record.line, 6230);
  EXPECT_EQ(Lookup("00:05.000"), -1);  // no hours: does not scan
  EXPECT_EQ(store.GetVTTData("00:00:02.000", nullptr), -1);
}

TEST_F(CaptionLookup, WritesOnlyTheCuesLines) {
  Load(store, Timing("00:00:10.000", "00:00:11.000") + "a\r\nb\r\nc\r\nd\r\n\r\n" +
                  Timing("00:00:12.000", "00:00:13.000") + std::string("\0x\r\nok\r\n\r\n", 9));
  Lookup("00:00:06.000");  // two lines over a record of garbage
  EXPECT_STREQ(record.text[1], "line two");
  EXPECT_EQ(record.text[1][9], 0x5A);  // copied up to the NUL only
  EXPECT_EQ(record.text[2][0], 0x5A);
  Lookup("00:00:10.500");
  Lookup("00:00:12.500");  // a line that starts with a NUL is handed out as nothing
  EXPECT_EQ(record.lineCount, 2);
  EXPECT_STREQ(record.text[0], "a");
  EXPECT_STREQ(record.text[1], "ok");
  EXPECT_STREQ(record.text[3], "d");  // the earlier call's lines stay
}

TEST_F(CaptionLookup, OverlappingCuesTakeTheLaterStart) {
  Load(store, Timing("00:00:20.000", "00:00:30.000") + "long\r\n\r\n" + Timing("00:00:21.000", "00:00:22.000") +
                  "short\r\n\r\n");
  EXPECT_EQ(Lookup("00:00:25.000"), 0);
  EXPECT_TRUE(record.Untouched());
}

TEST_F(CaptionLookup, ClearEmptiesTheStoreAndTheMarker) {
  store.ClearVTTData();
  EXPECT_EQ(Lookup("00:00:02.000"), -1);
  Load(store, "WEBVTT\r\n");  // a track without cues leaves an empty marker
  EXPECT_EQ(Lookup("000:00:00.000"), 0);
  EXPECT_EQ(record.lineCount + record.align + record.line + record.position, 0);
  EXPECT_EQ(record.text[0][0], 0x5A);
  record = Record();
  EXPECT_EQ(Lookup("00:00:00.001"), 0);
  EXPECT_TRUE(record.Untouched());
}

}  // namespace
