#include <gtest/gtest.h>

#include <string>

#include "TimeZone.h"
#include "engine/MetadataEngine.h"
#include "engine/PInfoParser.h"
#include "scan/Scanner.h"

namespace plover {
namespace {

using test::ScopedTimeZone;

std::string Ts(const std::string& time) { return "<TS>" + time + "</TS>\r\n"; }
std::string Index(const std::string& no, const std::string& body) {
  return "<Index no=\"" + no + "\">\r\n" + body + "</Index>\r\n";
}
std::string Section(const std::string& body) { return "<P-Info>\r\n" + body + "</P-Info>"; }

bool Parse(MetadataEngine& engine, const std::string& body, int on = 0, int gpi = 0) {
  const std::string section = Section(body);
  return parse_pinfo(engine, "a.xml", section.data(), static_cast<uint32_t>(section.size()), on, gpi);
}

uint64_t Key(const char* time) { return static_cast<uint64_t>(scan::ParseDateTime(time, true)); }

std::string Shown(const PInfoSample& sample, DisplayField field) {
  return sample.display[field].present ? std::string(sample.display[field].text) : "(none)";
}

// The display text is a view into `stored`, not a copy of it.
bool Inside(const DisplayText& shown, std::string_view stored) {
  return shown.present && Stored(stored) && shown.text.data() >= stored.data() &&
         shown.text.data() + shown.text.size() <= stored.data() + stored.size();
}

// Two slots hold one stored text, not two equal copies.
bool Same(std::string_view a, std::string_view b) { return a.data() == b.data() && a.size() == b.size(); }

TEST(PInfoParse, KeysAreLocalMilliseconds) {
  for (auto [zone, offset] : {std::pair<const char*, uint64_t>{"UTC0", 0}, {"EST5", 5 * 3600 * 1000}}) {
    ScopedTimeZone scoped(zone);
    MetadataEngine engine;
    ASSERT_TRUE(Parse(engine, Index("1", Ts("2016/02/29 10:00:00.250"))));
    EXPECT_EQ(engine.samples.begin()->first, 1456740000250u + offset);
    EXPECT_EQ(Shown(engine.samples.begin()->second, kShowTs) + Shown(engine.samples.begin()->second, kShowFileName),
              "2016/02/29 10:00:00.250a.xml");
  }
}

TEST(PInfoParse, SameTimeReplacesAndSamplesWithoutTsShareKeyZero) {
  ScopedTimeZone zone("UTC0");
  MetadataEngine engine;
  const std::string ts = Ts("2016/02/29 10:00:00.000");
  ASSERT_TRUE(Parse(engine, Index("1", ts + "<Latitude>N1</Latitude>\r\n") +
                                Index("2", ts + "<Latitude>N2</Latitude>\r\n") +
                                Index("3", "<Latitude>N3</Latitude>\r\n")));
  ASSERT_EQ(engine.samples.size(), 2u);
  EXPECT_EQ(Shown(engine.samples.at(Key("2016/02/29 10:00:00.000")), kShowLatitude), "N2");
  // An Index without a TS of its own is keyed 0 even though it carries one.
  EXPECT_EQ(Shown(engine.samples.at(0), kShowLatitude), "N3");
  EXPECT_EQ(engine.samples.at(0).elements.slots[kTs], "<TS>2016/02/29 10:00:00.000</TS>");
  ASSERT_TRUE(Parse(engine, Index("4", "<Latitude>N4</Latitude>\r\n")));
  EXPECT_EQ(Shown(engine.samples.at(0), kShowLatitude), "N4");
  EXPECT_FALSE(Stored(engine.samples.at(0).elements.slots[kTs]));  // no carry-over between sections
}

TEST(PInfoParse, ElementsAreCarriedGroupedAndShared) {
  ScopedTimeZone zone("UTC0");
  MetadataEngine engine;
  ASSERT_TRUE(Parse(
      engine,
      Index("1", Ts("2016/02/29 10:00:00.000") +
                     "<GPS>\r\n<Latitude>N1</Latitude>\r\n</GPS>\r\n<Skip><Own>x</Own></Skip><G-STAT>9</G-STAT>") +
          Index("2",
                Ts("2016/02/29 10:00:01.000") + "<Longitude>E2</Longitude><G-STAT>9</G-STAT>" +
                    "<Radar>\r\n<Speed id=\"3\">30</Speed><Target><Speed id=\"1\">9</Speed></Target>\r\n</Radar>")));
  const PInfoSample& first = engine.samples.at(Key("2016/02/29 10:00:00.000"));
  const PInfoSample& second = engine.samples.at(Key("2016/02/29 10:00:01.000"));
  // Own lies inside an unknown element, Speed 1 inside Target.
  EXPECT_EQ(Shown(first, kShowLatitude) + Shown(first, kShowLongitude) + Shown(first, kShowOwn), "N1(none)(none)");
  EXPECT_EQ(Shown(second, kShowLatitude) + Shown(second, kShowSpeed3) + Shown(second, kShowSpeed1), "N130(none)");
  // A carried element, its display text and a display element repeated
  // unchanged are the stored text, not copies.
  EXPECT_TRUE(Same(first.elements.slots[kLatitude], second.elements.slots[kLatitude]));
  EXPECT_TRUE(Inside(second.display[kShowLatitude], second.elements.slots[kLatitude]));
  EXPECT_TRUE(Same(first.elements.slots[kGStat], second.elements.slots[kGStat]));
}

TEST(PInfoParse, TextsEndAtTheirFirstNul) {
  ScopedTimeZone zone("UTC0");
  MetadataEngine engine;
  const std::string altitude = "<Altitude>40</Altitude>";
  const std::string cut = std::string("<Altitude>4\0", 12) + "1</Altitude>";
  ASSERT_TRUE(Parse(engine, Index("1", Ts("2016/02/29 10:00:00.000") + altitude) +
                                Index("2", Ts("2016/02/29 10:00:01.000") + cut) +
                                Index("3", Ts("2016/02/29 10:00:02.000") + altitude)));
  ASSERT_EQ(engine.samples.size(), 3u);
  std::string stored;
  for (const auto& entry : engine.samples) stored += std::string(entry.second.elements.slots[kAltitude]) + "|";
  EXPECT_EQ(stored, altitude + "|<Altitude>4|" + altitude + "|");
  // A display element cut before its end tag has no content: the parse stops.
  const std::string latitude = std::string("<Latitude>N\0", 12) + "1</Latitude>";
  EXPECT_FALSE(Parse(engine, Index("4", Ts("2016/02/29 10:00:03.000") + latitude)));
  EXPECT_EQ(engine.samples.size(), 3u);
}

TEST(PInfoParse, SpeedTriggerFilterMasksItsInputOnly) {
  ScopedTimeZone zone("UTC0");
  const std::string row(24, '0');
  std::string gpi15 = row, gpi3 = row;
  gpi15[14] = '1';
  gpi3[2] = '1';
  auto sample = [](const char* ts, const std::string& status) {
    return Index("1", Ts(ts) + (status.empty() ? "" : "<G-STAT>" + status + "</G-STAT>"));
  };
  const std::string onlyGpi = sample("2016/02/29 10:00:00.000", row) + sample("2016/02/29 10:00:01.000", gpi15);
  const std::string other = sample("2016/02/29 10:00:00.000", row) + sample("2016/02/29 10:00:01.000", gpi3);
  const std::string carried = sample("2016/02/29 10:00:00.000", row) + sample("2016/02/29 10:00:01.000", "");
  const std::string shortRows = sample("2016/02/29 10:00:00.000", "0") + sample("2016/02/29 10:00:01.000", "0");
  struct Case {
    const std::string& body;
    int on, gpi;
    size_t stored;
  } cases[] = {{onlyGpi, 1, 15, 1}, {onlyGpi, 0, 15, 2}, {onlyGpi, 1, 0, 2},    {onlyGpi, 1, 16, 2}, {other, 1, 15, 2},
               {carried, 1, 15, 1}, {carried, 0, 0, 2},  {shortRows, 1, 15, 2}, {onlyGpi, 1, 99, 2}};
  for (const Case& c : cases) {
    MetadataEngine engine;
    EXPECT_TRUE(Parse(engine, c.body, c.on, c.gpi));
    EXPECT_EQ(engine.samples.size(), c.stored) << c.body << " on=" << c.on << " gpi=" << c.gpi;
  }
}

TEST(PInfoParse, BadInputStopsAndKeepsWhatWasStored) {
  ScopedTimeZone zone("UTC0");
  const std::string good = Index("1", Ts("2016/02/29 10:00:00.000"));
  const std::string later = Index("3", Ts("2016/02/29 10:00:09.000"));
  struct Case {
    const char* what;
    std::string bad;
    bool result;
    size_t stored;
  } cases[] = {
      {"truncated TS", Index("2", "<TS>2016/02/29 10:00</TS>"), false, 1},
      {"TS of year 1900", Index("2", Ts("1900/02/29 10:00:00.000")), false, 1},
      {"Index without content", "<Index no=\"2\">\r\n</Index>", false, 1},
      {"Index without quotes", "<Index>" + Ts("2016/02/29 10:00:05.000") + "</Index>", false, 1},
      {"group without end tag", Index("2", "<GPS><Latitude>N</Latitude>"), false, 1},
      {"empty group", Index("2", "<Radar>\r\n</Radar>"), false, 1},
      {"comment inside Index", Index("2", "<!-- note -->"), false, 1},
      {"empty display element", Index("2", "<Latitude></Latitude>"), false, 1},
      {"comment between samples", "<!-- note -->\r\n", true, 2},
      {"direct GPS_TS child read as group", Index("2", "<GPS_TS>x</GPS_TS>"), false, 1},
  };
  for (const Case& c : cases) {
    MetadataEngine engine;
    EXPECT_EQ(Parse(engine, good + c.bad + later), c.result) << c.what;
    EXPECT_EQ(engine.samples.size(), c.stored) << c.what;
  }
  MetadataEngine engine;
  const std::string empty = "<P-Info></P-Info>", text = "<P-Info>no tags</P-Info>";
  EXPECT_FALSE(parse_pinfo(engine, "a", empty.data(), static_cast<uint32_t>(empty.size()), 0, 0));
  EXPECT_TRUE(parse_pinfo(engine, "a", text.data(), static_cast<uint32_t>(text.size()), 0, 0));
}

TEST(PInfoParse, CameraModelRule) {
  ScopedTimeZone zone("UTC0");
  MetadataEngine engine;
  ASSERT_TRUE(Parse(engine, Index("1",
                                  "<CAM-STAT c1=\"1\" model=\"X\"/>\r\n<CAM-STAT c2=\"1\" model=\"RB-TN6\"/>\r\n"
                                  "<CAM-STAT c3=\"1\" model=\"RB-TN611\"/>\r\n<CAM-STAT c4=\"1\" model=\"\"/>\r\n"
                                  "<CAM-STAT c5=\"1\" model=\"TD481\"/>\r\n") +
                                Index("2", "<CAM-STAT c1=\"1\" model=\"TD481\"/>")));
  EXPECT_EQ(engine.cameraModelRates, (CameraModelRates{1, 0, 1, -1, 0}));

  CameraModelRates rates{-1, -1, -1, -1, -1};
  EXPECT_FALSE(set_camera_model_rate("<CAM-STAT model=\"0123456789abcdef\"/>", rates, 0));  // 16 characters
  EXPECT_FALSE(set_camera_model_rate("<C>model=\"TD481\"/>", rates, 0));                    // after the tag's end
  EXPECT_EQ(rates[0], -1);
}

TEST(PInfoCompose, CanonicalText) {
  ScopedTimeZone zone("UTC0");
  MetadataEngine engine;
  ASSERT_TRUE(Parse(engine, Index("7", Ts("2016/02/29 10:00:00.000") +
                                           "<TEMP id=\"2\">30</TEMP><Radar><Speed id=\"5\">55</Speed></Radar>"
                                           "<Altitude>12</Altitude><CameraIn id=\"1\"/>")));
  const PInfoTextRecord& record = engine.samples.begin()->second.elements;
  const std::string expected =
      "<Index no=\"7\">\r\n<TS>2016/02/29 10:00:00.000</TS>\r\n<GPS>\r\n<Altitude>12</Altitude>\r\n</GPS>\r\n"
      "<Radar>\r\n<Speed id=\"5\">55</Speed>\r\n</Radar>\r\n<CameraIn id=\"1\"/>\r\n<TEMP id=\"2\">30</TEMP>\r\n"
      "</Index>";
  const auto length = static_cast<uint32_t>(expected.size());
  std::string out(expected.size() + 1, '#');
  EXPECT_EQ(compose_index_text(&out[0], length + 1, record), length);
  EXPECT_EQ(out, expected + "#");
  EXPECT_EQ(compose_index_text(nullptr, 1000, record), length);
  // A buffer of exactly the length misses the last piece.
  out.assign(expected.size(), '#');
  EXPECT_EQ(compose_index_text(&out[0], length, record), length);
  EXPECT_EQ(out, expected.substr(0, expected.size() - 8) + "########");
  // Once a piece does not fit, later pieces, even small ones, are left out.
  out.assign(40, '#');
  EXPECT_EQ(compose_index_text(&out[0], 40, record), length);
  EXPECT_EQ(out, "<Index no=\"7\">\r\n" + std::string(24, '#'));
}

}  // namespace
}  // namespace plover
