// Cue intake and lookup of the caption store.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "captions/CaptionStore.h"

namespace {

using plover::CaptionStore;
constexpr uint64_t kMarker = CaptionStore::kEndMarker;

void Load(CaptionStore& store, const std::string& track) {
  ASSERT_EQ(
      store.inputdata_VTT(reinterpret_cast<const unsigned char*>(track.data()), static_cast<uint32_t>(track.size())),
      0);
}

std::string ReadTrack(const char* name) {
  std::ifstream in(std::string(PLOVER_TEST_DATA_DIR) + "/vtt/" + name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A record whose every byte is 0x5A, to see what a lookup wrote.
struct Record : _VTT_OSD_INFO {
  Record() { std::memset(static_cast<_VTT_OSD_INFO*>(this), 0x5A, sizeof(_VTT_OSD_INFO)); }
  bool Untouched() const {
    Record fresh;
    return std::memcmp(static_cast<const _VTT_OSD_INFO*>(this), static_cast<const _VTT_OSD_INFO*>(&fresh),
                       sizeof(_VTT_OSD_INFO)) == 0;
  }
};

const plover::CaptionCue& Cue(const CaptionStore& store, uint64_t start) { return store.cues().at(start); }

std::string Timing(const char* start, const char* end, const char* settings = "") {
  return std::string(start) + " --> " + end + settings + "\r\n";
}

TEST(CaptionIntake, ReadsTimesSettingsAndLines) {
  CaptionStore store;
  Load(store,
       "WEBVTT\r\n\r\n" + Timing("00:00:01.000", "00:00:04.000", " align:middle line:84%") + "Hello\r\nWorld\r\n\r\n");
  ASSERT_EQ(store.cues().size(), 2u);  // the cue and the end marker
  const plover::CaptionCue& cue = Cue(store, 1000);
  EXPECT_EQ(cue.startTime, 1000u);
  EXPECT_EQ(cue.endTime, 4000u);
  EXPECT_EQ(cue.lines.size(), 2u);
  EXPECT_STREQ(cue.lines[0].text.c_str(), "Hello");
  EXPECT_STREQ(cue.lines[1].text.c_str(), "World");
  EXPECT_EQ(cue.lines[0].size, 6);
  EXPECT_EQ(cue.lines[1].size, 6);
  EXPECT_EQ(cue.align, 1);
  EXPECT_EQ(cue.line, 84);
  EXPECT_EQ(cue.position, 0);
  EXPECT_EQ(Cue(store, kMarker).startTime, 1000u);  // the marker copies the last cue
}

TEST(CaptionIntake, SettingsValues) {
  struct Case {
    const char* settings;
    int align, position, line;
  } const cases[] = {
      {"", 0, 0, 0},
      {" align:end", 2, 0, 0},
      {" align:start", 0, 0, 0},
      {" align:left", 0, 0, 0},
      {" align:middle", 1, 0, 0},   // at the end of the line: the CR belongs to the value
      {" align:xmiddle", 0, 0, 0},  // 8 characters with the CR
      {" align:xend position:5%", 2, 5, 0},
      {" line:0% position:100%", 0, 100, 0},
      {"  position:% line: 7%", 0, 0, 7},
      {" position:-3%line:+9%", 0, -3, 9},
      {" position:ab%", 0, 0, 0},
      // Outside the format, read as no setting: 4 characters, no "%" on the line.
      {" position:1000% line:12345%", 0, 0, 0},
      {" position:50", 0, 0, 0},
      {" line:50 align:end", 2, 0, 0},
  };
  for (const Case& c : cases) {
    CaptionStore store;
    // A "%" on the next line is not the value's.
    Load(store, Timing("00:00:01.000", "00:00:02.000", c.settings) + "5%\r\n\r\n");
    const plover::CaptionCue& info = Cue(store, 1000);
    EXPECT_EQ(info.align, c.align) << c.settings;
    EXPECT_EQ(info.position, c.position) << c.settings;
    EXPECT_EQ(info.line, c.line) << c.settings;
  }
}

TEST(CaptionIntake, LineLimits) {
  std::string track = Timing("00:00:01.000", "00:00:02.000");
  for (int i = 0; i < 20; ++i) track += "line " + std::to_string(i) + "\r\n";
  track += "\r\n" + Timing("00:00:03.000", "00:00:04.000") + std::string(300, 'x') + "\r\n\r\n";
  CaptionStore store;
  Load(store, track);
  const plover::CaptionCue& many = Cue(store, 1000);
  EXPECT_EQ(many.lines.size(), 17u);
  EXPECT_STREQ(many.lines[16].text.c_str(), "line 16");  // the 18th line and later are dropped
  const plover::CaptionCue& wide = Cue(store, 3000);
  EXPECT_EQ(wide.lines.size(), 1u);
  EXPECT_EQ(wide.lines[0].text, std::string(255, 'x'));
  EXPECT_EQ(wide.lines[0].size, 256);
}

TEST(CaptionIntake, WhereTheTextEnds) {
  CaptionStore store;
  Load(store, Timing("00:00:01.000", "00:00:02.000") + "one\r\ntwo\r\n" +  // next arrow ends it
                  "id\r\n" + Timing("00:00:03.000", "00:00:04.000") + "three\r\n\r\nafter empty\r\n" +
                  Timing("00:00:05.000", "00:00:06.000") + "no LF at the end");
  const plover::CaptionCue& first = Cue(store, 1000);
  ASSERT_EQ(first.lines.size(), 3u);
  EXPECT_STREQ(first.lines[2].text.c_str(), "id");  // an identifier without an empty line before it
  EXPECT_EQ(Cue(store, 3000).lines.size(), 1u);
  EXPECT_EQ(Cue(store, 5000).lines.size(), 0u);
  EXPECT_EQ(store.cues().size(), 4u);
}

TEST(CaptionIntake, KeysStartTimesAndTheEndMarker) {
  CaptionStore store;
  Load(store, "WEBVTT\r\n\r\nNo cues here.\r\n");
  ASSERT_EQ(store.cues().size(), 1u);
  EXPECT_EQ(Cue(store, kMarker).lines.size(), 0u);
  EXPECT_EQ(Cue(store, kMarker).endTime, 0u);

  // Same start: the later cue wins, also across tracks; the first marker stays.
  Load(store, Timing("00:00:01.000", "00:00:02.000") + "first\r\n\r\n" + Timing("00:00:01.000", "00:00:09.000") +
                  "second\r\n\r\n");
  Load(store, Timing("00:00:05.000", "00:00:06.000") + "later\r\n\r\n");
  ASSERT_EQ(store.cues().size(), 3u);
  EXPECT_EQ(Cue(store, 1000).endTime, 9000u);
  EXPECT_STREQ(Cue(store, 1000).lines[0].text.c_str(), "second");
  EXPECT_EQ(Cue(store, kMarker).lines.size(), 0u);

  // A start that does not scan takes the marker's place; an end that does not
  // scan lasts forever.
  Load(store, "\r\n\r\n00:07.000 --> 00:08.000\r\nshort\r\n\r\n" + Timing("00:00:07.000", "later") + "x\r\n\r\n");
  EXPECT_STREQ(Cue(store, kMarker).lines[0].text.c_str(), "short");
  EXPECT_EQ(Cue(store, kMarker).endTime, kMarker);
  EXPECT_EQ(Cue(store, 7000).endTime, kMarker);
}

// Arrows too close to either end of the data: the missing time is -1 and
// nothing outside the data is read (the sanitizers would tell).
TEST(CaptionIntake, ArrowsNearTheEdgesOfTheData) {
  const struct {
    std::string track;
    size_t cues;
    uint64_t start, end;
  } cases[] = {
      {" --> 00:00:02.000\r\nx\r\n", 1, kMarker, 2000},  // stored under the marker key
      {"1.000 --> 00:00:02.000\r\n", 1, kMarker, 2000},
      {"00:00:01.000 --> 00:00:02.00", 2, 1000, kMarker},
      {"00:00:01.000 --> 0", 2, 1000, kMarker},
      {"00:00:01.000 -->", 1, 0, 0},  // no byte after the separator: not a cue
      {"00:00:01.000 --> ", 1, 0, 0},
      {" -->\r\n -->", 1, kMarker, kMarker},
  };
  for (const auto& c : cases) {
    const std::vector<unsigned char> bytes(c.track.begin(), c.track.end());  // exactly sized: overreads show
    CaptionStore store;
    store.inputdata_VTT(bytes.data(), static_cast<uint32_t>(bytes.size()));
    ASSERT_EQ(store.cues().size(), c.cues) << c.track;
    const plover::CaptionCue& cue = store.cues().begin()->second;
    EXPECT_EQ(cue.startTime, c.start) << c.track;
    EXPECT_EQ(cue.endTime, c.end) << c.track;
  }
}

TEST(CaptionIntake, TracksWrittenByOtherTools) {
  CaptionStore store;
  Load(store, ReadTrack("crlf_blocks.vtt"));  // BOM, NOTE, STYLE, identifiers
  ASSERT_EQ(store.cues().size(), 3u);
  EXPECT_EQ(Cue(store, 1000).endTime, 3500u);
  EXPECT_EQ(Cue(store, 1000).align, 2);
  EXPECT_EQ(Cue(store, 1000).position, 10);
  EXPECT_EQ(Cue(store, 1000).line, 90);
  EXPECT_EQ(Cue(store, 1000).lines.size(), 1u);
  EXPECT_STREQ(Cue(store, 4000).lines[1].text.c_str(), "lines");

  // LF-only lines: each loses its last byte, and an empty line does not end
  // the text, which runs on to the next arrow.
  store.ClearVTTData();
  Load(store, ReadTrack("lf_only.vtt"));
  EXPECT_EQ(Cue(store, 1000).line, 50);
  EXPECT_EQ(Cue(store, 1000).lines.size(), 1u);
  EXPECT_STREQ(Cue(store, 1000).lines[0].text.c_str(), "Hello ther");
  EXPECT_STREQ(Cue(store, 3000).lines[0].text.c_str(), "By");

  store.ClearVTTData();
  Load(store, ReadTrack("other_settings.vtt"));  // vertical:, size:, line-left, center
  EXPECT_EQ(Cue(store, 1000).position, 50);
  EXPECT_EQ(Cue(store, 1000).align, 0);
  EXPECT_EQ(Cue(store, 1000).line, 0);
  EXPECT_EQ(Cue(store, 3000).line, -5);
  EXPECT_EQ(Cue(store, 3000).position, 0);
  EXPECT_EQ(Cue(store, 3000).align, 2);
}

// ---- Lookup ----

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
    if (c.lines < 0) {
      EXPECT_TRUE(record.Untouched()) << c.key;
    } else {
      EXPECT_EQ(record.lineCount, c.lines) << c.key;
    }
  }
  Lookup("00:00:02.000");
  EXPECT_STREQ(record.text[0], "first");
  EXPECT_EQ(record.textSize[0], 6);
  EXPECT_EQ(record.align, 2);
  EXPECT_EQ(record.position, 30);
  EXPECT_EQ(record.line, 0);
  EXPECT_EQ(Lookup("00:05.000"), -1);  // no hours: does not scan
  EXPECT_EQ(store.GetVTTData("00:00:02.000", nullptr), -1);
}

TEST_F(CaptionLookup, WritesOnlyTheCuesLines) {
  Lookup("00:00:06.000");  // two lines over a record of garbage
  EXPECT_STREQ(record.text[1], "line two");
  EXPECT_EQ(record.text[1][9], 0x5A);  // copied up to the NUL only
  EXPECT_EQ(record.textSize[2], 0x5A5A5A5A);
  EXPECT_EQ(record.text[2][0], 0x5A);

  Load(store, Timing("00:00:10.000", "00:00:11.000") + "a\r\nb\r\nc\r\nd\r\ne\r\n\r\n" +
                  Timing("00:00:12.000", "00:00:13.000") + "x\r\ny\r\nz\r\n\r\n");
  Lookup("00:00:10.500");
  Lookup("00:00:12.500");
  EXPECT_EQ(record.lineCount, 3);
  EXPECT_STREQ(record.text[2], "z");
  EXPECT_STREQ(record.text[3], "d");  // the earlier call's lines stay
  EXPECT_STREQ(record.text[4], "e");
}

TEST_F(CaptionLookup, OverlappingCuesTakeTheLaterStart) {
  Load(store, Timing("00:00:20.000", "00:00:30.000") + "long\r\n\r\n" + Timing("00:00:21.000", "00:00:22.000") +
                  "short\r\n\r\n");
  EXPECT_EQ(Lookup("00:00:25.000"), 0);
  EXPECT_TRUE(record.Untouched());
}

TEST_F(CaptionLookup, ClearEmptiesTheStoreAndTheMarker) {
  store.ClearVTTData();
  EXPECT_TRUE(store.cues().empty());
  EXPECT_EQ(Lookup("00:00:02.000"), -1);
  EXPECT_TRUE(record.Untouched());

  Load(store, "WEBVTT\r\n");  // a track without cues leaves an empty marker
  EXPECT_EQ(Lookup("000:00:00.000"), 0);
  EXPECT_EQ(record.lineCount, 0);
  EXPECT_EQ(record.align, 0);
  EXPECT_EQ(record.line, 0);
  EXPECT_EQ(record.position, 0);
  EXPECT_EQ(record.text[0][0], 0x5A);
  record = Record();
  EXPECT_EQ(Lookup("00:00:00.001"), 0);
  EXPECT_TRUE(record.Untouched());
}

TEST_F(CaptionLookup, CopiesAreIndependent) {
  CaptionStore copy(store);
  store.ClearVTTData();
  EXPECT_EQ(copy.GetVTTData("00:00:02.000", &record), 0);
  EXPECT_STREQ(record.text[0], "first");
}

TEST(CaptionLookupShortForm, CuesWithoutHoursAreNeverFound) {
  CaptionStore store;
  Load(store, ReadTrack("short_form.vtt"));
  Record record;
  for (const char* key : {"00:00:00.000", "00:00:02.000", "00:00:07.000"}) {
    EXPECT_EQ(store.GetVTTData(key, &record), 0);
    EXPECT_TRUE(record.Untouched()) << key;
  }
  EXPECT_EQ(store.GetVTTData("00:00:05.500", &record), 0);
  EXPECT_STREQ(record.text[0], "Long");
}

TEST(CaptionLargeTrack, EveryCueIsFound) {
  std::string track = "WEBVTT\r\n\r\n";
  char timing[128];
  for (int i = 0; i < 10000; ++i) {
    std::snprintf(timing, sizeof timing, "%02d:%02d:%02d.000 --> %02d:%02d:%02d.500\r\n", i / 3600, i / 60 % 60, i % 60,
                  i / 3600, i / 60 % 60, i % 60);
    track += timing + std::to_string(i) + "\r\n\r\n";
  }
  CaptionStore store;
  Load(store, track);
  ASSERT_EQ(store.cues().size(), 10001u);
  Record record;
  for (int i = 0; i < 10000; i += 997) {
    std::snprintf(timing, sizeof timing, "%02d:%02d:%02d.250", i / 3600, i / 60 % 60, i % 60);
    ASSERT_EQ(store.GetVTTData(timing, &record), 0);
    EXPECT_EQ(std::string(record.text[0]), std::to_string(i));
  }
}

}  // namespace
